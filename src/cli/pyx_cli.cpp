// pyx-cli: the program's commands without a window.
//   pyx-cli inspect FILE [--settings S]   the model after opening FILE, as JSON
//   pyx-cli draw FILE --curve 1|2 [--settings S] [--png OUT.png]
//                                         the curve's drawing operations, one JSON object a
//                                         line, or the curve as an image
//   pyx-cli report FILE [--settings S] [--word] [--changes]
//                  (--outline | --pdf OUT | --rtf OUT | --docx OUT | --xlsx OUT)
//                                         the report document: its outline as JSON, a PDF, the
//                                         Word export as RTF or .docx, or the Excel export
//   pyx-cli stats FILE... [--json] [--rule hcr|y10|y6] [--settings S] [--pdf|--rtf|--docx|--xlsx OUT]
//                                         the piles side by side with their statistics
//   pyx-cli analyse FILE [--settings S] [--json]
//                                         the test analysis: suggested loads, m, characteristic
//                                         value, schedule check

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/test_analysis.h"
#include "base/program_arguments.h"
#include "cli/analysis_dump.h"
#include "cli/json_dump.h"
#include "cli/stats_command.h"
#include "data/settings_entries.h"
#include "platform/page_document.h"
#include "platform/text_measure.h"
#include "rawview/raw_view.h"
#include "reports/report_build.h"
#include "reports/report_data.h"
#include "reports/word_export.h"
#include "reports/xlsx_export.h"
#include "session/test_session.h"
#include "tables/summary_tables.h"

#ifdef PYX_CLI_PNG
#include <QGuiApplication>

#include "platform/qt/painter_canvas.h"
#include "platform/qt/qt_picture_encoder.h"
#include "platform/qt/qt_text_measure.h"
#include "reports/qt/pdf_export.h"
#endif

namespace {

#ifdef PYX_CLI_PNG
// A headless Qt for images and PDF: standard error carries the program's messages only, not
// Qt's notes about the desktop it does not have.
void startQuietQt()
{
    // Without a display on Linux: the offscreen platform. Windows has its own platform on every
    // machine, which opens no window for a tool that shows none.
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << text.toStdString() << "\n";
    });
}
#endif

constexpr const char* kUsage =
    "usage: pyx-cli inspect FILE [--settings SETTINGS_FILE]\n"
    "       pyx-cli draw FILE --curve 1|2 [--settings SETTINGS_FILE] [--png OUT.png]\n"
    "       pyx-cli report FILE [--settings SETTINGS_FILE] [--word] [--changes]\n"
    "                      (--outline | --pdf OUT.pdf | --rtf OUT.rtf | --docx OUT.docx | --xlsx OUT.xlsx)\n"
    "       pyx-cli stats FILE... [--json] [--standard jgj106|gb50007] [--cap-le3]\n"
    "                      [--rule hcr|y10|y6|allowable|hu] [--allowable MM] [--settings SETTINGS_FILE]\n"
    "                      [--pdf OUT.pdf | --rtf OUT.rtf | --docx OUT.docx | --xlsx OUT.xlsx]\n"
    "       pyx-cli analyse FILE [--settings SETTINGS_FILE] [--standard jgj106|gb50007] [--json]\n";

constexpr const char* kHelp =
    "pyx-cli: the test data processing of PYX without its window.\n"
    "\n"
    "  inspect FILE       opens FILE as the window does and prints the test as JSON\n"
    "  draw FILE --curve 1|2 [--png OUT.png]\n"
    "                     the H0-t-Y0 (1) or H0-dY0/dH0 (2) curve: its drawing operations, one\n"
    "                     JSON object a line, or an image\n"
    "  report FILE [--word] (--outline | --pdf OUT.pdf | --rtf OUT.rtf | --docx OUT.docx |\n"
    "                     --xlsx OUT.xlsx)\n"
    "                     the report document of the print preview (or with --word of the Word\n"
    "                     export): its outline as JSON, a PDF, the Word document, or the Excel\n"
    "                     workbook (a sheet per report table, the curves on a sheet of their own);\n"
    "                     --changes adds the record of changes against the logger's readings\n"
    "  stats FILE...      the piles of a unit project side by side: each file's pile, Hcr and Hu\n"
    "                     from its marks, the statistics of Hcr and Hu with every step and the\n"
    "                     characteristic value; as text, as JSON, or the summary report as PDF,\n"
    "                     RTF or .docx. --standard: the rule set (JGJ 106-2014, the default, or\n"
    "                     GB 50007-2011); --cap-le3: the cap holds 3 piles or fewer (the lowest\n"
    "                     value is taken); --rule: 0.75 Hcr, 0.75 of the load at Y0 = 10 or 6 mm,\n"
    "                     the load at the allowable displacement --allowable MM (JGJ 106-2014),\n"
    "                     or 0.5 Hu (GB 50007-2011)\n"
    "  analyse FILE [--json]\n"
    "                     suggested critical and ultimate loads, the coefficient m, the\n"
    "                     characteristic value and the schedule check, as text or JSON; the pile\n"
    "                     inputs and the standard come from FILE.analysis.json beside FILE when\n"
    "                     it exists (--standard overrides the standard)\n"
    "\n"
    "  --settings FILE    the settings file to start from (never written); without it the\n"
    "                     settings start empty and are checked as at start-up\n"
    "  --help             this text\n"
    "\n"
    "Exit status: 0 done, 1 an output file could not be written (analyse: FILE could not be\n"
    "opened), 2 a usage error.\n";

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

// The window's own start-up and open of FILE, without the window; nothing here writes the
// settings file. The messages the user would see go to standard error.
std::unique_ptr<pyx::OpenedTest> openTest(const std::string& file, const std::string& settingsPath)
{
    auto opened = pyx::openTestAlone(file, settingsPath);
    for (const auto& m : opened->dialogs.messages)
        std::cerr << m.title << " " << m.text << "\n";
    return opened;
}

int inspect(const std::string& file, const std::string& settingsPath)
{
    const auto opened = openTest(file, settingsPath);
    pyx::TestData* data = opened->data.get();
    pyx::TestSession& window = *opened->session;

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
    const auto opened = openTest(file, settingsPath);
    pyx::CurvePanel& curves = opened->session->curves;
    if (curve == "2")
        curves.MenuSLgQcurve_Click();
    else
        curves.DrawChartQS_Click();
    const pyx::Drawing& ops = curves.surface.ops();
    if (png.empty()) {
        for (const pyx::CanvasOp& op : ops)
            std::cout << pyx::toJson(op) << "\n";
        return 0;
    }
#ifdef PYX_CLI_PNG
    startQuietQt();
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

// The report document as the preview (or, with --word, the Word export) builds it.
struct ReportRequest
{
    bool word = false;
    bool changes = false; // the record of changes, whatever the settings say
    std::string format;   // "outline", "pdf", "rtf", "docx" or "xlsx"
    std::string out;
};

int report(const std::string& file, const std::string& settingsPath, const ReportRequest& req, int argc,
           char** argv)
{
#ifdef PYX_CLI_PNG
    startQuietQt();
    QGuiApplication app(argc, argv);
    const pyx::QtTextMeasure measure;
#else
    (void)argc;
    (void)argv;
    const pyx::FixedTextMeasure measure;
#endif
    const bool wordFile = req.format == "rtf" || req.format == "docx" || req.format == "xlsx";
#ifndef PYX_CLI_PNG
    if (wordFile) {
        std::cerr << "pyx-cli: this build draws no pictures (--" << req.format << " needs the Qt build)\n";
        return 2;
    }
#endif
    const auto opened = openTest(file, settingsPath);
    if (req.changes)
        pyx::setSettingFlag(opened->data->csz, pyx::setting::kPrintChangeRecord, true);
#ifdef PYX_CLI_PNG
    if (wordFile) {
        const pyx::QtPictureEncoder encoder;
        if (req.format == "xlsx") {
            if (const pyx::IoResult written =
                    pyx::exportXlsx(*opened->data, opened->session->grid.rows(), measure, encoder, req.out);
                !written) {
                std::cerr << "pyx-cli: " << req.out << ": " << written.reason() << "\n";
                return 1;
            }
            return 0;
        }
        const pyx::WordFormat format = req.format == "docx" ? pyx::WordFormat::Docx : pyx::WordFormat::Rtf;
        if (const pyx::IoResult written = pyx::exportWord(*opened->data, opened->session->grid.rows(),
                                                          measure, encoder, req.out, format);
            !written) {
            std::cerr << "pyx-cli: " << req.out << ": " << written.reason() << "\n";
            return 1;
        }
        return 0;
    }
#endif
    pyx::PageDocument doc(measure);
    pyx::ReportBuilder builder(*opened->data, opened->session->grid.rows());
    if (req.word)
        builder.buildWord(doc);
    else
        builder.buildPreview(doc);
    if (req.format == "outline") {
        std::fputs(pyx::outlineJson(pyx::outlineOf(doc)).c_str(), stdout);
        return 0;
    }
#ifdef PYX_CLI_PNG
    if (const pyx::IoResult written = pyx::exportPdf(doc, req.out); !written) {
        std::cerr << "pyx-cli: " << written.reason() << "\n";
        return 1;
    }
    return 0;
#else
    std::cerr << "pyx-cli: this build writes no PDF (--pdf needs the Qt build)\n";
    return 2;
#endif
}

// The analysis of the test as the analysis window shows it after opening the file.
int analyse(const std::string& file, const std::string& settingsPath, bool json,
            std::optional<pyx::Standard> standard)
{
    const auto opened = openTest(file, settingsPath);
    const pyx::TestData& data = *opened->data;
    if (data.curfile.empty()) {
        std::cerr << "pyx-cli: " << file << ": no test could be opened\n";
        return 1;
    }
    pyx::TestInputs inputs = pyx::inputsForTest(data.curfile, data.jlb[3].cstr.trimmed());
    if (!inputs.read.problem.empty())
        std::cerr << inputs.read.problem << "\n";
    if (standard) {
        inputs.read.inputs.standard = *standard;
        inputs.read.inputs.rule = pyx::ruleUnder(*standard, inputs.read.inputs.rule);
    }
    const pyx::TestAnalysis a = pyx::analyseTest(data, opened->session->grid.rows(), inputs.read.inputs);
    std::fputs((json ? pyx::analysisJson(a) : pyx::analysisText(a)).c_str(), stdout);
    return 0;
}

// The options of inspect, draw, report and analyse.
struct CliOptions
{
    std::string command;
    std::string file;
    std::optional<std::string> settings;
    std::string curve;
    std::string png;
    ReportRequest req;
    bool json = false;
    std::optional<pyx::Standard> standard;
};

bool takesValue(const std::string& command, const std::string& a)
{
    const bool reportOutput = a == "--pdf" || a == "--rtf" || a == "--docx" || a == "--xlsx";
    return a == "--settings" || (command == "draw" && (a == "--curve" || a == "--png")) ||
           (command == "report" && reportOutput) || (command == "analyse" && a == "--standard");
}

// False for a value the option does not take.
bool setValue(CliOptions& o, const std::string& a, const std::string& v)
{
    if (a == "--settings") {
        o.settings = v;
    } else if (a == "--curve") {
        o.curve = v;
    } else if (a == "--png") {
        o.png = v;
    } else if (a == "--standard") {
        o.standard = pyx::standardFromText(v);
        return o.standard.has_value();
    } else {
        if (!o.req.format.empty())
            return false;
        o.req.format = a.substr(2);
        o.req.out = v;
    }
    return true;
}

// A flag of the command or the file; false for anything else.
bool setFlag(CliOptions& o, const std::string& a)
{
    const bool report = o.command == "report";
    if (report && a == "--outline") {
        if (!o.req.format.empty())
            return false;
        o.req.format = "outline";
    } else if (report && a == "--word") {
        o.req.word = true;
    } else if (report && a == "--changes") {
        o.req.changes = true;
    } else if (o.command == "analyse" && a == "--json") {
        o.json = true;
    } else if (a.rfind("--", 0) == 0 || !o.file.empty()) {
        return false;
    } else {
        o.file = a;
    }
    return true;
}

std::optional<CliOptions> parseOptions(const std::vector<std::string>& args)
{
    CliOptions o;
    o.command = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (takesValue(o.command, a)) {
            if (i + 1 >= args.size() || !setValue(o, a, args[i + 1]))
                return std::nullopt;
            ++i;
        } else if (!setFlag(o, a)) {
            return std::nullopt;
        }
    }
    if (o.file.empty() || (o.command == "draw" && o.curve != "1" && o.curve != "2") ||
        (o.command == "report" && o.req.format.empty()))
        return std::nullopt;
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args = pyx::programArguments(argc, argv);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        std::fputs(kUsage, stdout);
        std::fputs("\n", stdout);
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (!args.empty() && args[0] == "stats") {
#ifdef PYX_CLI_PNG
        startQuietQt();
#endif
        const int status = pyx::statsCommand({args.begin() + 1, args.end()}, argc, argv);
        return status == 2 ? usage() : status;
    }
    if (args.empty() ||
        (args[0] != "inspect" && args[0] != "draw" && args[0] != "report" && args[0] != "analyse"))
        return usage();
    const std::optional<CliOptions> o = parseOptions(args);
    if (!o)
        return usage();
    // Without --settings the run starts from an empty settings table, checked as at start-up.
    const std::string settingsPath = o->settings.value_or(std::string());
    if (o->command == "draw")
        return draw(o->file, settingsPath, o->curve, o->png, argc, argv);
    if (o->command == "report")
        return report(o->file, settingsPath, o->req, argc, argv);
    if (o->command == "analyse")
        return analyse(o->file, settingsPath, o->json, o->standard);
    return inspect(o->file, settingsPath);
}
