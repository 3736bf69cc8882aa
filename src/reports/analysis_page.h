#pragma once
// The "分析结果" pages of the reports: the suggested loads, m, the characteristic value and
// the schedule check as tables, then the three analysis curves.

#include "analysis/test_analysis.h"
#include "data/model.h"
#include "platform/page_document.h"

namespace pyx {

inline constexpr const char* kTitleAnalysis = "单桩水平静载试验分析结果";
inline constexpr int kAnalysisPlotTag = 10; // the outline's names of the curves: 10, 11, 12

// The table page; the caller stamps it and starts the next.
void AnalysisTables(PageDocument& doc, const TestData& d, const TestAnalysis& a);
// The curve page: title and the three curves at fixed places.
void AnalysisCurves(PageDocument& doc, const TestAnalysis& a);

// The analysis the reports print: the test's own inputs (beside its data file).
TestAnalysis reportAnalysis(const TestData& d, int gridRows);

} // namespace pyx
