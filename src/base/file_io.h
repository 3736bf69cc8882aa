#pragma once
// Whole-file reads and atomic whole-file writes. Paths are UTF-8. The system calls are in
// file_io_posix.cpp and file_io_win32.cpp.

#include <cstddef>
#include <optional>
#include <string>

#include "base/io_result.h"

namespace pyx {

struct ReadResult
{
    std::optional<std::string> bytes; // empty when the file could not be read
    std::string error;                // the system's reason
    bool missing = false;             // the file does not exist
};

// Reads the file, or its first `maxBytes` bytes. Only a regular file is read: a device or a
// pipe is refused without waiting for it.
ReadResult readWholeFile(const std::string& path, std::size_t maxBytes = static_cast<std::size_t>(-1));

// Length of the file in bytes, or nullopt (with the reason) when it cannot be read.
std::optional<unsigned long long> fileLength(const std::string& path, std::string* error = nullptr);

// Creates an empty file at `path` unless there is one; a failure shows when the file is read.
void createIfMissing(const std::string& path);

// Something is at `path` (a file, a folder, a link even when it leads nowhere).
bool pathExists(const std::string& path);

// Something is at `path` that a write must not replace: a folder, or a file the user may not write.
bool cannotReplace(const std::string& path);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and renames
// it over `path`. A `path` that is a symbolic link keeps it: the file it leads to is the
// one replaced, with the temporary file beside that one. Only a regular file (or a new
// name) is replaced; the replacement keeps the old file's mode, and its owner and group
// where the system allows. A failure carries the system's reason; the old file is then
// untouched, except when only the final flush of the folder failed (said in the reason).
IoResult writeFileAtomic(const std::string& path, const std::string& bytes);

} // namespace pyx
