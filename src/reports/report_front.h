#pragma once
// The report front: the cover "单桩水平静载试验检测报告" (report number, parties, standard,
// dates) and the page "检测概况与结论" (the pile, the test method and instruments, the
// conclusion from the analysis, the signatures and the place of the company's seal). Fields
// the user left empty print as blank cells or lines to fill in by hand.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/test_analysis.h"
#include "data/model.h"
#include "platform/page_document.h"
#include "reports/report_info.h"

namespace pyx {

inline constexpr const char* kTitleReportFront = "单桩水平静载试验检测报告";
inline constexpr const char* kTitleConclusion = "检测概况与结论";
inline constexpr const char* kTestItem = "单桩水平静载试验";
inline constexpr const char* kLoadingMethod = "单向多循环加载法";
inline constexpr const char* kSealPlace = "检测单位（盖章）";

using TextRows = std::vector<std::vector<std::string>>;
using LabelledTexts = std::vector<std::pair<std::string, std::string>>;

// What the two pages say, before it is set on them.
struct FrontContent
{
    std::string reportNumber;
    LabelledTexts cover;   // the cover's fields
    LabelledTexts company; // under the cover's fields: the company's name, address, ...
    TextRows pile;         // heading and the pile's row
    LabelledTexts method;  // loading method, gauges, instruments
    TextRows conclusion;   // heading and the pile's row
    std::vector<std::string> conclusionNotes;
    TextRows signatures; // heading and one row per role: role, name, date
};

FrontContent frontContent(const TestData& d, const TestAnalysis& a, const ReportInfo& info);

// Sets the cover and the conclusion page; `stamp` numbers the page just written.
void ReportFrontPages(PageDocument& doc, const FrontContent& c, const std::function<void()>& stamp);

} // namespace pyx
