#pragma once
// The "原始数据修改记录" report: every difference between the record table and the logger's
// readings (change_record.h), headed by the SHA-256 of the logger's own part of the file,
// so that anyone holding the file can check the report against it.

#include <functional>
#include <string>
#include <vector>

#include "data/model.h"
#include "platform/page_document.h"

namespace pyx {

inline constexpr const char* kTitleChangeRecord = "原始数据修改记录";

// The report's lines as text rows: the heading row, then one row per difference.
std::vector<std::vector<std::string>> changeRecordRows(const TestData& d);

// The report's pages; `endPage` runs at the end of each page (the preview stamps it).
void ChangeRecordPages(PageDocument& doc, const TestData& d, const std::function<void()>& endPage);

} // namespace pyx
