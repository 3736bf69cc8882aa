#include "support/write_fault_double.h"

namespace pyx {
namespace {
WriteFault g_fault;
}

const WriteFault& writeFault()
{
    return g_fault;
}

ScopedWriteFault::ScopedWriteFault(const WriteFault& fault)
{
    g_fault = fault;
}

ScopedWriteFault::~ScopedWriteFault()
{
    g_fault = {};
}

} // namespace pyx
