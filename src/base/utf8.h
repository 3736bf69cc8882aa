#pragma once
// UTF-8 sequences of the texts in memory.

#include <cstddef>
#include <string>
#include <string_view>

namespace pyx {

// Length of the valid UTF-8 sequence at the start of `s` (its code point in `code`), or 0
// when none starts there: a stray byte, a cut sequence, an overlong form, a surrogate or a
// value past U+10FFFF.
std::size_t utf8SequenceLength(std::string_view s, char32_t* code = nullptr);

// Appends the UTF-8 bytes of code point `c` (at most U+10FFFF).
void appendUtf8(std::string& out, char32_t c);

} // namespace pyx
