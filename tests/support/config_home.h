#pragma once
// Points the program's configuration folder at a folder of the test for its lifetime, so
// that what a test keeps in the user's settings never touches the real ones.

#include <cstdlib>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pyx::test {

class ScopedConfigHome
{
public:
    explicit ScopedConfigHome(const std::string& folder)
    {
        if (const char* old = std::getenv(kVariable))
            old_ = old;
        set(folder.c_str());
    }
    ~ScopedConfigHome() { set(old_ ? old_->c_str() : nullptr); }
    ScopedConfigHome(const ScopedConfigHome&) = delete;
    ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;

private:
#ifdef _WIN32
    static constexpr const char* kVariable = "APPDATA";
    static void set(const char* value)
    {
        ::SetEnvironmentVariableA(kVariable, value);
        ::_putenv_s(kVariable, value ? value : "");
    }
#else
    static constexpr const char* kVariable = "XDG_CONFIG_HOME";
    static void set(const char* value)
    {
        if (value)
            ::setenv(kVariable, value, 1);
        else
            ::unsetenv(kVariable);
    }
#endif
    std::optional<std::string> old_;
};

} // namespace pyx::test
