#pragma once
// Every file of a sweep is read and written here. Reads take regular files
// only (a FIFO, device or folder is refused at once, never waited on) and
// are bounded; writes replace their file whole and never follow a link at
// the name they write (the link itself is replaced, its target untouched).

#include <cstddef>
#include <string>

// The most a sweep reads of a file unless told otherwise.
constexpr size_t MAX_SWEEP_FILE_BYTES = size_t(1) << 30;

// The whole content of a regular file of at most `maxBytes`; a file error
// naming the file and the reason otherwise.
std::string readWholeFile(const std::string& path, size_t maxBytes = MAX_SWEEP_FILE_BYTES);
// The same, with the reason in `why` instead of an error.
bool tryReadSweepFile(const std::string& path, size_t maxBytes, std::string& text,
                      std::string& why);

// Writes text to `path`, replacing whatever file or link is there whole or
// not at all (a folder, FIFO, device or socket there is refused).
void writeSweepFile(const std::string& path, const std::string& text);

// A new, empty log file at `path` for writing (closed on exec): whatever was
// at that name (an old log, a link, a FIFO) is removed first, and the file is
// created afresh, never through a link. A file error when it cannot be.
int createLogFile(const std::string& path);

// Removes `path` when it is a symbolic link (its target is untouched).
void removeIfLink(const std::string& path);

// Whether something (of any kind, a dangling link too) is at `path`.
bool pathExists(const std::string& path);
