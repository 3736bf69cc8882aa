#pragma once
// Reading the small JSON files the program keeps beside a test or in the user's settings: one
// flat object of strings, numbers, booleans and nulls.

#include <map>
#include <optional>
#include <string>

namespace pyx {

// The values of a flat JSON object: strings as they are, numbers and booleans as their text,
// null as nothing. Anything else (nesting, a broken text) gives no object.
using FlatJsonValues = std::map<std::string, std::optional<std::string>>;
std::optional<FlatJsonValues> parseFlatJson(const std::string& text);

} // namespace pyx
