#include "curves/mark_loads.h"

#include "curves/marks.h"
#include "data/numfmt.h"
#include "eval/gradient_points.h"

namespace pyx {
namespace {

// "50 kN", "87.5 kN": the load's own decimals, no point without them.
std::string kN(float load)
{
    std::string text = formatSingle(load, "#0.##");
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text + " kN";
}

} // namespace

std::vector<float> gradientStageLoads(const TestData& d, int gridRows)
{
    std::vector<float> out;
    for (const int row : gradientPointRows(d, gridRows)) {
        if (row < 0 || row >= kJlbRows || d.jlbp[static_cast<std::size_t>(row)].hz == kEndLoad)
            break;
        out.push_back(d.jlbp[static_cast<std::size_t>(row)].hz);
    }
    return out;
}

std::string stageLoadText(const std::vector<float>& loads, const std::string& stageText)
{
    if (stageText.empty() || !isNumeric(stageText))
        return {};
    const auto stage = toDouble(stageText);
    if (!stage || *stage < 1 || *stage > static_cast<double>(loads.size()) ||
        *stage != static_cast<int>(*stage))
        return {};
    return kN(loads[static_cast<std::size_t>(*stage) - 1]);
}

std::string marksSummary(const TestData& d, const std::vector<float>& loads)
{
    std::string out;
    for (int which = 0; which < 2; ++which) {
        if (markIndex(d, which) == 0)
            continue;
        const auto point = markedPoint(markIndex(d, which));
        if (!point || *point < 0 || *point >= static_cast<int>(loads.size()))
            continue;
        std::string name = markText(d, which).trimmed();
        if (name.empty())
            name = which == 0 ? "Hcr" : "Hu";
        if (!out.empty())
            out += "    ";
        out += name + " = " + kN(loads[static_cast<std::size_t>(*point)]) + "（第" +
               std::to_string(*point + 1) + "级）";
    }
    return out;
}

} // namespace pyx
