#pragma once
// Opening a file for reading only when it is a regular file. The open does
// not wait (a FIFO would otherwise block until a writer came), then the open
// file itself is checked, so a device, FIFO, socket or folder is refused
// without being read.

#include <cstddef>
#include <cstdint>
#include <string>

// A descriptor for reading (blocking again, closed on exec), or -1 with
// `why` saying what is wrong. `size` gets the file's size.
int openRegularFile(const std::string& path, std::string* why, uint64_t* size);

// The whole content of a regular file of at most `maxBytes` (a larger one is
// refused unread; a file that grows while it is read is cut at its size when
// opened). False with `why` set when it cannot be read.
bool readRegularFile(const std::string& path, size_t maxBytes, std::string& text, std::string* why);
