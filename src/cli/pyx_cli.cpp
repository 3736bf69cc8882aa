// pyx-cli: the program's commands without a window.
//   pyx-cli inspect FILE [--settings S]   the model after opening FILE, as JSON
//   pyx-cli draw FILE --curve 1|2 [--settings S] [--png OUT.png]
//                                         the curve's drawing operations, one JSON object a
//                                         line, or the curve as an image

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/json_dump.h"
#include "mainwin/main_window.h"
#include "mainwin/summary_tables.h"
#include "platform/scripted_dialogs.h"
#include "rawview/raw_view.h"
#include "reports/report_data.h"

#ifdef PYX_CLI_PNG
#include <QGuiApplication>

#include "platform/qt/painter_canvas.h"
#endif

namespace {

constexpr const char* kUsage =
    "usage: pyx-cli inspect FILE [--settings SETTINGS_FILE]\n"
    "       pyx-cli draw FILE --curve 1|2 [--settings SETTINGS_FILE] [--png OUT.png]\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

std::vector<std::vector<std::string>> gridTexts(const pyx::TextGrid& grid)
{
    std::vector<std::vector<std::string>> rows(grid.rows());
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c)
            rows[r].push_back(grid.text(r, c));
    return rows;
}

// The raw data window as it opens on the test. Opening it changes raw rows, so it
// opens on a copy and the rest of the dump sees the test as the open left it.
std::string rawviewJson(const pyx::TestData& data)
{
    auto copy = std::make_unique<pyx::TestData>(data);
    pyx::TextGrid grid;
    pyx::RawDataView view(*copy, grid);
    view.open();
    pyx::JsonWriter w;
    w.beginObject();
    w.key("header");
    w.beginObject();
    for (const auto& [name, text] : view.headerLines()) {
        w.key(name);
        w.value(text);
    }
    w.endObject();
    w.key("grid");
    w.beginArray();
    for (const auto& row : gridTexts(grid)) {
        w.beginArray();
        for (const auto& cell : row)
            w.value(cell);
        w.endArray();
    }
    w.endArray();
    w.endObject();
    return w.text();
}

int inspect(const std::string& file, const std::string& settingsPath)
{
    auto data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    // The window's own start-up and open; nothing here writes the settings file.
    pyx::MainWindow window(*data, dialogs, settingsPath);
    window.load(0);
    window.files.openPath(file);
    for (const auto& m : dialogs.messages)
        std::cerr << m.title << " " << m.text << "\n";

    pyx::DumpExtras extras;
    extras.recordGrid = gridTexts(window.grid);
    // The summaries are built on scratch grids, so the record table above stays as opened.
    pyx::TextGrid simple;
    pyx::headJyhzb(simple, data->screenpx);
    pyx::TextGrid full;
    pyx::headHzb(full, data->screenpx);
    if (!data->curfile.empty()) {
        pyx::fillSimpleSummary(simple, *data);
        pyx::fillFullSummary(full, *data);
    }
    extras.simpleGrid = gridTexts(simple);
    extras.fullGrid = gridTexts(full);
    extras.dataJlb = pyx::DataJlb(*data);
    extras.dataHzb = pyx::DataHzb(*data);
    if (data->ftype == pyx::FileKind::Raw311) {
        // The raw data report refreshes the gauge weights: it is built on a copy.
        auto copy = std::make_unique<pyx::TestData>(*data);
        extras.dataYsb = pyx::DataYsb(*copy);
    }
    if (!data->curfile.empty() && data->ftype == pyx::FileKind::Raw311)
        extras.rawviewJson = rawviewJson(*data);
    std::fputs(pyx::dumpModel(*data, extras).c_str(), stdout);
    return 0;
}

// The curve as the window draws it after opening the file.
int draw(const std::string& file, const std::string& settingsPath, const std::string& curve,
         const std::string& png, int argc, char** argv)
{
    auto data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    pyx::MainWindow window(*data, dialogs, settingsPath);
    window.load(0);
    window.files.openPath(file);
    for (const auto& m : dialogs.messages)
        std::cerr << m.title << " " << m.text << "\n";
    window.dispatch(curve == "2" ? "miCh0y" : "miCh0t");
    const pyx::Drawing& ops = window.curves.surface.ops();
    if (png.empty()) {
        for (const pyx::CanvasOp& op : ops)
            std::cout << pyx::toJson(op) << "\n";
        return 0;
    }
#ifdef PYX_CLI_PNG
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!pyx::saveDrawing(ops, QString::fromStdString(png), QSize(1200, 1300))) {
        std::cerr << "pyx-cli: cannot write " << png << "\n";
        return 1;
    }
    return 0;
#else
    (void)argc;
    (void)argv;
    std::cerr << "pyx-cli: this build renders no images (--png needs the Qt build)\n";
    return 2;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || (args[0] != "inspect" && args[0] != "draw"))
        return usage();
    const bool drawing = args[0] == "draw";
    std::string file;
    std::string settings;
    std::string curve;
    std::string png;
    bool haveSettings = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--settings") {
            if (i + 1 >= args.size())
                return usage();
            settings = args[++i];
            haveSettings = true;
        } else if (drawing && (args[i] == "--curve" || args[i] == "--png")) {
            if (i + 1 >= args.size())
                return usage();
            (args[i] == "--curve" ? curve : png) = args[i + 1];
            ++i;
        } else if (args[i].rfind("--", 0) == 0 || !file.empty()) {
            return usage();
        } else {
            file = args[i];
        }
    }
    if (file.empty() || (drawing && curve != "1" && curve != "2"))
        return usage();
    // Without --settings the run starts from an empty settings table, checked as at start-up.
    if (drawing)
        return draw(file, haveSettings ? settings : std::string(), curve, png, argc, argv);
    return inspect(file, haveSettings ? settings : std::string());
}
