#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pyx {

// Texts in memory are UTF-8; the files hold code page 936 bytes.

// CP936 bytes to UTF-8. Each byte that starts no valid character becomes U+FFFD, as does a
// well-formed double-byte pair that has no character and a lead byte cut off at the end.
// NUL bytes become U+0000.
std::string decodeCp936(std::string_view bytes);

// UTF-8 to CP936 bytes. A character that has no CP936 code, and each byte that is not valid
// UTF-8, becomes '?'.
std::string encodeCp936(std::string_view utf8);

// Exactly n bytes: the CP936 text cut to n bytes without splitting a double-byte character (a
// lead byte 0x81..0xFE whose pair does not fit becomes a blank), then padded with blanks.
std::string fitField(std::string_view cp936bytes, std::size_t n);

// Without leading and trailing blanks (' ' only).
std::string trimBlanks(std::string_view s);
// Without trailing blanks (' ' only).
std::string trimRightBlanks(std::string_view s);

} // namespace pyx
