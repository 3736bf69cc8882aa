#pragma once
// The report documents: the print preview's (the selected tables in pages of 29 rows, each
// page stamped with its number and the total, then the curve pages) and the Word version
// (each selected report one table, no stamps). The print selections are settings entries
// 70 to 79.

#include "data/model.h"
#include "data/settings.h"
#include "platform/page_document.h"
#include "reports/curve_pages.h"

namespace pyx {

inline constexpr int kRowsPerPage = 29;

// Which reports a document holds (settings entries 70-73, 77-80); an entry counts as on
// when its value is the number 1.
struct PrintSelection
{
    bool recordTable = false;   // 70
    bool summary = false;       // 71
    bool timeCurve = false;     // 72
    bool gradientCurve = false; // 73
    bool simpleSummary = false; // 77: the simple summary instead of the full one
    bool rawTable = false;      // 78
    bool reducedCurves = false; // 79
    bool analysis = false;      // 80: the analysis pages after the curves
    bool changeRecord = false;  // 81: the record of changes, last
};

PrintSelection printSelectionOf(const SettingsTable& csz);

class ReportBuilder
{
public:
    // The raw data report refreshes the test's gauge weights, hence the mutable test.
    ReportBuilder(TestData& data, int gridRows) : d_(data), gridRows_(gridRows) {}

    // The preview document, built twice so that the stamps carry the total of the first pass.
    void buildPreview(PageDocument& doc);
    // One build pass of the preview document (PrintBuild).
    void printBuild(PageDocument& doc);
    // The Word version (PrintShowWord); returns the number of report tables before the curves.
    int buildWord(PageDocument& doc);

    int pageTotal() const { return pgtotal_; }

private:
    template <typename Rows, typename Builder>
    void pageLoop(PageDocument& doc, int n, const Rows& rows, Builder builder);
    void stamp(PageDocument& doc);
    CurveSource curves() const { return {d_, gridRows_}; }

    TestData& d_;
    int gridRows_;
    int pageno_ = 0;
    int pgtotal_ = 0;
};

} // namespace pyx
