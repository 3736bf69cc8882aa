#pragma once
// The significant decimal digits of a binary floating-point value, correctly rounded (ties to
// even), as the scientific form of the standard conversion gives them.

namespace pyx {

struct DecimalDigits
{
    bool negative = false;
    int count = 0;    // digits in `digits`, the significance asked for
    int exponent = 0; // value = d.ddd... * 10^exponent
    char digits[32] = {};
};

// `significant` from 1 to 17; `v` finite.
DecimalDigits scientificDigits(double v, int significant);

} // namespace pyx
