#include "base/write_faults.h"

namespace pyx {
namespace {
WriteFault g_fault;
int g_readFault = 0;
} // namespace

void setWriteFault(const WriteFault& fault)
{
    g_fault = fault;
}

const WriteFault& writeFault()
{
    return g_fault;
}

void setReadFault(int error)
{
    g_readFault = error;
}

int readFault()
{
    return g_readFault;
}

} // namespace pyx
