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

// Number texts of the analysis.
std::string loadText(double kN);
// Displacements (mm) through the format and rounding of the record and summary tables.
std::string displacementText(double mm);
std::string mText(double kNPerM4); // in MN/m⁴

inline constexpr const char* kDisagreeNote = "三种方法的建议相差超过一级荷载，请结合曲线人工判定。";

} // namespace pyx
