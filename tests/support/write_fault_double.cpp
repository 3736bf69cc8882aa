#include "support/write_fault_double.h"

namespace pyx {
namespace {
WriteFault g_fault;
int g_readFault = 0;
} // namespace

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

int readFault()
{
    return g_readFault;
}

ScopedReadFault::ScopedReadFault(int error)
{
    g_readFault = error;
}

ScopedReadFault::~ScopedReadFault()
{
    g_readFault = 0;
}

} // namespace pyx
