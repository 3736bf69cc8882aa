#include "reports/stats_report.h"

#include <algorithm>
#include <array>

#include "data/header_labels.h"
#include "reports/xlsx_export.h"

namespace pyx {
namespace {

constexpr double kTitleSize = 18;
constexpr double kTableSize = 10.5;
constexpr double kRowHeight = 400;
constexpr int kCols = 10;
constexpr int kTextCol = 3; // the statistics' texts run from here to the last column

constexpr std::array<const char*, kCols> kHeadings{"序号",
                                                   "试桩编号",
                                                   "测试日期",
                                                   "桩径(mm)",
                                                   "桩长(m)",
                                                   "最大试验荷载(kN)",
                                                   "水平临界荷载Hcr(kN)",
                                                   "水平极限承载力Hu(kN)",
                                                   "最大荷载时Y0(mm)",
                                                   "备注"};
constexpr std::array<double, kCols> kWidths{500, 900, 1300, 750, 750, 1100, 1050, 1050, 1100, 1806};

std::string joined(const std::vector<std::string>& texts, const char* between)
{
    std::string out;
    for (const std::string& t : texts)
        out += (out.empty() ? "" : between) + t;
    return out;
}

std::string projects(const std::vector<PileRow>& rows)
{
    std::vector<std::string> names;
    for (const PileRow& r : rows)
        if (r.opened && !r.points.empty() && std::find(names.begin(), names.end(), r.project) == names.end())
            names.push_back(r.project);
    return joined(names, "；");
}

// The rows of one block of the statistics under its label: a row of one text across the
// block, or the six cells of a step (step, value left out, count, mean, range, share).
struct StatsLines
{
    std::string label;
    std::vector<std::vector<std::string>> lines;
};

// The columns of a step's cells: first and last column of each.
constexpr std::array<std::pair<int, int>, 6> kStepCols{{{3, 3}, {4, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 10}}};

StatsLines statsBlock(const std::string& name, const SampleStatistics& st, const StatsResult& r,
                      const std::vector<PileRow>& rows, const std::vector<std::string>& notes,
                      bool withValues)
{
    StatsLines b{name + "统计", {}};
    // The loads at the displacement are in no column of the rows: they lead their block.
    if (const std::string values = valuesText(st, rows); withValues && !values.empty())
        b.lines.push_back({values});
    if (!st.steps.empty())
        b.lines.push_back({"步骤", "剔除的值", "个数", "平均值(kN)", "极差(kN)", "极差/平均值"});
    for (std::size_t k = 0; k < st.steps.size(); ++k) {
        const StatsStep& step = st.steps[k];
        std::string gone = "—";
        if (step.leftOut) {
            const int p = step.leftOut->pile;
            gone = (p >= 0 && p < static_cast<int>(rows.size()) ? pileName(rows[p]) : "?") + "（" +
                   statsNumber(step.leftOut->value) + "）";
        }
        b.lines.push_back({"第" + std::to_string(k + 1) + "步", gone, std::to_string(step.count()),
                           statsNumber(step.mean), statsNumber(step.range), shareText(step)});
    }
    for (const std::string& n : notes)
        b.lines.push_back({n});
    for (const std::string& line : exclusionLines(st, rows))
        b.lines.push_back({line});
    b.lines.push_back({"统计值：" + numberOrDash(r.value) + " kN" + (r.pending ? "（待工程师确认）" : "")});
    b.lines.push_back({"取值方法：" + r.how});
    return b;
}

} // namespace

namespace {

// The blocks under the piles: the standard, the statistics of Hcr, Hu (and the load at the
// displacement), the characteristic value and the warnings.
std::vector<StatsLines> statsBlocks(const UnitSummary& s)
{
    std::vector<StatsLines> blocks;
    StatsLines basis{"依据标准", {}};
    basis.lines.push_back({std::string(standardName(s.choice.standard)) + "（统计：" +
                           statisticsClause(s.choice.standard) + "）" +
                           (s.capAtMostThree ? "；桩数为3根或3根以下的柱下承台，取最小值" : "")});
    blocks.push_back(std::move(basis));
    blocks.push_back(statsBlock("水平临界荷载 Hcr ", s.hcr, s.hcrResult(), s.rows, s.hcrNotes, false));
    blocks.push_back(statsBlock("水平极限承载力 Hu ", s.hu, s.huResult(), s.rows, s.huNotes, false));
    if (s.choice.usesDisplacement())
        blocks.push_back(statsBlock(quantityName(PileQuantity::LoadAtDisplacement, s.choice.displacementMm),
                                    s.atDisplacement, s.atDisplacementResult(), s.rows, s.atDisplacementNotes,
                                    true));
    const CharacteristicValue ra = s.characteristic();
    StatsLines value{"单桩水平承载力特征值", {}};
    value.lines.push_back({(ra.value ? characteristicNumber(*ra.value) : std::string("—")) + " kN" +
                           (ra.pending ? "（统计值待确认）" : "")});
    value.lines.push_back({"取值规则：" + ra.how});
    blocks.push_back(std::move(value));
    if (!s.warnings.empty()) {
        StatsLines w{"注意", {}};
        for (const std::string& text : s.warnings)
            w.lines.push_back({text});
        blocks.push_back(std::move(w));
    }
    return blocks;
}

// A block from row `row` on: its label over its rows, each line a step of the statistics in
// its columns or one text across.
int putBlock(Table& t, int row, const StatsLines& b)
{
    const int last = row + static_cast<int>(b.lines.size()) - 1;
    t.span(row, 1, last, kTextCol - 1);
    t.setText(row, 1, b.label);
    for (const std::vector<std::string>& line : b.lines) {
        if (line.size() == kStepCols.size()) {
            for (std::size_t k = 0; k < line.size(); ++k) {
                t.span(row, kStepCols[k].first, row, kStepCols[k].second);
                t.setText(row, kStepCols[k].first, line[k]);
            }
        } else {
            t.span(row, kTextCol, row, kCols);
            t.setText(row, kTextCol, line.empty() ? std::string() : line.front());
            t.setAlign(row, kTextCol, TextAlign::Left);
        }
        ++row;
    }
    return row;
}

} // namespace

void buildStatsReport(PageDocument& doc, const UnitSummary& s)
{
    doc.start("宋体");
    doc.setFontSize(kTitleSize);
    doc.setBold(true);
    doc.setAlign(TextAlign::Center);
    doc.paragraph(kTitleStats);
    doc.paragraph("");
    doc.setBold(false);
    doc.setFontSize(kTableSize);

    const std::vector<StatsLines> blocks = statsBlocks(s);
    int statsRows = 0;
    for (const StatsLines& b : blocks)
        statsRows += static_cast<int>(b.lines.size());
    const int pileRows = static_cast<int>(s.rows.size());
    Table t(kCols, 2 + pileRows + statsRows);
    t.setDefaultRowHeight(kRowHeight);
    for (int c = 1; c <= kCols; ++c) {
        t.setColWidth(c, kWidths[c - 1]);
        t.setText(2, c, kHeadings[c - 1]);
    }
    t.span(1, 1, 1, kCols);
    t.setText(1, 1, kProjectLabel + projects(s.rows));
    t.setAlign(1, 1, TextAlign::Left);
    t.setHeaderRows(2);
    for (int i = 0; i < pileRows; ++i) {
        const PileRow& r = s.rows[i];
        const int row = 3 + i;
        const std::array<std::string, kCols> cells{std::to_string(i + 1),
                                                   pileName(r),
                                                   r.date,
                                                   r.diameter,
                                                   r.length,
                                                   numberOrDash(r.maxLoad),
                                                   numberOrDash(r.hcr),
                                                   numberOrDash(r.hu),
                                                   displacementOrDash(r.y0AtMax),
                                                   notesText(r)};
        for (int c = 1; c <= kCols; ++c)
            t.setText(row, c, cells[c - 1]);
        t.setAlign(row, kCols, TextAlign::Left);
    }
    int row = 3 + pileRows;
    for (const StatsLines& b : blocks)
        row = putBlock(t, row, b);
    doc.table(std::move(t));
    doc.end();
}

IoResult exportStatsWord(const UnitSummary& s, const TextMeasure& measure, const PictureEncoder& encoder,
                         const std::string& path, WordFormat format)
{
    PageDocument doc(measure);
    buildStatsReport(doc, s);
    return writeWordDocument(doc, PrintSelection{}, encoder, path, format);
}

IoResult exportStatsXlsx(const UnitSummary& s, const TextMeasure& measure, const PictureEncoder& encoder,
                         const std::string& path)
{
    PageDocument doc(measure);
    buildStatsReport(doc, s);
    return writeXlsxDocument(doc, PrintSelection{}, encoder, path);
}

} // namespace pyx
