#pragma once
// What the fuzz targets share: a private folder for the files they open, and the main
// window's headless logic started as at program start.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"

namespace pyx::fuzz {

inline const std::string& workDir()
{
    static const std::string dir = [] {
        std::string pattern = "/tmp/pyx-fuzz-XXXXXX";
        const char* made = ::mkdtemp(pattern.data());
        if (!made)
            std::abort();
        // The settings file of every window lives here too; a start-up never finds one.
        ::setenv("XDG_CONFIG_HOME", made, 1);
        return std::string(made);
    }();
    return dir;
}

// The name endings the open command tells apart.
inline constexpr const char* kEndings[] = {"pys", "PYS", "dat", "pyw", "pyx"};

inline std::string writeInput(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const std::string path = workDir() + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

// The test data are large: one block serves every run, set back to the start values
// before each (a fresh block per run would spend the time in the allocator).
inline TestData& freshData()
{
    static const auto blank = std::make_unique<TestData>();
    static const auto data = std::make_unique<TestData>();
    *data = *blank;
    return *data;
}

struct Window
{
    TestData* data = &freshData();
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    Window() : window(std::make_unique<MainWindow>(*data, dialogs, workDir() + "/pyx/spconfig.sys"))
    {
        window->load(1366);
    }
    void open(const std::string& path) { window->files.openPath(path); }
};

} // namespace pyx::fuzz
