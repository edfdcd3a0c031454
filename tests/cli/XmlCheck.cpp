#include "XmlCheck.h"

#include <sstream>

namespace {

bool nameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == ':' || c == '.';
}

// Checks the entity references of character data or an attribute value.
bool entitiesOk(const std::string& s) {
    for (size_t p = s.find('&'); p != std::string::npos; p = s.find('&', p + 1)) {
        bool known = false;
        for (const char* e : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"})
            if (s.compare(p, std::string(e).size(), e) == 0)
                known = true;
        if (!known)
            return false;
    }
    return true;
}

// Reads the attributes of a start tag from `p` to its end; false if malformed.
bool attributesOk(const std::string& tag) {
    size_t p = 0;
    while (p < tag.size()) {
        while (p < tag.size() && tag[p] == ' ')
            ++p;
        if (p >= tag.size())
            break;
        const size_t nameStart = p;
        while (p < tag.size() && nameChar(tag[p]))
            ++p;
        if (p == nameStart || p + 1 >= tag.size() || tag[p] != '=' || tag[p + 1] != '"')
            return false;
        const size_t close = tag.find('"', p + 2);
        if (close == std::string::npos)
            return false;
        const std::string value = tag.substr(p + 2, close - p - 2);
        if (value.find('<') != std::string::npos || !entitiesOk(value))
            return false;
        p = close + 1;
    }
    return true;
}

} // namespace

std::string xmlProblem(const std::string& text) {
    std::vector<std::string> open;
    size_t p = 0, roots = 0;
    if (text.compare(0, 5, "<?xml") == 0)
        p = text.find("?>") + 2;
    while (p < text.size()) {
        const size_t lt = text.find('<', p);
        if (!entitiesOk(text.substr(p, lt == std::string::npos ? std::string::npos : lt - p)))
            return "bad entity near byte " + std::to_string(p);
        if (lt == std::string::npos)
            break;
        const size_t gt = text.find('>', lt);
        if (gt == std::string::npos)
            return "unclosed tag at byte " + std::to_string(lt);
        std::string tag = text.substr(lt + 1, gt - lt - 1);
        p = gt + 1;
        if (!tag.empty() && tag[0] == '/') {
            if (open.empty() || open.back() != tag.substr(1))
                return "mismatched </" + tag.substr(1) + ">";
            open.pop_back();
            continue;
        }
        const bool selfClosing = !tag.empty() && tag.back() == '/';
        if (selfClosing)
            tag.pop_back();
        size_t n = 0;
        while (n < tag.size() && nameChar(tag[n]))
            ++n;
        if (n == 0)
            return "tag without a name at byte " + std::to_string(lt);
        if (!attributesOk(tag.substr(n)))
            return "bad attributes in <" + tag.substr(0, n) + ">";
        if (open.empty() && ++roots > 1)
            return "more than one root element";
        if (!selfClosing)
            open.push_back(tag.substr(0, n));
    }
    if (!open.empty())
        return "<" + open.back() + "> is never closed";
    return roots == 1 ? "" : "no root element";
}

size_t occurrences(const std::string& text, const std::string& needle) {
    size_t count = 0;
    for (size_t p = text.find(needle); p != std::string::npos; p = text.find(needle, p + 1))
        ++count;
    return count;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}
