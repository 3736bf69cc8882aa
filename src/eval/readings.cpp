#include "eval/readings.h"

#include <cmath>

#include "base/cp936.h"
#include "data/model.h"
#include "data/numfmt.h"

namespace pyx {

std::int32_t TimeToMinutes(std::string_view time)
{
    const std::string trimmed = trimBlanks(time);
    if (trimmed.empty() || trimmed == kNoTime)
        return 0;
    const auto colon = trimmed.find(':');
    if (colon == std::string::npos)
        return 0;
    const double hours = leadingNumber(std::string_view(trimmed).substr(0, colon));
    const double minutes = leadingNumber(std::string_view(trimmed).substr(colon + 1));
    return toLong(hours * 60 + minutes).value_or(0);
}

float RoundReading(float value, std::int16_t typeCode)
{
    const bool fine = typeCode == 3 || typeCode == 22 || typeCode == 38 || typeCode == 42 || typeCode == 55 ||
                      typeCode == 58;
    const std::string text = formatSingle(value, fine ? "##0.0000" : "##0.000");
    const std::size_t n = text.size();
    if (n >= 2 && text[n - 1] == '5') {
        const auto exact = toLong(static_cast<double>(value) * 10000);
        const auto shown = toLong(leadingNumber(text) * 10000);
        const char before = text[n - 2];
        const bool even = before >= '0' && before <= '9' && (before - '0') % 2 == 0;
        if (exact && shown && *exact == *shown && even)
            return toSingle(text.substr(0, n - 1)).value_or(value);
    }
    return toSingle(formatSingle(value, fine ? "#0.000" : "#0.00")).value_or(value);
}

ReadingDifference readingDifference(std::string_view upperText, std::string_view lowerText)
{
    const auto upper = toDouble(upperText);
    const auto lower = toDouble(lowerText);
    if (!upper || !lower)
        return {"--", "--"};
    const std::string diff = formatDouble(std::fabs(*upper - *lower), "#0.00");
    const double angle = std::atan(leadingNumber(diff) / 500) * 180 / 3.14159;
    return {diff, formatDouble(angle, "#0.0")};
}

} // namespace pyx
