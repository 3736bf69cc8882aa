#include "data/text_format.h"

#include "data/numfmt.h"

namespace pyx {

std::string formatNumericText(std::string_view text, std::string_view pattern)
{
    if (const auto v = toDouble(text))
        return formatDouble(*v, pattern);
    return std::string(text);
}

} // namespace pyx
