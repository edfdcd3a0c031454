#include "app/SaveName.h"

#include <cctype>

std::string populationFileName(const std::string& chosen) {
    const std::string extension = POPULATION_EXTENSION;
    const bool hasExtension =
        chosen.size() > extension.size() &&
        chosen.compare(chosen.size() - extension.size(), extension.size(), extension) == 0;
    return hasExtension ? chosen : chosen + extension;
}

namespace {

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string caselessPattern(const std::string& pattern) {
    std::string out;
    for (char c : pattern) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalpha(u))
            out += std::string("[") + static_cast<char>(std::tolower(u)) +
                   static_cast<char>(std::toupper(u)) + "]";
        else
            out += c;
    }
    return out;
}

std::string runWindowTitle(const std::string& runPath, bool unsaved, const std::string& version) {
    const std::string name = runPath.empty() ? "Untitled" : baseName(runPath);
    return (unsaved ? "*" : "") + name + " \u2013 Arachnovix " + version;
}

std::string refusalText(const std::string& message, const std::string& path,
                        const std::string& why) {
    return message + "\n" + baseName(path) + ": " + (why.empty() ? "unknown error" : why);
}
