#include "evolution/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int openRegularFile(const std::string& path, std::string* why, uint64_t* size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        *why = std::strerror(errno);
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0)
        *why = std::strerror(errno);
    else if (!S_ISREG(st.st_mode))
        *why = S_ISDIR(st.st_mode) ? "it is a folder" : "not a regular file";
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        *why = std::strerror(errno);
    else {
        *size = static_cast<uint64_t>(st.st_size);
        return fd;
    }
    ::close(fd);
    return -1;
}

bool readRegularFile(const std::string& path, size_t maxBytes, std::string& text,
                     std::string* why) {
    uint64_t size = 0;
    const int fd = openRegularFile(path, why, &size);
    if (fd < 0)
        return false;
    if (size > maxBytes) {
        ::close(fd);
        *why = "larger than " + std::to_string(maxBytes) + " bytes";
        return false;
    }
    text.assign(static_cast<size_t>(size), '\0');
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::read(fd, &text[done], text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *why = std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break; // cut short while it was read
        done += static_cast<size_t>(n);
    }
    text.resize(done);
    ::close(fd);
    return true;
}
