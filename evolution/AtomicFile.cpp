#include "evolution/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t BUFFER_BYTES = 1 << 16;
constexpr char TEMP_SUFFIX[] = ".tmp-XXXXXX";
constexpr mode_t NEW_FILE_MODE = 0666;
constexpr mode_t PERMISSION_BITS = 07777;

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// The mode the file would get if it were created normally: the old file's
// mode when it is replaced, else the usual mode under the process's umask.
mode_t targetMode(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & PERMISSION_BITS;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return NEW_FILE_MODE & ~mask;
}

// Makes the rename itself durable; a folder that cannot be synced is not an
// error (some file systems refuse it).
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

AtomicFile::AtomicFile(const std::string& path) : path_(path) {
    std::vector<char> name(path.begin(), path.end());
    name.insert(name.end(), TEMP_SUFFIX, TEMP_SUFFIX + sizeof(TEMP_SUFFIX));
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) {
        fail("cannot create a file in " + folderOf(path));
        return;
    }
    tempPath_ = name.data();
    if (::fchmod(fd_, targetMode(path)) != 0)
        fail("cannot set the file's permissions");
    buffer_.reserve(BUFFER_BYTES);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !tempPath_.empty())
        ::unlink(tempPath_.c_str());
}

void AtomicFile::fail(const std::string& what) {
    if (!error_.empty())
        return;
    const int err = errno;
    error_ = what + ": " + std::strerror(err);
}

bool AtomicFile::flushBuffer() {
    size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            fail("write failed");
            return false;
        }
        done += static_cast<size_t>(n);
    }
    buffer_.clear();
    return true;
}

void AtomicFile::write(const uint8_t* data, size_t size) {
    while (ok() && size > 0) {
        const size_t room = BUFFER_BYTES - buffer_.size();
        const size_t n = size < room ? size : room;
        buffer_.insert(buffer_.end(), data, data + n);
        data += n;
        size -= n;
        if (buffer_.size() == BUFFER_BYTES)
            flushBuffer();
    }
}

bool AtomicFile::commit() {
    if (!ok())
        return false;
    if (!flushBuffer())
        return false;
    if (::fsync(fd_) != 0) {
        fail("cannot flush the file to disk");
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        fail("cannot close the file");
        return false;
    }
    if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        fail("cannot replace the file");
        return false;
    }
    committed_ = true;
    syncFolder(folderOf(path_));
    return true;
}
