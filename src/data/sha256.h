#pragma once
// SHA-256 (FIPS 180-4) of a byte string, as 64 lower-case hexadecimal digits.

#include <string>
#include <string_view>

namespace pyx {

std::string sha256Hex(std::string_view bytes);

} // namespace pyx
