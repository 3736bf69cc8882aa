#include "base/write_faults.h"

namespace pyx {
namespace {
WriteFault g_fault;
}

void setWriteFault(const WriteFault& fault)
{
    g_fault = fault;
}

const WriteFault& writeFault()
{
    return g_fault;
}

} // namespace pyx
