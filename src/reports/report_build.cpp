#include "reports/report_build.h"

#include <algorithm>

#include "reports/analysis_page.h"
#include "reports/change_record_page.h"
#include "reports/report_data.h"
#include "reports/report_tables.h"
#include "tables/table_rows.h"

namespace pyx {
namespace {

// The rows a page loop prints: the count the test gives, never more than the matrix holds.
int rowCount(long long declared, std::size_t available)
{
    return static_cast<int>(std::clamp<long long>(declared, 0, static_cast<long long>(available)));
}

} // namespace

PrintSelection printSelectionOf(const SettingsTable& csz)
{
    const auto on = [&](PrintItem item) { return printSelection(csz, item); };
    PrintSelection s{on(PrintItem::RecordTable),   on(PrintItem::Summary), on(PrintItem::TimeCurve),
                     on(PrintItem::GradientCurve), simpleSummary(csz),     on(PrintItem::RawTable),
                     on(PrintItem::ReducedCurves)};
    s.analysis = printAnalysis(csz);
    s.changeRecord = printChangeRecord(csz);
    return s;
}

void ReportBuilder::stamp(PageDocument& doc)
{
    PageNumber(doc, pageno_, pgtotal_);
    ++pageno_;
}

template <typename Rows, typename Builder>
void ReportBuilder::pageLoop(PageDocument& doc, int n, const Rows& rows, Builder builder)
{
    const int pages = (n + kRowsPerPage - 1) / kRowsPerPage;
    for (int i = 1; i <= pages; ++i) {
        const int first = kRowsPerPage * (i - 1);
        const int r = n - first >= kRowsPerPage ? kRowsPerPage : n % kRowsPerPage;
        // A page of 29 rows fills the page: the next one starts on a new page.
        if (i > 1)
            doc.newPage();
        builder(doc, d_, first, r, rows);
        stamp(doc);
    }
}

void ReportBuilder::printBuild(PageDocument& doc)
{
    const PrintSelection s = printSelectionOf(d_.csz);
    doc.start("Tahoma");
    if (s.recordTable) {
        const TextMatrix m = DataJlb(d_);
        pageLoop(doc, rowCount(d_.ysn, m.size()), m, TableJlb);
    }
    if (s.summary) {
        if (s.recordTable)
            doc.newPage();
        if (s.simpleSummary) {
            const TableRows stages = simpleSummaryRows(d_);
            pageLoop(doc, rowCount(d_.hzcount, stages.size()), stages, TableJyhzb);
        } else {
            const TextMatrix m = DataHzb(d_);
            pageLoop(doc, rowCount(d_.ysn, m.size()), m, TableHzb);
        }
    }
    if (s.rawTable) {
        if (s.recordTable || s.summary)
            doc.newPage();
        const TextMatrix m = DataYsb(d_);
        pageLoop(doc, rowCount(d_.ysn2, m.size()), m, TableYsb);
    }
    // Every curve block starts on a page of its own, after the tables as after the other
    // curve page (a break on a page that holds nothing yet makes no page).
    if (s.reducedCurves) {
        if (s.timeCurve || s.gradientCurve) {
            doc.newPage();
            CurveHead(doc, d_, false);
            placeReducedCurves(doc, curves());
            stamp(doc);
        }
    } else {
        if (s.timeCurve) {
            doc.newPage();
            CurveHead(doc, d_, false);
            placeFullCurve(doc, curves(), PrintedCurve::Time);
            stamp(doc);
        }
        if (s.gradientCurve) {
            doc.newPage();
            CurveHead(doc, d_, false);
            placeFullCurve(doc, curves(), PrintedCurve::Gradient);
            stamp(doc);
        }
    }
    if (s.analysis) {
        const TestAnalysis a = reportAnalysis(d_, gridRows_);
        doc.newPage();
        AnalysisTables(doc, d_, a);
        stamp(doc);
        doc.newPage();
        AnalysisCurves(doc, a);
        stamp(doc);
    }
    if (s.changeRecord) {
        doc.newPage();
        ChangeRecordPages(doc, d_, [&] { stamp(doc); });
    }
    doc.end();
}

void ReportBuilder::buildPreview(PageDocument& doc)
{
    pageno_ = 0;
    printBuild(doc);
    pgtotal_ = doc.pageCount();
    pageno_ = 0;
    printBuild(doc);
}

int ReportBuilder::buildWord(PageDocument& doc)
{
    const PrintSelection s = printSelectionOf(d_.csz);
    doc.start("宋体");
    int t = 0;
    if (s.recordTable) {
        const TextMatrix m = DataJlb(d_);
        TableJlb(doc, d_, 0, rowCount(d_.ysn, m.size()), m);
        ++t;
    }
    if (s.summary) {
        if (s.recordTable)
            doc.newPage();
        if (s.simpleSummary) {
            const TableRows stages = simpleSummaryRows(d_);
            TableJyhzb(doc, d_, 0, rowCount(d_.hzcount, stages.size()), stages);
        } else {
            const TextMatrix m = DataHzb(d_);
            TableHzb(doc, d_, 0, rowCount(d_.ysn, m.size()), m);
        }
        ++t;
    }
    if (s.rawTable) {
        if (s.recordTable || s.summary)
            doc.newPage();
        const TextMatrix m = DataYsb(d_);
        TableYsbW(doc, d_, 0, rowCount(d_.ysn2, m.size()), m);
        ++t;
    }
    const bool reportsBefore = s.recordTable || s.summary || s.rawTable;
    if (s.reducedCurves) {
        if (s.timeCurve || s.gradientCurve) {
            if (reportsBefore)
                doc.newPage();
            CurveHeadW(doc, d_);
            placeReducedCurves(doc, curves(), doc.tableCount());
        }
    } else {
        if (s.timeCurve) {
            if (reportsBefore)
                doc.newPage();
            CurveHead(doc, d_, true);
            placeFullCurve(doc, curves(), PrintedCurve::Time, CellRef{doc.tableCount(), 3, 1});
        }
        if (s.gradientCurve) {
            CurveHead(doc, d_, true);
            placeFullCurve(doc, curves(), PrintedCurve::Gradient, CellRef{doc.tableCount(), 3, 1});
        }
    }
    if (s.analysis) {
        const TestAnalysis a = reportAnalysis(d_, gridRows_);
        if (!doc.flow().empty())
            doc.newPage();
        AnalysisTables(doc, d_, a);
        doc.newPage();
        AnalysisCurves(doc, a);
    }
    if (s.changeRecord) {
        if (!doc.flow().empty())
            doc.newPage();
        ChangeRecordPages(doc, d_, [] {});
    }
    doc.end();
    return t;
}

} // namespace pyx
