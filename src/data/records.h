#pragma once
// Byte layouts of the three record kinds of the test files.

#include <string>
#include <string_view>

#include "data/model.h"

namespace pyx {

inline constexpr std::size_t kJlbRecSize = 112;
inline constexpr std::size_t kYsRecOldSize = 267;
inline constexpr std::size_t kYsRecSize = 311;

// Each decoder reads one record from the start of `bytes`; missing bytes read as
// zero numbers and blank texts.
JlbRec decodeJlbRec(std::string_view bytes);
YsRecOld decodeYsRecOld(std::string_view bytes);
YsRec decodeYsRec(std::string_view bytes);

std::string encodeJlbRec(const JlbRec& r);
std::string encodeYsRecOld(const YsRecOld& r);
std::string encodeYsRec(const YsRec& r);

} // namespace pyx
