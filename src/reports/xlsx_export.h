#pragma once
// The Excel export: the Word version of the selected reports as a workbook, one worksheet
// per report table (its title the sheet's name) and the curve pictures on a sheet of their
// own.

#include <string>

#include "base/io_result.h"
#include "platform/dialogs.h"
#include "platform/picture_encoder.h"
#include "platform/text_measure.h"
#include "reports/report_build.h"

namespace pyx {

inline constexpr const char* kXlsxFilter = "Excel 工作簿(*.xlsx)|*.xlsx";
inline constexpr const char* kCurveSheet = "曲线图";

// Writes the Word version of a document as a workbook to `path`, replacing only a regular file,
// through a temporary file beside it; on failure the file at `path` is as it was.
IoResult writeXlsxDocument(const PageDocument& doc, const PrintSelection& s, const PictureEncoder& encoder,
                           const std::string& path);

// Builds the reports of the test and writes them as a workbook (see writeXlsxDocument).
IoResult exportXlsx(TestData& d, int gridRows, const TextMeasure& measure, const PictureEncoder& encoder,
                    const std::string& path);

// The command "导出Excel": the save dialog (the data file's name proposed), the workbook, and
// a message that tells how it went.
void exportXlsxAndTell(TestData& d, int gridRows, const TextMeasure& measure, const PictureEncoder& encoder,
                       Dialogs& dialogs);

} // namespace pyx
