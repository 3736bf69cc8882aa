#pragma once
// UTF-8 texts of the program to and from the UTF-16 of the Windows calls (Windows only).

#include <string>
#include <string_view>

namespace pyx {

// A UTF-8 path for the wide Windows calls, with '\' between its parts.
std::wstring widePath(std::string_view utf8);
std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);

} // namespace pyx
