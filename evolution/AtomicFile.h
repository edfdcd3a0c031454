#pragma once
// Writing a file so that it is either replaced whole or not at all: the bytes
// go to a temporary file in the target's folder, which is flushed to disk and
// then renamed over the target. A symbolic link is followed (its target is
// replaced, the link stays); an existing target that is not a regular file
// (a folder, device, FIFO or socket) is refused.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Whether writing `a` and writing `b` would replace the same file, however
// the two are spelled: links are followed, then existing files are compared
// by device and inode, new ones by their folder's resolved path and name.
bool namesSameFile(const std::string& a, const std::string& b);

// What a symbolic link at the target path means: the file to write (Follow)
// or a name to be taken over by the new file, its target untouched (Replace).
enum class AtomicLinks { Follow, Replace };

class AtomicFile {
  public:
    // Creates the temporary file next to `path`; check ok() afterwards.
    explicit AtomicFile(const std::string& path, AtomicLinks links = AtomicLinks::Follow);
    // Removes the temporary file unless commit() succeeded.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool ok() const { return error_.empty(); }
    // Why the file could not be written (empty while all is well).
    const std::string& error() const { return error_; }

    // Appends bytes (buffered); after a failure further writes do nothing.
    void write(const uint8_t* data, size_t size);
    // Flushes, syncs and closes the temporary file and renames it over the
    // target. Returns ok().
    bool commit();

  private:
    void fail(const std::string& what);
    bool flushBuffer();

    std::string path_;
    std::string tempPath_;
    int fd_ = -1;
    bool committed_ = false;
    std::string error_;
    std::vector<uint8_t> buffer_;
};
