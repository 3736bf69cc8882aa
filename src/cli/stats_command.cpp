#include "cli/stats_command.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>

#include "analysis/pile_summary.h"
#include "cli/json_dump.h"
#include "data/numfmt.h"
#include "data/startup.h"
#include "reports/stats_report.h"

#ifdef PYX_CLI_PNG
#include <QGuiApplication>

#include "platform/qt/qt_picture_encoder.h"
#include "platform/qt/qt_text_measure.h"
#include "reports/qt/pdf_export.h"
#endif

namespace pyx {
namespace {

const char* unitRuleKey(UnitCharacteristicRule r)
{
    switch (r) {
    case UnitCharacteristicRule::Displacement:
        return "displacement";
    case UnitCharacteristicRule::Allowable:
        return "allowable";
    case UnitCharacteristicRule::UltimateLoad:
        return "hu";
    case UnitCharacteristicRule::Typed:
        return "typed";
    case UnitCharacteristicRule::CriticalLoad:
        break;
    }
    return "hcr";
}

std::optional<UnitCharacteristicRule> unitRuleFromKey(const std::string& v)
{
    if (v == "hcr")
        return UnitCharacteristicRule::CriticalLoad;
    if (v == "y10" || v == "y6")
        return UnitCharacteristicRule::Displacement;
    if (v == "allowable")
        return UnitCharacteristicRule::Allowable;
    if (v == "hu")
        return UnitCharacteristicRule::UltimateLoad;
    return std::nullopt;
}

void optionalValue(JsonWriter& w, const std::optional<double>& v)
{
    if (v)
        w.value(*v);
    else
        w.null();
}

void statsJson(JsonWriter& w, const SampleStatistics& s, const StatsResult& result,
               const std::vector<PileRow>& rows, const std::vector<std::string>& notes)
{
    w.beginObject();
    const StatsStep* first = s.steps.empty() ? nullptr : &s.steps.front();
    w.key("count");
    w.value(first ? first->count() : 0);
    w.key("mean");
    optionalValue(w, first ? std::optional<double>(first->mean) : std::nullopt);
    w.key("range");
    optionalValue(w, first ? std::optional<double>(first->range) : std::nullopt);
    w.key("share");
    optionalValue(w, first ? std::optional<double>(first->share) : std::nullopt);
    w.key("value");
    optionalValue(w, s.value);
    w.key("rule");
    w.value(ruleText(s.rule));
    w.key("needsDecision");
    w.value(s.needsDecision());
    w.key("rangeExceeded");
    w.value(s.rangeExceeded);
    w.key("advice");
    if (s.rangeExceeded)
        w.value(kMorePilesAdvice);
    else
        w.null();
    w.key("excluded");
    w.beginArray();
    for (const ExcludedValue& e : s.excluded) {
        w.beginObject();
        w.key("pile");
        w.value(pileName(rows[static_cast<std::size_t>(e.value.pile)]));
        w.key("value");
        w.value(e.value.value);
        w.key("reason");
        w.value(e.reason);
        w.endObject();
    }
    w.endArray();
    w.key("steps");
    w.beginArray();
    for (std::size_t k = 0; k < s.steps.size(); ++k) {
        const StatsStep& step = s.steps[k];
        w.beginObject();
        w.key("count");
        w.value(step.count());
        w.key("mean");
        w.value(step.mean);
        w.key("range");
        w.value(step.range);
        w.key("share");
        w.value(step.share);
        w.key("leftOut");
        if (step.leftOut) {
            w.beginObject();
            w.key("pile");
            w.value(pileName(rows[step.leftOut->pile]));
            w.key("value");
            w.value(step.leftOut->value);
            w.endObject();
        } else {
            w.null();
        }
        w.key("values");
        w.beginArray();
        for (const PileValue& v : step.values)
            w.value(v.value);
        w.endArray();
        w.key("text");
        w.value(stepText(step, static_cast<int>(k), rows));
        w.endObject();
    }
    w.endArray();
    w.key("notes");
    w.beginArray();
    for (const std::string& n : notes)
        w.value(n);
    w.endArray();
    w.key("result");
    optionalValue(w, result.value);
    w.key("pending");
    w.value(result.pending);
    w.key("how");
    w.value(result.how);
    w.endObject();
}

std::string summaryJson(const UnitSummary& s)
{
    JsonWriter w;
    w.beginObject();
    w.key("standard");
    w.value(standardKey(s.choice.standard));
    w.key("capAtMostThree");
    w.value(s.capAtMostThree);
    w.key("piles");
    w.beginArray();
    for (const PileRow& r : s.rows) {
        w.beginObject();
        w.key("file");
        w.value(r.file);
        w.key("opened");
        w.value(r.opened);
        w.key("project");
        w.value(r.project);
        w.key("pile");
        w.value(r.pile);
        w.key("date");
        w.value(r.date);
        w.key("diameter");
        w.value(r.diameter);
        w.key("length");
        w.value(r.length);
        w.key("maxLoad");
        optionalValue(w, r.maxLoad);
        w.key("hcr");
        optionalValue(w, r.hcr);
        w.key("hu");
        optionalValue(w, r.hu);
        w.key("hcrStage");
        w.value(r.hcrStage);
        w.key("huStage");
        w.value(r.huStage);
        w.key("y0AtMax");
        optionalValue(w, r.y0AtMax);
        const Suggestion* suggested = shownSuggestion(r.suggestions);
        w.key("suggestedHcr");
        optionalValue(w, suggested ? suggested->hcr : std::nullopt);
        w.key("suggestedHu");
        optionalValue(w, suggested ? suggested->hu : std::nullopt);
        w.key("loadAtDisplacement");
        optionalValue(w, loadAt(r.points, s.choice.displacementMm));
        w.key("notes");
        w.beginArray();
        for (const std::string& n : r.notes)
            w.value(n);
        w.endArray();
        w.endObject();
    }
    w.endArray();
    w.key("hcr");
    statsJson(w, s.hcr, s.hcrResult(), s.rows, s.hcrNotes);
    w.key("hu");
    statsJson(w, s.hu, s.huResult(), s.rows, s.huNotes);
    w.key("atDisplacement");
    statsJson(w, s.atDisplacement, s.atDisplacementResult(), s.rows, s.atDisplacementNotes);
    const CharacteristicValue ra = s.characteristic();
    w.key("characteristic");
    w.beginObject();
    w.key("standard");
    w.value(standardKey(s.choice.standard));
    w.key("rule");
    w.value(unitRuleKey(s.choice.rule));
    w.key("displacement");
    w.value(s.choice.displacementMm);
    w.key("basis");
    if (ra.value)
        w.value(s.choice.rule == UnitCharacteristicRule::Typed ? "typed"
                : s.choice.usesDisplacement()                  ? "displacement"
                                                               : "marks");
    else
        w.null();
    w.key("basisLoad");
    optionalValue(w, ra.basis);
    w.key("value");
    optionalValue(w, ra.value);
    w.key("pending");
    w.value(ra.pending);
    w.key("how");
    w.value(ra.how);
    w.endObject();
    w.key("warnings");
    w.beginArray();
    for (const std::string& n : s.warnings)
        w.value(n);
    w.endArray();
    w.endObject();
    return w.text() + "\n";
}

void statsText(std::string& out, const char* title, const SampleStatistics& st, const StatsResult& r,
               const std::vector<PileRow>& rows, const std::vector<std::string>& notes)
{
    out += std::string(title) + "：\n";
    if (const std::string values = valuesText(st, rows); !values.empty())
        out += "  " + values + "\n";
    for (std::size_t k = 0; k < st.steps.size(); ++k)
        out += "  " + stepText(st.steps[k], static_cast<int>(k), rows) + "\n";
    for (const std::string& n : notes)
        out += "  " + n + "\n";
    for (const std::string& line : exclusionLines(st, rows))
        out += "  " + line + "\n";
    out += "  统计值 " + numberOrDash(r.value) + " kN（" + r.how + "）" +
           (r.pending ? "【待工程师确认】" : "") + "\n";
}

std::string summaryText(const UnitSummary& s)
{
    std::string out =
        "试桩编号\t测试日期\t桩径\t桩长\t最大荷载(kN)\tHcr(kN)\tHu(kN)\t最大荷载时Y0(mm)\t建议Hcr/Hu\t文件\n";
    for (const PileRow& r : s.rows) {
        out += pileName(r) + "\t" + r.date + "\t" + r.diameter + "\t" + r.length + "\t" +
               numberOrDash(r.maxLoad) + "\t" + numberOrDash(r.hcr) + "\t" + numberOrDash(r.hu) + "\t" +
               displacementOrDash(r.y0AtMax) + "\t" + suggestionText(r) + "\t" + r.file + "\n";
        for (const std::string& n : r.notes)
            out += "\t" + n + "\n";
    }
    out += "\n";
    out += std::string("依据标准：") + standardName(s.choice.standard) + "（统计：" +
           statisticsClause(s.choice.standard) + "）" +
           (s.capAtMostThree ? "；桩数为3根或3根以下的柱下承台" : "") + "\n";
    statsText(out, "水平临界荷载 Hcr", s.hcr, s.hcrResult(), s.rows, s.hcrNotes);
    statsText(out, "水平极限承载力 Hu", s.hu, s.huResult(), s.rows, s.huNotes);
    if (s.choice.usesDisplacement())
        statsText(out, quantityName(PileQuantity::LoadAtDisplacement, s.choice.displacementMm).c_str(),
                  s.atDisplacement, s.atDisplacementResult(), s.rows, s.atDisplacementNotes);
    const CharacteristicValue ra = s.characteristic();
    out += "\n单桩水平承载力特征值 " + (ra.value ? characteristicNumber(*ra.value) : std::string("—")) +
           " kN：" + ra.how + (ra.pending ? "【统计值待工程师确认】" : "") + "\n";
    for (const std::string& w : s.warnings)
        out += "注意：" + w + "\n";
    return out;
}

// The summary report as a PDF, RTF, .docx or .xlsx file (Qt set up quietly by the caller).
int writeReport(const UnitSummary& s, const std::string& format, const std::string& out, int argc,
                char** argv)
{
#ifdef PYX_CLI_PNG
    QGuiApplication app(argc, argv);
    const QtTextMeasure measure;
    if (format == "pdf") {
        PageDocument doc(measure);
        buildStatsReport(doc, s);
        if (const IoResult written = exportPdf(doc, out); !written) {
            std::cerr << "pyx-cli: " << written.reason() << "\n";
            return 1;
        }
        return 0;
    }
    const QtPictureEncoder encoder;
    if (const IoResult written = format == "xlsx"
                                     ? exportStatsXlsx(s, measure, encoder, out)
                                     : exportStatsWord(s, measure, encoder, out,
                                                       format == "docx" ? WordFormat::Docx : WordFormat::Rtf);
        !written) {
        std::cerr << "pyx-cli: " << out << ": " << written.reason() << "\n";
        return 1;
    }
    return 0;
#else
    (void)s;
    (void)out;
    (void)argc;
    (void)argv;
    std::cerr << "pyx-cli: this build writes no reports (--" << format << " needs the Qt build)\n";
    return 2;
#endif
}

// The options of the command.
struct StatsCommandOptions
{
    std::vector<std::string> files;
    std::string settingsPath;
    std::string format;
    std::string out;
    bool json = false;
    std::optional<double> allowable;
};

// An option with a value; false when the value is not one it takes.
bool setStatsValue(StatsCommandOptions& o, UnitSummary& summary, const std::string& a, const std::string& v)
{
    if (a == "--pdf" || a == "--rtf" || a == "--docx" || a == "--xlsx") {
        if (!o.format.empty())
            return false;
        o.format = a.substr(2);
        o.out = v;
    } else if (a == "--settings") {
        o.settingsPath = v;
    } else if (a == "--standard") {
        const auto st = standardFromText(v);
        if (!st)
            return false;
        summary.choice.standard = *st;
    } else if (a == "--allowable") {
        const auto mm = toDouble(v);
        if (!mm || !(*mm > 0) || !std::isfinite(*mm))
            return false;
        o.allowable = *mm;
    } else if (const auto rule = unitRuleFromKey(v)) {
        summary.choice.rule = *rule;
        if (v == "y6")
            summary.choice.displacementMm = 6;
    } else {
        return false;
    }
    return true;
}

// The options and the choices of the summary; none for a usage error.
std::optional<StatsCommandOptions> parseStatsOptions(const std::vector<std::string>& args,
                                                     UnitSummary& summary)
{
    StatsCommandOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool valued = a == "--settings" || a == "--rule" || a == "--standard" || a == "--allowable" ||
                            a == "--pdf" || a == "--rtf" || a == "--docx" || a == "--xlsx";
        if (a == "--json") {
            o.json = true;
        } else if (a == "--cap-le3") {
            summary.capAtMostThree = true;
        } else if (valued) {
            if (i + 1 >= args.size() || !setStatsValue(o, summary, a, args[i + 1]))
                return std::nullopt;
            ++i;
        } else if (a.rfind("--", 0) == 0) {
            return std::nullopt;
        } else {
            o.files.push_back(a);
        }
    }
    if (summary.choice.rule == UnitCharacteristicRule::Allowable) {
        if (!o.allowable)
            return std::nullopt;
        summary.choice.displacementMm = *o.allowable;
    }
    return o;
}

} // namespace

int statsCommand(const std::vector<std::string>& args, int argc, char** argv)
{
    UnitSummary summary;
    const std::optional<StatsCommandOptions> o = parseStatsOptions(args, summary);
    if (!o)
        return 2;
    if (!allowedBy(summary.choice.standard, valueBase(summary.choice.rule))) {
        std::cerr << "pyx-cli: 所选特征值规则不属于 " << standardName(summary.choice.standard) << "\n";
        return 2;
    }
    if (o->files.empty())
        return 2;
    // The settings as a start-up reads them (never written); without a file, those of a start
    // without one.
    auto start = std::make_unique<TestData>();
    startValues(*start, o->settingsPath);
    for (const std::string& f : o->files)
        summary.rows.push_back(readPile(f, &start->csz));
    summarize(summary);
    if (!o->format.empty())
        return writeReport(summary, o->format, o->out, argc, argv);
    const std::string text = o->json ? summaryJson(summary) : summaryText(summary);
    std::fputs(text.c_str(), stdout);
    return 0;
}

} // namespace pyx
