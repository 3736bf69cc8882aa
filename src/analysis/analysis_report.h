#pragma once
// The analysis as titled tables of texts: the window's tables, the report page and the text
// of `pyx-cli analyse` show these, so every figure is formatted in one place.

#include <string>
#include <vector>

#include "analysis/test_analysis.h"

namespace pyx {

struct AnalysisSection
{
    std::string title;
    std::vector<std::vector<std::string>> rows; // the first row is the heading
    std::vector<std::string> notes;             // lines below the table
};

// Suggestions, m at the three points, m by stage, the characteristic value, the schedule.
std::vector<AnalysisSection> analysisSections(const TestAnalysis& a);

// The single parts, for the window.
AnalysisSection suggestionSection(const TestAnalysis& a);
AnalysisSection mSection(const TestAnalysis& a);
AnalysisSection mByStageSection(const TestAnalysis& a);
AnalysisSection characteristicSection(const TestAnalysis& a);
AnalysisSection scheduleSection(const TestAnalysis& a);

// The pile inputs of m as one line, with b0 when they are usable.
std::string pileText(const TestAnalysis& a);
// The schedule check in one line: the schedule, its assumption and what was found.
std::string scheduleSummary(const ScheduleCheck& c);

// What a characteristic value rests on, in words ("曲线标记（已确认）", ...); empty for none.
std::string basisText(ValueBasis b);

// Number texts of the analysis: loads in whole kN (a tenth where the load has one),
// displacements in 0.01 mm as the record
// tables show them, m (MN/m⁴) to three significant figures.
std::string loadText(double kN);
std::string displacementText(double mm);
std::string mText(double kNPerM4);

inline constexpr const char* kDisagreeNote = "三种方法的建议相差超过一级荷载，请结合曲线人工判定。";
inline constexpr const char* kCaveat = "建议仅供参考，水平临界荷载与水平极限承载力以在曲线上确认的标记为准。";
inline constexpr const char* kPendingValueNote =
    "特征值依据未确认的建议（各方法建议的最小值，偏于安全），须在曲线上确认标记后方可采用。";
inline constexpr const char* kOutsideTable = "超出规范表格范围";

} // namespace pyx
