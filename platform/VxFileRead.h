#pragma once

// Reading a whole file without ever waiting on something that is not one.
//
// Only a regular file (or a symbolic link to one) is read.  A FIFO, a
// device, a socket or a directory is refused before anything is read,
// with what it is (VxFileError.h): opening a FIFO for reading would wait
// for a writer for ever, and a device may never end.  The file is checked
// before it is opened and again, on the descriptor, after: it is opened
// without blocking, so a FIFO put in its place in between is refused too.

#include "platform/VxFileError.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The bytes of the file at `path`, at most `limit` of them and one more, so
// that a caller sees a file longer than it accepts without reading it
// whole.  Throws EVxFileError: a TVxFileRefusal for what is no regular
// file, the system's errno otherwise (ENOENT when nothing is there).
std::vector<uint8_t> VxReadFile(const std::string& path, size_t limit);

// VxReadFile, or nothing when nothing is at `path` (a dangling symbolic
// link included).
std::optional<std::vector<uint8_t>> VxReadFileIfAny(const std::string& path, size_t limit);
