#pragma once
// Byte layouts of the three record kinds of the test files.

#include <string>
#include <string_view>

#include "data/model.h"

namespace pyx {

inline constexpr std::size_t kJlbRecSize = 112;
inline constexpr std::size_t kYsRecOldSize = 267;
inline constexpr std::size_t kYsRecSize = 311;

// Each decoder reads one record from the start of `bytes` into every field of `into`;
// missing bytes read as zero numbers and blank texts.
void decodeJlbRec(std::string_view bytes, JlbRec& into);
void decodeYsRecOld(std::string_view bytes, YsRecOld& into);
void decodeYsRec(std::string_view bytes, YsRec& into);
inline JlbRec decodeJlbRec(std::string_view bytes)
{
    JlbRec r;
    decodeJlbRec(bytes, r);
    return r;
}
inline YsRecOld decodeYsRecOld(std::string_view bytes)
{
    YsRecOld r;
    decodeYsRecOld(bytes, r);
    return r;
}
inline YsRec decodeYsRec(std::string_view bytes)
{
    YsRec r;
    decodeYsRec(bytes, r);
    return r;
}

std::string encodeJlbRec(const JlbRec& r);
std::string encodeYsRecOld(const YsRecOld& r);
std::string encodeYsRec(const YsRec& r);

} // namespace pyx
