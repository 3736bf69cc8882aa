#pragma once
// The tests' own definition of writeFault() (base/write_faults.h), linked in place of the
// program's: a test makes the writes fail with a ScopedWriteFault. Not for threads.

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

} // namespace pyx
