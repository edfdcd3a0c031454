#include "evolution/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
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
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
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

constexpr int MAX_LINKS = 40; // as the kernel allows when it resolves a path

// The file a path names once symbolic links are followed: saving through a
// link replaces its target and keeps the link. A link to a file that does
// not exist yet names that file. Returns false (errno set) when the links
// run in a circle or cannot be read.
bool followLinks(std::string& path) {
    for (int k = 0; k < MAX_LINKS; ++k) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0)
            return false;
        if (static_cast<size_t>(n) >= target.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string link(target.data(), static_cast<size_t>(n));
        path = link[0] == '/' ? link : folderOf(path) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

// Why an existing file at `path` must not be replaced (empty when it may):
// only regular files (and links, when they are replaced themselves) are, so
// a device, FIFO or socket stays as it is.
std::string notReplaceable(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))
        return std::string();
    if (S_ISDIR(st.st_mode))
        return "it is a folder";
    return "it is not a regular file (a device, FIFO or socket)";
}

// A file that does not exist yet, named by its folder's resolved path.
std::string resolvedName(const std::string& path) {
    const std::string folder = folderOf(path);
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    char* real = ::realpath(folder.c_str(), nullptr);
    if (!real)
        return path;
    const std::string resolved = std::string(real) + "/" + name;
    std::free(real);
    return resolved;
}

} // namespace

bool namesSameFile(const std::string& a, const std::string& b) {
    std::string fileA = a, fileB = b;
    if (!followLinks(fileA) || !followLinks(fileB))
        return a == b;
    struct stat stA, stB;
    const bool hasA = ::stat(fileA.c_str(), &stA) == 0;
    const bool hasB = ::stat(fileB.c_str(), &stB) == 0;
    if (hasA || hasB)
        return hasA && hasB && stA.st_dev == stB.st_dev && stA.st_ino == stB.st_ino;
    return resolvedName(fileA) == resolvedName(fileB);
}

AtomicFile::AtomicFile(const std::string& path, AtomicLinks links) : path_(path) {
    if (links == AtomicLinks::Follow && !followLinks(path_)) {
        fail("cannot follow the link " + path);
        return;
    }
    const std::string refusal = notReplaceable(path_);
    if (!refusal.empty()) {
        error_ = refusal;
        return;
    }
    std::vector<char> name(path_.begin(), path_.end());
    name.insert(name.end(), TEMP_SUFFIX, TEMP_SUFFIX + sizeof(TEMP_SUFFIX));
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) {
        fail("cannot create a file in " + folderOf(path_));
        return;
    }
    tempPath_ = name.data();
    if (::fchmod(fd_, targetMode(path_)) != 0)
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
