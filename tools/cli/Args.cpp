#include "tools/cli/Args.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "tools/cli/CliError.h"

namespace {

const OptionRule* findRule(const std::vector<OptionRule>& known, const std::string& name) {
    for (const OptionRule& rule : known)
        if (rule.name == name)
            return &rule;
    return nullptr;
}

bool isOptionWord(const std::string& word) {
    return word.size() > 2 && word[0] == '-' && word[1] == '-';
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

} // namespace

Args::Args(const std::vector<std::string>& words, const std::vector<OptionRule>& known) {
    for (size_t k = 0; k < words.size(); ++k) {
        const std::string& word = words[k];
        if (!isOptionWord(word)) {
            if (word.size() > 1 && word[0] == '-')
                throw usageError("unknown option " + quoted(word));
            positional_.push_back(word);
            continue;
        }
        std::string name = word.substr(2);
        std::string inlineValue;
        const size_t eq = name.find('=');
        const bool hasInline = eq != std::string::npos;
        if (hasInline) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const OptionRule* rule = findRule(known, name);
        if (!rule)
            throw usageError("unknown option --" + name);
        if (has(name))
            throw usageError("option --" + name + " is given more than once");
        if (!rule->takesValue) {
            if (hasInline)
                throw usageError("option --" + name + " takes no value");
            switches_.insert(name);
            continue;
        }
        if (hasInline) {
            values_[name] = inlineValue;
        } else {
            if (k + 1 >= words.size() || isOptionWord(words[k + 1]))
                throw usageError("option --" + name + " needs a value");
            values_[name] = words[++k];
        }
    }
}

bool Args::has(const std::string& name) const {
    return values_.count(name) > 0 || switches_.count(name) > 0;
}

const std::string& Args::value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end())
        throw usageError("option --" + name + " is required");
    return it->second;
}

long long parseInteger(const std::string& option, const std::string& text, long long lo,
                       long long hi) {
    const std::string range =
        " (allowed: " + std::to_string(lo) + " to " + std::to_string(hi) + ")";
    bool digitsOnly = !text.empty();
    for (size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        const bool sign = k == 0 && c == '-' && text.size() > 1;
        if (!sign && (c < '0' || c > '9'))
            digitsOnly = false;
    }
    if (!digitsOnly)
        throw usageError(option + ": " + quoted(text) + " is not a whole number" + range);
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno == ERANGE || v < lo || v > hi)
        throw usageError(option + ": " + text + " is out of range" + range);
    return v;
}

double parseReal(const std::string& option, const std::string& text, double lo, double hi) {
    char buf[64];
    std::snprintf(buf, sizeof buf, " (allowed: %g to %g)", lo, hi);
    const std::string range = buf;
    bool plain = !text.empty();
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            plain = false;
    char* end = nullptr;
    errno = 0;
    const double v = plain ? std::strtod(text.c_str(), &end) : 0.0;
    if (!plain || end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(v))
        throw usageError(option + ": " + quoted(text) + " is not a number" + range);
    if (v < lo || v > hi)
        throw usageError(option + ": " + text + " is out of range" + range);
    return v;
}

uint32_t parseSeed(const std::string& option, const std::string& text) {
    return static_cast<uint32_t>(parseInteger(option, text, 0, 4294967295LL));
}
