#pragma once
// Failures that tests inject into the atomic writes of file_io.h. Every file the program
// writes goes through writeFileAtomic, so a test can make any save fail at the n-th byte
// written, when the temporary file is closed (where the system hands over what it still
// buffers), when it is flushed to disk, or when it is renamed over the target.

#include <cerrno>
#include <cstddef>

namespace pyx {

enum class WriteStep
{
    None,
    Byte,   // the write of byte `byte` (0-based) fails; the bytes before it reach the file
    Flush,  // closing the temporary file fails
    Sync,   // flushing it to disk fails
    Rename, // renaming it over the target fails
};

struct WriteFault
{
    WriteStep step = WriteStep::None;
    std::size_t byte = 0;
    int error = EIO;
};

// The fault every following write meets (WriteStep::None: none). Not for threads.
void setWriteFault(const WriteFault& fault);
const WriteFault& writeFault();

// Sets a fault for the life of the object.
class ScopedWriteFault
{
public:
    explicit ScopedWriteFault(const WriteFault& fault) { setWriteFault(fault); }
    ~ScopedWriteFault() { setWriteFault({}); }
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

} // namespace pyx
