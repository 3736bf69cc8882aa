#include "cli/analysis_dump.h"

#include <cstdio>

#include "analysis/analysis_report.h"
#include "cli/json_dump.h"

namespace pyx {
namespace {

// Computed values with ten significant digits; loads and readings, which the test holds as
// 32-bit floats, with the seven such a float carries.
void number(JsonWriter& w, double v, int digits = 10)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    w.raw(buf);
}

void reading(JsonWriter& w, const char* key, double v)
{
    w.key(key);
    number(w, v, 7);
}

void optionalNumber(JsonWriter& w, const std::optional<double>& v)
{
    if (v)
        number(w, *v);
    else
        w.null();
}

void field(JsonWriter& w, const char* key, const std::optional<double>& v)
{
    w.key(key);
    optionalNumber(w, v);
}

void stage(JsonWriter& w, const char* key, int s)
{
    w.key(key);
    if (s > 0)
        w.value(s);
    else
        w.null();
}

void segmentJson(JsonWriter& w, const FitSegment& s)
{
    w.beginObject();
    field(w, "x0", s.x0);
    field(w, "y0", s.y0);
    field(w, "x1", s.x1);
    field(w, "y1", s.y1);
    field(w, "slope", s.slope);
    w.endObject();
}

void suggestionJson(JsonWriter& w, const Suggestion& s)
{
    w.beginObject();
    field(w, "hcr", s.hcr);
    field(w, "hu", s.hu);
    stage(w, "hcr_stage", s.hcrStage);
    stage(w, "hu_stage", s.huStage);
    if (!s.reason.empty()) {
        w.key("reason");
        w.value(s.reason);
    }
    if (s.fit) {
        w.key("breaks");
        w.value(s.fit->breaks);
        w.key("segments");
        w.beginArray();
        for (const FitSegment& seg : s.fit->segments)
            segmentJson(w, seg);
        w.endArray();
        w.key("residuals");
        w.beginArray();
        for (const double r : s.fit->residuals)
            number(w, r);
        w.endArray();
        field(w, "rss", s.fit->rss);
    }
    w.endObject();
}

void mPointJson(JsonWriter& w, const std::optional<MPoint>& p, const std::string& reason)
{
    if (!p) {
        w.beginObject();
        w.key("m");
        w.null();
        w.key("reason");
        w.value(reason);
        w.endObject();
        return;
    }
    w.beginObject();
    field(w, "h0", p->h0);
    field(w, "y0_mm", p->y0);
    w.key("m");
    if (p->m) {
        number(w, p->m->m);
        field(w, "nu_y", p->m->nuY);
        field(w, "alpha_h", p->m->alphaH);
        w.key("below_table");
        w.value(p->m->belowTable);
        w.key("above_table");
        w.value(p->m->aboveTable());
    } else {
        w.null();
    }
    w.endObject();
}

const char* issueKey(ScheduleIssue i)
{
    switch (i) {
    case ScheduleIssue::Cycles:
        return "cycles";
    case ScheduleIssue::LoadingHold:
        return "loading_hold";
    case ScheduleIssue::UnloadingHold:
        return "unloading_hold";
    case ScheduleIssue::StageGap:
        return "stage_gap";
    }
    return "";
}

} // namespace

std::string analysisJson(const TestAnalysis& a)
{
    JsonWriter w;
    w.beginObject();
    w.key("standard");
    w.value(standardKey(a.inputs.standard));
    w.key("points");
    w.beginArray();
    for (const StagePoint& p : a.points) {
        w.beginObject();
        w.key("stage");
        w.value(p.stage);
        reading(w, "h0", p.h0);
        reading(w, "y0", p.y0);
        field(w, "dydh", p.dydh);
        w.key("cycles");
        w.value(p.cycles);
        w.key("incomplete");
        w.value(p.incomplete);
        w.endObject();
    }
    w.endArray();

    w.key("suggestions");
    w.beginObject();
    w.key("gradient");
    suggestionJson(w, a.suggestions.gradient);
    w.key("lglog");
    suggestionJson(w, a.suggestions.lglog);
    w.key("kink");
    suggestionJson(w, a.suggestions.kink);
    w.key("disagree");
    w.value(a.suggestions.disagree);
    w.endObject();

    w.key("marks");
    w.beginObject();
    field(w, "hcr", a.markedHcr);
    field(w, "hu", a.markedHu);
    stage(w, "hcr_stage", a.markedHcrStage);
    stage(w, "hu_stage", a.markedHuStage);
    w.endObject();

    w.key("m");
    w.beginObject();
    w.key("shape");
    w.value(a.inputs.shape == PileShape::Square ? "square" : "round");
    field(w, "width_m", a.inputs.width);
    field(w, "ei_kNm2", a.inputs.ei);
    field(w, "embedded_m", a.inputs.embedded);
    field(w, "b0_m", a.inputProblem.empty() ? std::optional<double>(a.b0) : std::nullopt);
    if (!a.inputProblem.empty()) {
        w.key("reason");
        w.value(a.inputProblem);
    }
    if (!a.inputWarning.empty()) {
        w.key("warning");
        w.value(a.inputWarning);
    }
    w.key("hcr_source");
    w.value(hcrSourceText(a.hcrSource));
    w.key("at_hcr");
    mPointJson(w, a.mAtHcr, "没有水平临界荷载。");
    w.key("at_y6");
    mPointJson(w, a.mAt6, "试验的最大位移未达到6mm。");
    w.key("at_y10");
    mPointJson(w, a.mAt10, "试验的最大位移未达到10mm。");
    w.key("by_stage");
    w.beginArray();
    for (const MPoint& p : a.mByStage)
        mPointJson(w, p, "");
    w.endArray();
    w.endObject();

    w.key("characteristic");
    w.beginObject();
    const Characteristic& c = a.characteristic;
    w.key("standard");
    w.value(standardKey(c.standard));
    w.key("rule");
    w.value(ruleKey(c.rule));
    w.key("rule_text");
    w.value(c.ruleText);
    field(w, "allowable_mm", a.inputs.allowableMm);
    w.key("basis");
    if (c.basis == ValueBasis::None)
        w.null();
    else
        w.value(basisKey(c.basis));
    field(w, "basis_load", c.basisLoad);
    field(w, "value", c.value);
    w.key("pending");
    w.value(c.pending());
    w.key("hcr_source");
    w.value(hcrSourceText(a.hcrSource));
    if (!c.reason.empty()) {
        w.key("reason");
        w.value(c.reason);
    }
    w.endObject();

    w.key("schedule");
    w.beginArray();
    for (const ScheduleDeviation& s : a.schedule.deviations) {
        w.beginObject();
        w.key("issue");
        w.value(issueKey(s.issue));
        w.key("stage");
        w.value(s.stage);
        w.key("cycle");
        w.value(s.cycle);
        w.key("record");
        w.value(s.record);
        w.key("expected");
        w.value(s.expected);
        w.key("actual");
        w.value(s.actual);
        w.key("text");
        w.value(s.text);
        w.endObject();
    }
    w.endArray();
    w.key("schedule_checked");
    w.value(a.schedule.checked);
    if (!a.schedule.reason.empty()) {
        w.key("schedule_reason");
        w.value(a.schedule.reason);
    }
    w.key("schedule_summary");
    w.value(scheduleSummary(a.schedule));
    w.endObject();
    return w.text() + "\n";
}

std::string analysisText(const TestAnalysis& a)
{
    std::string out;
    for (const AnalysisSection& section : analysisSections(a)) {
        out += section.title + "\n";
        for (const auto& row : section.rows) {
            std::string line = " ";
            for (const std::string& cell : row)
                line += " " + (cell.empty() ? std::string("—") : cell);
            out += line + "\n";
        }
        for (const std::string& note : section.notes)
            out += "  " + note + "\n";
        out += "\n";
    }
    return out;
}

} // namespace pyx
