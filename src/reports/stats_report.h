#pragma once
// The summary report of a unit project, "单桩水平静载试验结果汇总表": one table with a row per
// pile, then the statistics of Hcr and Hu with every step and the characteristic value with its
// rule, set by the page composer for the preview, the printer, PDF and the Word files.

#include <string>

#include "analysis/pile_summary.h"
#include "base/io_result.h"
#include "platform/page_document.h"
#include "platform/picture_encoder.h"
#include "reports/word_export.h"

namespace pyx {

inline constexpr const char* kTitleStats = "单桩水平静载试验结果汇总表";

void buildStatsReport(PageDocument& doc, const UnitSummary& s);

// The report as an RTF or .docx file, written through a temporary file beside `path`.
IoResult exportStatsWord(const UnitSummary& s, const TextMeasure& measure, const PictureEncoder& encoder,
                         const std::string& path, WordFormat format);
// The report as a workbook, written as the Excel export writes the test's reports.
IoResult exportStatsXlsx(const UnitSummary& s, const TextMeasure& measure, const PictureEncoder& encoder,
                         const std::string& path);

} // namespace pyx
