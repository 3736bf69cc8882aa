#pragma once
// The tests' own definitions of writeFault() and readFault() (base/write_faults.h), linked in
// place of the program's: a test makes the writes fail with a ScopedWriteFault and the reads
// with a ScopedReadFault. Not for threads.

#include "base/write_faults.h"

namespace pyx {

// Sets a fault for the life of the object.
class ScopedWriteFault
{
public:
    explicit ScopedWriteFault(const WriteFault& fault);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

class ScopedReadFault
{
public:
    explicit ScopedReadFault(int error);
    ~ScopedReadFault();
    ScopedReadFault(const ScopedReadFault&) = delete;
    ScopedReadFault& operator=(const ScopedReadFault&) = delete;
};

} // namespace pyx
