#include "base/config_file.h"

#include <windows.h>

#include "base/wide_text_win32.h"

namespace pyx {

std::string configFilePath(const std::string& name)
{
    wchar_t buf[MAX_PATH + 1];
    const DWORD n = ::GetEnvironmentVariableW(L"APPDATA", buf, MAX_PATH + 1);
    const std::string base = n > 0 && n <= MAX_PATH ? utf8Text(std::wstring_view(buf, n)) : std::string(".");
    return base + "\\PYX\\" + name;
}

} // namespace pyx
