#include "rawview/raw_view.h"

#include <cmath>

#include "data/header_labels.h"
#include "data/instrument_header.h"
#include "data/numfmt.h"
#include "data/raw_remark.h"

namespace pyx {
namespace {

constexpr int kColumnWidth = 1100;
constexpr int kRemarkWidth = 2500;

// "prompt" + text + unit, or the prompt alone when the text is empty.
std::string promptLine(const std::string& prompt, const std::string& text, const std::string& unit)
{
    return text.empty() ? prompt : prompt + text + unit;
}

} // namespace

float Fmat5(float v)
{
    if (!std::isfinite(v))
        return v;
    const std::string s = formatSingle(v, "##0.000");
    const char d1 = s.back();
    const char d2 = s.size() >= 2 ? s[s.size() - 2] : '0';
    const auto b = toLong(static_cast<double>(v) * 10000);
    const auto d = toLong(leadingNumber(s) * 10000);
    if (d1 == '5' && b && d && *b == *d && (d2 - '0') % 2 == 0)
        return static_cast<float>(leadingNumber(std::string_view(s).substr(0, s.size() - 1)));
    return static_cast<float>(leadingNumber(formatSingle(v, "#0.00")));
}

void RawDataView::open()
{
    d_.ysd[0].sj2.set(kNoTime);
    buildHeader();
    fillTable();
}

void RawDataView::buildHeader()
{
    const InstrumentHeader h = instrumentHeader(d_);
    label3[0] = slot0Line(h);
    label3[1] = kDateLabel + h.date;
    label3[2] = kPileLabel + h.pile;
    txtText3 = "千斤顶编号：" + h.jackNumber;
    text2 = h.code;
    label3[10] = std::string("压力计算方式：") + pressureMethodText(h.code);

    if (h.regression()) {
        for (int row : {15, 16})
            if (!isNumeric(d_.ysd[row].s60.trimmed()))
                d_.ysd[row].s60.set("");
        label3[4] = "千斤顶系数a：" + h.coefficientA;
        label3[5] = "千斤顶系数b：" + h.coefficientB;
    } else {
        label3[4] = promptLine("千斤顶额定出力：", h.ratedOutput, " kN");
        label3[5] = promptLine("千斤顶额定油压：", h.ratedPressure, " MPa");
    }

    if (!isNumeric(d_.ysd[9].s20d.trimmed()))
        d_.ysd[9].s20d.set("1");
    if (h.oilSensor) {
        label3[6] = "油压传感器编号：" + h.sensorNumber;
        label3[7] = promptLine("油压传感器量程：", h.sensorRange, " MPa");
        label3[8] = "油压传感器灵敏度：" + h.sensorSensitivity + " mv/V";
        label3[9] = promptLine("使用千斤顶台数：", h.jacks, " 台");
    } else {
        label3[6] = "测力传感器编号：" + h.sensorNumber;
        label3[7] = promptLine("测力传感器量程：", h.sensorRange, " kN");
        label3[8] = "使用千斤顶台数：" + h.jacks + " 台";
        label3[9].clear();
    }
}

std::vector<std::pair<std::string, std::string>> RawDataView::headerLines() const
{
    std::vector<std::pair<std::string, std::string>> lines = {
        {"Label3(0)", label3[0]}, {"Label3(1)", label3[1]}, {"Label3(2)", label3[2]},
        {"txtText3", txtText3},   {"Text2", text2},         {"Label3(10)", label3[10]}};
    for (int i = 4; i <= 9; ++i)
        lines.emplace_back("Label3(" + std::to_string(i) + ")", label3[i]);
    return lines;
}

void RawDataView::refreshGaugeFlags()
{
    for (int k = 0; k < 4; ++k) {
        FixedText<20>& flag = d_.ysd[31 + k].s20a;
        if (!isNumeric(flag.trimmed()))
            flag.set("1");
        if (const auto v = toInteger(leadingNumber(flag.trimmed())))
            d_.ysflag[k] = *v;
    }
}

std::string RawDataView::meanText(const YsRec& r) const
{
    long long sum = 0;
    int count = 0;
    for (int k = 0; k < 4; ++k) {
        if (d_.ysflag[k] != 1)
            continue;
        const auto tenThousandths = toLong(static_cast<double>(Fmat5(r.u[k + 2])) * 10000);
        if (!tenThousandths)
            return std::string();
        sum += *tenThousandths;
        ++count;
    }
    if (count == 0)
        return "0.000";
    const double mean = static_cast<double>(sum) / count / 10000;
    return formatSingle(Fmat5(static_cast<float>(mean)), "##0.000");
}

// Row `row` of the grid: reading `number` (from 1), its load (and oil pressure), time, gauges,
// their mean and its remark.
void RawDataView::fillRow(int row, int number, const YsRec& r, bool oil)
{
    const int oilCols = oil ? 1 : 0;
    const int timeCol = 2 + oilCols;
    const int gaugeCol = 3 + oilCols;
    const int meanCol = 7 + oilCols;
    grid_.setText(row, 0, std::to_string(number));
    grid_.setText(row, 1, formatSingle(r.u[0], "##0"));
    if (oil)
        grid_.setText(row, 2, formatSingle(r.u[1], "##0.00"));
    grid_.setText(row, timeCol, r.sj2.text());
    if (r.sj2.text() == kNoTime) {
        for (int k = 0; k < 4; ++k)
            grid_.setText(row, gaugeCol + k, "--");
        grid_.setText(row, meanCol, "--");
    } else {
        refreshGaugeFlags();
        for (int k = 0; k < 4; ++k)
            grid_.setText(row, gaugeCol + k,
                          d_.ysflag[k] == 1 ? formatSingle(Fmat5(r.u[k + 2]), "##0.00") : "--");
        grid_.setText(row, meanCol, meanText(r));
    }
    grid_.setText(row, 8 + oilCols, rawViewRemark(d_.curfile, r.zt));
}

void RawDataView::fillTable()
{
    const bool oil = d_.ysview == 3;
    const int oilCols = oil ? 1 : 0;
    const int timeCol = 2 + oilCols;
    const int gaugeCol = 3 + oilCols;
    const int meanCol = 7 + oilCols;
    const int remarkCol = 8 + oilCols;

    grid_.clear();
    grid_.setCols(remarkCol + 1);
    grid_.setRows(d_.ysn2 + 2);
    grid_.setFixedRows(2);
    grid_.setEditable(false);
    for (int c = 0; c <= remarkCol; ++c) {
        grid_.setColWidth(c, c == remarkCol ? kRemarkWidth : kColumnWidth);
        grid_.setColAlign(c, CellAlign::Center);
        grid_.setMergeCol(c, true);
    }
    for (int r = 0; r < 2; ++r) {
        grid_.setMergeRow(r, true);
        grid_.setText(r, 1, "荷载(kPa)");
        if (oil)
            grid_.setText(r, 2, "油压");
        grid_.setText(r, timeCol, "时间");
        grid_.setText(r, meanCol, "平均(mm)");
        grid_.setText(r, remarkCol, "修改信息");
    }
    for (int k = 0; k < 4; ++k) {
        grid_.setText(0, gaugeCol + k, "表(mm)");
        grid_.setText(1, gaugeCol + k, std::to_string(k + 1) + "#");
    }
    grid_.setMergeMode(MergeMode::FixedOnly);

    int filled = 0;
    for (int i = 1; i <= d_.ysn2 && i <= kRawRows; ++i) {
        const YsRec& r = d_.ysd[i - 1];
        if (r.sj2.is(kUnusedTime))
            break;
        fillRow(i + 1, i, r, oil);
        filled = i;
    }
    grid_.setRows(2 + filled);
    grid_.setCurrent(grid_.rows() - 1, 0);
    grid_.refresh();
}

} // namespace pyx
