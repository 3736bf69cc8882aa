#pragma once
// A number pattern applied to a text, as the dialogs and the raw data window show
// stored texts: a numeric text is formatted as its value, any other text is shown as it is.

#include <string>
#include <string_view>

namespace pyx {

std::string formatNumericText(std::string_view text, std::string_view pattern);

} // namespace pyx
