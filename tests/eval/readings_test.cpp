#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "eval/readings.h"

namespace pyx {
namespace {

TEST(TimeToMinutes, ReadsHoursAndMinutesAndGivesZeroForNoTime)
{
    EXPECT_EQ(TimeToMinutes("8:05"), 485);
    EXPECT_EQ(TimeToMinutes("08:05"), 485);
    EXPECT_EQ(TimeToMinutes("  23:50    "), 1430);
    EXPECT_EQ(TimeToMinutes("10:3x"), 603); // leading-number parsing of each part
    EXPECT_EQ(TimeToMinutes("--:--"), 0);
    EXPECT_EQ(TimeToMinutes(""), 0);
    EXPECT_EQ(TimeToMinutes("     "), 0);
    EXPECT_EQ(TimeToMinutes("1030"), 0);
    EXPECT_EQ(TimeToMinutes("99999999:99"), 0); // beyond a whole number of minutes
}

TEST(RoundReading, ExactHalvesGoToTheEvenNeighbour)
{
    EXPECT_FLOAT_EQ(RoundReading(1.125f, 0), 1.12f);
    EXPECT_FLOAT_EQ(RoundReading(1.375f, 0), 1.38f);
    EXPECT_FLOAT_EQ(RoundReading(1.126f, 0), 1.13f);
    EXPECT_FLOAT_EQ(RoundReading(0.125f, 0), 0.12f);
    EXPECT_FLOAT_EQ(RoundReading(0.135f, 0), 0.14f);
    EXPECT_FLOAT_EQ(RoundReading(1.1251f, 0), 1.13f); // not exactly halfway
    EXPECT_FLOAT_EQ(RoundReading(-1.125f, 0), -1.12f);
}

TEST(RoundReading, ListedTypeCodesKeepThreeDecimals)
{
    for (const std::int16_t code : {3, 22, 38, 42, 55, 58}) {
        EXPECT_FLOAT_EQ(RoundReading(1.1245f, code), 1.124f) << code;
        EXPECT_FLOAT_EQ(RoundReading(1.1235f, code), 1.124f) << code;
    }
    EXPECT_FLOAT_EQ(RoundReading(1.1245f, 4), 1.12f);
}

TEST(RoundReading, NonFiniteReadingsComeBackUnchanged)
{
    EXPECT_TRUE(std::isnan(RoundReading(std::numeric_limits<float>::quiet_NaN(), 0)));
    EXPECT_EQ(RoundReading(std::numeric_limits<float>::infinity(), 0),
              std::numeric_limits<float>::infinity());
}

TEST(ReadingDifference, DifferenceAndRotationOverFiveHundredMillimetres)
{
    const ReadingDifference r = readingDifference("10.00", "1.27");
    EXPECT_EQ(r.diff, "8.73");
    EXPECT_EQ(r.angle, "1.0");
    EXPECT_EQ(readingDifference("1.27", "10.00").diff, "8.73");
    const ReadingDifference zero = readingDifference("0.50", "0.50");
    EXPECT_EQ(zero.diff, "0.00");
    EXPECT_EQ(zero.angle, "0.0");
    EXPECT_EQ(readingDifference("40.00", "5.10").angle, "4.0");
}

TEST(ReadingDifference, NotApplicableWhenAGaugePairIsOff)
{
    for (const auto& [upper, lower] :
         {std::pair{"--", "1.27"}, std::pair{"1.27", "--"}, std::pair{"--", "--"}}) {
        const ReadingDifference r = readingDifference(upper, lower);
        EXPECT_EQ(r.diff, "--");
        EXPECT_EQ(r.angle, "--");
    }
}

} // namespace
} // namespace pyx
