#include "core/LString.h"

#include <cctype>
#include <cstdio>

namespace {

const size_t NUMBER_BUFFER_SIZE = 64;
const char SPACE = ' ';

} // namespace

std::string LString::itoa(int value) {
    char buffer[NUMBER_BUFFER_SIZE];
    std::snprintf(buffer, sizeof(buffer), "%i", value);
    return buffer;
}

std::string LString::dtoa(double value) {
    char buffer[NUMBER_BUFFER_SIZE];
    std::snprintf(buffer, sizeof(buffer), "%g", value);
    return buffer;
}

std::vector<std::string> LString::split(std::string text, std::string separator) {
    std::vector<std::string> parts;
    // An empty separator would match everywhere without advancing.
    if (separator.empty()) {
        parts.push_back(text);
        return parts;
    }
    size_t start = 0;
    size_t found;
    while ((found = text.find(separator, start)) != std::string::npos) {
        parts.push_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string LString::trimSpaces(std::string text) {
    const size_t first = text.find_first_not_of(SPACE);
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(SPACE);
    return text.substr(first, last - first + 1);
}

std::string LString::LowerCase(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
