// pyx-cli: the program's commands without a window.
//   pyx-cli inspect FILE [--settings S]   the model after opening FILE, as JSON

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/json_dump.h"
#include "data/file_commands.h"
#include "data/startup.h"
#include "eval/curve_scale.h"
#include "eval/evaluation.h"
#include "platform/scripted_dialogs.h"

namespace {

constexpr const char* kUsage = "usage: pyx-cli inspect FILE [--settings SETTINGS_FILE]\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

int inspect(const std::string& file, const std::string& settingsPath)
{
    auto data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    // The settings file is read but never written here.
    pyx::startValues(*data, settingsPath);
    pyx::FileCommands commands(*data, dialogs, std::string());
    pyx::TestData& model = *data;
    commands.hooks.evaluate = [&model] { pyx::ystodb(model); };
    commands.hooks.display = [&model] { pyx::display(model, pyx::CurveDrawers{}); };
    commands.openPath(file);
    for (const auto& m : dialogs.messages)
        std::cerr << m.title << " " << m.text << "\n";
    const pyx::DumpExtras extras;
    std::fputs(pyx::dumpModel(*data, extras).c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] != "inspect")
        return usage();
    std::string file;
    std::string settings;
    bool haveSettings = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--settings") {
            if (i + 1 >= args.size())
                return usage();
            settings = args[++i];
            haveSettings = true;
        } else if (args[i].rfind("--", 0) == 0 || !file.empty()) {
            return usage();
        } else {
            file = args[i];
        }
    }
    if (file.empty())
        return usage();
    // Without --settings the run starts from an empty settings table, checked as at start-up.
    return inspect(file, haveSettings ? settings : std::string());
}
