#pragma once
// Failures that tests inject into the atomic writes and the whole-file reads of file_io.h.
// Every file the program writes goes through writeFileAtomic, so a test can make any save
// fail at the n-th byte written, when the temporary file is closed (where the system hands
// over what it still buffers), when it is flushed to disk, when it is renamed over the
// target, or when the folder is flushed after the rename; and any read of a whole file fail.
// The program's own writeFault() and readFault() (write_faults.cpp) are never a fault; the
// tests link definitions of their own in their place (tests/support/write_fault_double.cpp),
// which a test sets with ScopedWriteFault and ScopedReadFault. Nothing in the program can set one.

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

// The fault every following write meets (WriteStep::None: none).
const WriteFault& writeFault();

// The error every following whole-file read meets (0: none).
int readFault();

} // namespace pyx
