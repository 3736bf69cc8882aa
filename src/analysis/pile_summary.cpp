#include "analysis/pile_summary.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>

#include "analysis/analysis_report.h"
#include "curves/marks.h"
#include "data/numfmt.h"
#include "eval/gradient_points.h"
#include "session/test_session.h"

namespace pyx {
namespace {

// A pile compared with the others: opened, with load stages (a file of other data opens too).
bool comparable(const PileRow& r)
{
    return r.opened && !r.points.empty();
}

bool usableLoad(double h)
{
    return std::isfinite(h) && h > 0 && h < kEndLoad;
}

// The load of a marked stage, or the note why there is none.
std::optional<double> markedLoad(const TestData& d, const std::vector<int>& rows, int which, int& stage,
                                 std::vector<std::string>& notes)
{
    const char* name = which == 0 ? "临界荷载Hcr" : "极限荷载Hu";
    const float mark = markIndex(d, which);
    if (mark == 0) {
        notes.push_back(std::string("未标记") + name);
        return std::nullopt;
    }
    const auto point = markedPoint(mark);
    if (!point || *point >= static_cast<int>(rows.size())) {
        notes.push_back(std::string(name) + "的标记不在曲线的点上");
        return std::nullopt;
    }
    const double h = d.jlbp[rows[*point]].hz;
    if (!usableLoad(h)) {
        notes.push_back(std::string(name) + "标记处的荷载无效");
        return std::nullopt;
    }
    stage = *point + 1;
    return h;
}

// The numeric value at the start of a header text ("1000", "1000mm", "28.5 m").
std::optional<double> headerNumber(const std::string& text)
{
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '.'))
        return std::nullopt;
    const double v = leadingNumber(text);
    if (!std::isfinite(v) || v <= 0)
        return std::nullopt;
    return v;
}

// Days since 1970-01-01 of a civil date.
long daysFromCivil(long y, long m, long d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void spreadWarning(const std::vector<PileRow>& rows, const char* name, const char* unit, double percent,
                   std::string PileRow::*field, std::vector<std::string>& out)
{
    std::vector<double> values;
    for (const PileRow& r : rows) {
        if (!comparable(r))
            continue;
        const std::string& text = r.*field;
        if (const auto v = headerNumber(text))
            values.push_back(*v);
        else
            out.push_back("试桩 " + r.pile + " 的" + name + "“" + text + "”不是数值，未作比较");
    }
    if (values.size() < 2)
        return;
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    if (*hi - *lo > percent / 100 * *lo * (1 + 1e-12))
        out.push_back(std::string("各试桩的") + name + "相差超过" + statsNumber(percent) + "%（" +
                      statsNumber(*lo) + unit + " 至 " + statsNumber(*hi) + unit + "）");
}

} // namespace

PileRow pileRow(const TestData& d, int gridRows)
{
    PileRow row;
    row.file = d.curfile;
    row.opened = true;
    // Slots 0 to 4: project, pile number, test date, pile diameter and length.
    std::string* texts[5] = {&row.project, &row.pile, &row.date, &row.diameter, &row.length};
    for (int i = 0; i < 5; ++i)
        *texts[i] = d.jlb[i].cstr.trimmed();
    row.points = stagePoints(d, gridRows);
    row.maxLoad = maximumLoad(row.points);
    if (!row.points.empty()) {
        row.y0AtMax = row.points.back().y0;
    } else {
        row.notes.emplace_back("没有可用的荷载级");
    }
    const std::vector<int> rows = gradientPointRows(d, gridRows);
    row.hcr = markedLoad(d, rows, 0, row.hcrStage, row.notes);
    row.hu = markedLoad(d, rows, 1, row.huStage, row.notes);
    if (row.hcr && row.hu && *row.hu <= *row.hcr)
        row.notes.emplace_back("极限荷载不大于临界荷载，请检查标记");
    row.suggestions = suggestLoads(row.points);
    if (const Suggestion* s = shownSuggestion(row.suggestions)) {
        const auto check = [&](int marked, int suggested, const char* name, bool& doubtful) {
            if (marked > 0 && suggested > 0 && std::abs(marked - suggested) > 1) {
                doubtful = true;
                row.notes.push_back(std::string(name) + "标记在第" + std::to_string(marked) +
                                    "级，分析建议第" + std::to_string(suggested) + "级");
            }
        };
        check(row.hcrStage, s->hcrStage, "Hcr", row.hcrDoubtful);
        check(row.huStage, s->huStage, "Hu", row.huDoubtful);
    }
    return row;
}

PileRow readPile(const std::string& path, const SettingsTable* settings)
{
    const auto opened = openTestAlone(path, std::string(), settings);
    const TestData* data = opened->data.get();
    if (opened->result != OpenResult::Opened || data->curfile.empty()) {
        PileRow row;
        row.file = path;
        for (const MessageRequest& m : opened->dialogs.messages)
            row.notes.push_back(m.text);
        if (row.notes.empty())
            row.notes.emplace_back("文件打开失败！");
        return row;
    }
    PileRow row = pileRow(*data, opened->session->grid.rows());
    row.file = path;
    return row;
}

std::optional<long> dayNumber(const std::string& text)
{
    long parts[3] = {0, 0, 0};
    int n = 0;
    std::size_t i = 0;
    while (i < text.size() && n < 3) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        long v = 0;
        int digits = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 6) {
            v = v * 10 + (text[i] - '0');
            ++i;
            ++digits;
        }
        parts[n++] = v;
    }
    if (n < 3 || parts[0] < 1900 || parts[0] > 9999 || parts[1] < 1 || parts[1] > 12 || parts[2] < 1 ||
        parts[2] > 31)
        return std::nullopt;
    return daysFromCivil(parts[0], parts[1], parts[2]);
}

std::vector<std::string> consistencyWarnings(const std::vector<PileRow>& rows, const Tolerances& t)
{
    std::vector<std::string> out;
    std::vector<std::string> projects;
    for (const PileRow& r : rows)
        if (comparable(r) && std::find(projects.begin(), projects.end(), r.project) == projects.end())
            projects.push_back(r.project);
    if (projects.size() > 1)
        out.emplace_back("试桩的工程名称不同，请确认属于同一单位工程");
    spreadWarning(rows, "桩径", "", t.diameterPercent, &PileRow::diameter, out);
    spreadWarning(rows, "桩长", "", t.lengthPercent, &PileRow::length, out);
    std::optional<long> first, last;
    for (const PileRow& r : rows) {
        if (!comparable(r))
            continue;
        const auto day = dayNumber(r.date);
        if (!day) {
            out.push_back("试桩 " + r.pile + " 的测试日期“" + r.date + "”无法识别，未作比较");
            continue;
        }
        first = first ? std::min(*first, *day) : *day;
        last = last ? std::max(*last, *day) : *day;
    }
    if (first && last && *last - *first > t.dateDays)
        out.push_back("各试桩的测试日期相差 " + std::to_string(*last - *first) + " 天，超过 " +
                      std::to_string(t.dateDays) + " 天");
    return out;
}

std::vector<PileValue> quantityValues(const std::vector<PileRow>& rows, PileQuantity q, double displacementMm,
                                      std::vector<std::string>* notes)
{
    std::vector<PileValue> out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PileRow& r = rows[i];
        const std::string name = pileName(r);
        std::optional<double> v;
        std::string why;
        if (!r.opened) {
            why = "文件未能打开";
        } else if (q == PileQuantity::Hcr) {
            v = r.hcr;
            why = "未标记临界荷载";
        } else if (q == PileQuantity::Hu) {
            v = r.hu;
            why = "未标记极限荷载";
        } else {
            v = loadAt(r.points, displacementMm);
            why = "最大位移未达到 " + statsNumber(displacementMm) + " mm";
        }
        if (v)
            out.push_back({static_cast<int>(i), *v});
        else if (notes)
            notes->push_back("试桩 " + name + " " + why + "，不参加统计");
    }
    return out;
}

CharacteristicValue UnitSummary::characteristic() const
{
    if (choice.usesDisplacement())
        return characteristicValue(choice, atDisplacementResult());
    return characteristicValue(choice, choice.rule == UnitCharacteristicRule::UltimateLoad ? huResult()
                                                                                           : hcrResult());
}

void restate(UnitSummary& s, PileQuantity q)
{
    const auto one = [&](SampleStatistics& st, StatsDecision& d, std::vector<std::string>& notes,
                         const std::vector<Exclusion>& excluded) {
        notes.clear();
        st = statistics(quantityValues(s.rows, q, s.choice.displacementMm, &notes),
                        {s.capAtMostThree, excluded});
        d = {};
    };
    switch (q) {
    case PileQuantity::Hcr:
        one(s.hcr, s.hcrDecision, s.hcrNotes, s.hcrExcluded);
        break;
    case PileQuantity::Hu:
        one(s.hu, s.huDecision, s.huNotes, s.huExcluded);
        break;
    case PileQuantity::LoadAtDisplacement:
        one(s.atDisplacement, s.atDisplacementDecision, s.atDisplacementNotes, s.atDisplacementExcluded);
        break;
    }
}

void summarize(UnitSummary& s, const Tolerances& t)
{
    for (const PileQuantity q : {PileQuantity::Hcr, PileQuantity::Hu, PileQuantity::LoadAtDisplacement})
        restate(s, q);
    s.warnings = consistencyWarnings(s.rows, t);
}

const Suggestion* shownSuggestion(const Suggestions& s)
{
    for (const Suggestion* one : {&s.gradient, &s.lglog, &s.kink})
        if (one->made())
            return one;
    return nullptr;
}

std::string suggestionText(const PileRow& row)
{
    const Suggestion* s = row.opened ? shownSuggestion(row.suggestions) : nullptr;
    if (!s)
        return "—";
    return numberOrDash(s->hcr) + " / " + numberOrDash(s->hu);
}

std::string suggestionDetail(const PileRow& row)
{
    if (!row.opened)
        return {};
    const Suggestions& s = row.suggestions;
    const std::pair<const char*, const Suggestion*> methods[] = {
        {"H0-△Y0/△H0", &s.gradient}, {"lgH0-lgY0", &s.lglog}, {"H0-Y0", &s.kink}};
    std::string out;
    for (const auto& [name, one] : methods) {
        out += out.empty() ? "" : "\n";
        out += std::string(name) + "：";
        out += one->made() ? "Hcr " + numberOrDash(one->hcr) + " kN，Hu " + numberOrDash(one->hu) + " kN"
                           : one->reason;
    }
    if (s.disagree)
        out += "\n各方法的建议相差超过一级";
    return out;
}

std::string notesText(const PileRow& row)
{
    std::string out;
    for (const std::string& n : row.notes)
        out += (out.empty() ? "" : "；") + n;
    return out;
}

std::string pileName(const PileRow& row)
{
    if (!row.pile.empty())
        return row.pile;
    const auto slash = row.file.find_last_of('/');
    return slash == std::string::npos ? row.file : row.file.substr(slash + 1);
}

std::string stepText(const StatsStep& step, int index, const std::vector<PileRow>& rows)
{
    std::string out = "第" + std::to_string(index + 1) + "步：";
    if (step.leftOut) {
        const int p = step.leftOut->pile;
        const std::string name = p >= 0 && p < static_cast<int>(rows.size()) ? pileName(rows[p]) : "?";
        out += "剔除 " + name + "（" + statsNumber(step.leftOut->value) + " kN）后 ";
    }
    out += std::to_string(step.count()) + " 个值，平均值 " + statsNumber(step.mean) + " kN，极差 " +
           statsNumber(step.range) + " kN，极差/平均值 " + shareText(step);
    return out;
}

std::vector<std::string> exclusionLines(const SampleStatistics& s, const std::vector<PileRow>& rows)
{
    std::vector<std::string> out;
    for (const ExcludedValue& e : s.excluded) {
        const int p = e.value.pile;
        out.push_back("工程师剔除 " +
                      (p >= 0 && p < static_cast<int>(rows.size()) ? pileName(rows[p]) : "?") + "（" +
                      statsNumber(e.value.value) + " kN）：" + e.reason);
    }
    if (s.rangeExceeded)
        out.emplace_back(kMorePilesAdvice);
    return out;
}

std::string valuesText(const SampleStatistics& s, const std::vector<PileRow>& rows)
{
    if (s.steps.empty())
        return {};
    std::string out;
    for (const PileValue& v : s.steps.front().values) {
        const std::string name =
            v.pile >= 0 && v.pile < static_cast<int>(rows.size()) ? pileName(rows[v.pile]) : "?";
        out += (out.empty() ? "" : "，") + name + " " + statsNumber(v.value);
    }
    return "各桩取值(kN)：" + out;
}

std::string numberOrDash(const std::optional<double>& v)
{
    return v ? statsNumber(*v) : "—";
}

std::string displacementOrDash(const std::optional<double>& mm)
{
    return mm ? displacementText(*mm) : "—";
}

std::string quantityName(PileQuantity q, double displacementMm)
{
    switch (q) {
    case PileQuantity::Hcr:
        return "水平临界荷载 Hcr";
    case PileQuantity::Hu:
        return "水平极限承载力 Hu";
    case PileQuantity::LoadAtDisplacement:
        return "位移 " + statsNumber(displacementMm) + " mm 时的荷载";
    }
    return {};
}

} // namespace pyx
