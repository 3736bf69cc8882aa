#pragma once
// Rules on single observations: the time of a reading in minutes, the rounding of a
// printed reading, and the reading difference between upper and lower gauges.

#include <cstdint>
#include <string>
#include <string_view>

namespace pyx {

// Minutes since midnight of an "hh:mm" text. "--:--", an empty text and a text
// without a colon give 0; each part is read as a leading number ("08" is 8).
std::int32_t TimeToMinutes(std::string_view time);

// A reading rounded for print to two decimals (three for the type codes 3, 22, 38, 42,
// 55 and 58); a reading exactly halfway goes to the even neighbour (1.125 gives 1.12).
float RoundReading(float value, std::int16_t typeCode);

// The loading reading difference of the upper and lower gauges ("#0.00") and the pile
// rotation it means, in degrees ("#0.0"), over the fixed base of 500 mm.
struct ReadingDifference
{
    std::string diff;
    std::string angle;
};

// From the upper and lower loading texts as a table shows them; "--" in both results
// when either side is not a number (a gauge pair that is not in use shows "--").
ReadingDifference readingDifference(std::string_view upperText, std::string_view lowerText);

} // namespace pyx
