#include "tools/cli/sweep/SweepFiles.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "evolution/AtomicFile.h"
#include "evolution/RegularFile.h"
#include "tools/cli/CliError.h"

namespace {

constexpr mode_t LOG_MODE = 0666;

} // namespace

bool tryReadSweepFile(const std::string& path, size_t maxBytes, std::string& text,
                      std::string& why) {
    return readRegularFile(path, maxBytes, text, &why);
}

std::string readWholeFile(const std::string& path, size_t maxBytes) {
    std::string text, why;
    if (!tryReadSweepFile(path, maxBytes, text, why))
        throw fileError("cannot read " + path + ": " + why);
    return text;
}

void writeSweepFile(const std::string& path, const std::string& text) {
    AtomicFile out(path, AtomicLinks::Replace);
    out.write(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (!out.commit())
        throw fileError("cannot write " + path + ": " + out.error());
}

int createLogFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw fileError("cannot replace the log " + path + ": " + std::strerror(errno));
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, LOG_MODE);
    if (fd < 0)
        throw fileError("cannot create the log " + path + ": " + std::strerror(errno));
    return fd;
}

bool pathExists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

void removeIfLink(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        ::unlink(path.c_str());
}
