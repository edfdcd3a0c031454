#include "core/LFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "core/LString.h"

namespace {

LFileDialogProvider* dialogProvider = nullptr;

const char* const kSelfExeLink = "/proc/self/exe";
// Used when the executable's path cannot be read: the working folder.
const char* const kFallbackFolder = ".";

} // namespace

LFileDialogProvider::~LFileDialogProvider() {}

std::string LFile::OpenFileDialog(std::string typeName, std::string pattern) {
    if (!dialogProvider)
        return std::string();
    return dialogProvider->openFile(typeName, pattern);
}

std::string LFile::SaveFileDialog(std::string typeName, std::string pattern) {
    if (!dialogProvider)
        return std::string();
    return dialogProvider->saveFile(typeName, pattern);
}

void LFile::setDialogProvider(LFileDialogProvider* provider) {
    dialogProvider = provider;
}

std::string LFile::getExePath() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink(kSelfExeLink, buffer, sizeof(buffer));
    if (length <= 0 || size_t(length) >= sizeof(buffer))
        return kFallbackFolder;
    const std::string path(buffer, size_t(length));
    const size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return path;
    return path.substr(0, slash);
}

bool LFile::fileExist(std::string path) {
    // Separators are kept as given: on this platform "/" is the separator.
    // Opened without blocking, so that a FIFO does not wait for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Opening succeeds on a folder here; a folder does not count.
    struct stat info;
    const bool isFolder = fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    close(fd);
    return !isFolder;
}

std::string LFile::getFileExtension(std::string name) {
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos)
        return std::string();
    return LString::LowerCase(name.substr(dot + 1));
}
