#pragma once
// The program's UTF-8 paths as std::filesystem paths and back, the same on every system (a
// plain std::string would be taken in the Windows code page there).

#include <filesystem>
#include <string>

namespace pyx {

inline std::filesystem::path utf8Path(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8String(const std::filesystem::path& path)
{
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

} // namespace pyx
