#pragma once
// The report documents: the print preview's (the selected tables in pages of 29 rows, each
// page stamped with its number and the total, then the curve pages; one build, the composer
// numbers the stamps) and the Word version
// (each selected report one table, no stamps). The print selections are settings entries
// 70 to 79.

#include <optional>

#include "analysis/test_analysis.h"
#include "data/model.h"
#include "data/settings.h"
#include "platform/page_document.h"
#include "reports/curve_pages.h"

namespace pyx {

inline constexpr int kRowsPerPage = 29;

// Which reports a document holds (settings entries 70-73, 77-82); an entry counts as on
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
    bool front = false;         // 82: the cover and the conclusion, first
};

PrintSelection printSelectionOf(const SettingsTable& csz);

// What the preview's document and the Word version's differ in: the font, and whether the
// tables run in pages of 29 rows with every page stamped and the curves on pages of their
// own (the preview), or each table whole and the curves in their head's table (Word).
struct ReportVariant
{
    const char* font;
    bool paged;
};
inline constexpr ReportVariant kPreviewVariant{"Tahoma", true};
inline constexpr ReportVariant kWordVariant{"宋体", false};

class ReportBuilder
{
public:
    // The raw data report refreshes the test's gauge weights, hence the mutable test.
    ReportBuilder(TestData& data, int gridRows) : d_(data), gridRows_(gridRows) {}

    // The preview document (PrintBuild); its page stamps are filled in at layout.
    void buildPreview(PageDocument& doc);
    // The Word version (PrintShowWord).
    void buildWord(PageDocument& doc);

private:
    // One build of the document.
    void build(PageDocument& doc, const ReportVariant& variant);
    template <typename Rows, typename Builder>
    void table(PageDocument& doc, int n, const Rows& rows, Builder builder);
    void tables(PageDocument& doc, const PrintSelection& s);
    void curvePages(PageDocument& doc, const PrintSelection& s);
    void analysisPages(PageDocument& doc);
    void frontPages(PageDocument& doc);
    // The test's analysis, made once per build for the front and the analysis pages.
    const TestAnalysis& analysis();
    void stamp(PageDocument& doc);
    CurveSource curves() const { return {d_, gridRows_}; }

    TestData& d_;
    int gridRows_;
    ReportVariant variant_ = kPreviewVariant;
    std::optional<TestAnalysis> analysis_;
};

} // namespace pyx
