#pragma once
// Failures that tests inject into the atomic writes and the whole-file reads of file_io.h.
// Every file the program writes goes through writeFileAtomic, so a test can make any save
// fail at the n-th byte written, when the temporary file is closed (where the system hands
// over what it still buffers), when it is flushed to disk, when it is renamed over the
// target, or when the folder is flushed after the rename; and any read of a whole file
// fail.

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
    Folder, // flushing the folder after the rename fails (the target is then replaced)
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

// The error every following whole-file read meets (0: none). Not for threads.
void setReadFault(int error);
int readFault();

// Sets a fault for the life of the object.
class ScopedWriteFault
{
public:
    explicit ScopedWriteFault(const WriteFault& fault) { setWriteFault(fault); }
    ~ScopedWriteFault() { setWriteFault({}); }
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

class ScopedReadFault
{
public:
    explicit ScopedReadFault(int error) { setReadFault(error); }
    ~ScopedReadFault() { setReadFault(0); }
    ScopedReadFault(const ScopedReadFault&) = delete;
    ScopedReadFault& operator=(const ScopedReadFault&) = delete;
};

} // namespace pyx
