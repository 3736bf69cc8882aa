#pragma once
// The table reports as the page composer sets them: the title and the header block that
// open every table, the record table, the two summaries, the raw data table in its preview
// and Word forms, and the page-number stamp of the preview.
//
// A page builder writes the rows first .. first + rows - 1 of its text matrix as one table;
// the preview calls it once per page of 29 rows, the Word version once with every row.

#include <string>

#include "data/model.h"
#include "platform/page_document.h"
#include "reports/report_data.h"
#include "tables/table_rows.h"

namespace pyx {

inline constexpr const char* kTitleJlb = "单桩水平静载试验数据记录表";
inline constexpr const char* kTitleHzb = "单桩水平静载试验数据汇总表";
inline constexpr const char* kTitleJyhzb = "荷载-水平位移数据汇总表";
inline constexpr const char* kTitleYsb = "单桩水平静载试验原始数据表";

void TableJlb(PageDocument& doc, const TestData& d, int first, int rows, const TextMatrix& m);
void TableHzb(PageDocument& doc, const TestData& d, int first, int rows, const TextMatrix& m);
// `stages` are the rows of the simple summary (serial number first), one per load stage.
void TableJyhzb(PageDocument& doc, const TestData& d, int first, int rows, const TableRows& stages);
void TableYsb(PageDocument& doc, const TestData& d, int first, int rows, const TextMatrix& m);
void TableYsbW(PageDocument& doc, const TestData& d, int first, int rows, const TextMatrix& m);

// "第 N 页 共 M 页" at the foot of the current page: the composer fills in the page's number
// and the document's page count when it lays the pages out.
inline constexpr const char* kPageStamp = "第 {page} 页 共 {pages} 页";
// The stamp as it reads on page `counter` + 1 of `total`.
std::string pageStampText(int counter, int total);
void PageNumber(PageDocument& doc);

} // namespace pyx
