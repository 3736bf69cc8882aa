#pragma once
// A text as a JSON string literal, for the dumps of the command-line tool and the
// drawing operations.

#include <string>

namespace pyx {

// Quotes and escapes `s` (UTF-8 passes through; control characters are escaped).
std::string quoteJson(const std::string& s);

} // namespace pyx
