#include "data/mark_slots.h"

#include "data/numfmt.h"

namespace pyx {

std::optional<int> markedPoint(float mark)
{
    const auto i = toInteger(mark);
    if (!i || *i < 0 || *i >= kGradPointCount)
        return std::nullopt;
    return *i;
}

} // namespace pyx
