#include "reports/report_build.h"

#include <algorithm>

#include "reports/analysis_page.h"
#include "reports/change_record_page.h"
#include "reports/report_data.h"
#include "reports/report_front.h"
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
    s.front = printFront(csz);
    return s;
}

void ReportBuilder::stamp(PageDocument& doc)
{
    if (variant_.paged)
        PageNumber(doc);
}

template <typename Rows, typename Builder>
void ReportBuilder::table(PageDocument& doc, int n, const Rows& rows, Builder builder)
{
    if (!variant_.paged) {
        builder(doc, d_, 0, n, rows);
        return;
    }
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

void ReportBuilder::tables(PageDocument& doc, const PrintSelection& s)
{
    if (s.recordTable) {
        const TextMatrix m = DataJlb(d_);
        table(doc, rowCount(d_.ysn, m.size()), m, TableJlb);
    }
    if (s.summary) {
        if (s.recordTable)
            doc.newPage();
        if (s.simpleSummary) {
            const TableRows stages = simpleSummaryRows(d_);
            table(doc, rowCount(d_.hzcount, stages.size()), stages, TableJyhzb);
        } else {
            const TextMatrix m = DataHzb(d_);
            table(doc, rowCount(d_.ysn, m.size()), m, TableHzb);
        }
    }
    if (s.rawTable) {
        if (s.recordTable || s.summary)
            doc.newPage();
        const TextMatrix m = DataYsb(d_);
        // The Word version's raw table is one table with its own column layout.
        table(doc, rowCount(d_.ysn2, m.size()), m, variant_.paged ? TableYsb : TableYsbW);
    }
}

// The preview puts every curve block on a page of its own, after the tables as after the
// other curve page (a break on a page that holds nothing yet makes no page), each page
// stamped; the Word version breaks only after reports and puts the curves in the cell of
// their head's table.
void ReportBuilder::curvePages(PageDocument& doc, const PrintSelection& s)
{
    const bool paged = variant_.paged;
    const bool breakFirst = paged || s.recordTable || s.summary || s.rawTable;
    if (s.reducedCurves) {
        if (!s.timeCurve && !s.gradientCurve)
            return;
        if (breakFirst)
            doc.newPage();
        if (paged) {
            CurveHead(doc, d_, false);
            placeReducedCurves(doc, curves());
        } else {
            CurveHeadW(doc, d_);
            placeReducedCurves(doc, curves(), doc.tableCount());
        }
        stamp(doc);
        return;
    }
    const auto full = [&](PrintedCurve curve, bool pageBreak) {
        if (pageBreak)
            doc.newPage();
        CurveHead(doc, d_, !paged);
        if (paged)
            placeFullCurve(doc, curves(), curve);
        else
            placeFullCurve(doc, curves(), curve, CellRef{doc.tableCount(), 3, 1});
        stamp(doc);
    };
    if (s.timeCurve)
        full(PrintedCurve::Time, breakFirst);
    if (s.gradientCurve)
        full(PrintedCurve::Gradient, paged);
}

const TestAnalysis& ReportBuilder::analysis()
{
    if (!analysis_)
        analysis_ = reportAnalysis(d_, gridRows_);
    return *analysis_;
}

void ReportBuilder::analysisPages(PageDocument& doc)
{
    const TestAnalysis& a = analysis();
    if (variant_.paged || !doc.flow().empty())
        doc.newPage();
    AnalysisTables(doc, d_, a);
    stamp(doc);
    doc.newPage();
    AnalysisCurves(doc, a);
    stamp(doc);
}

// The cover and the conclusion come first; what follows starts on a page of its own.
void ReportBuilder::frontPages(PageDocument& doc)
{
    const FrontContent c = frontContent(d_, analysis(), readReportInfo(d_.curfile));
    ReportFrontPages(doc, c, [&] { stamp(doc); });
    doc.newPage();
}

void ReportBuilder::build(PageDocument& doc, const ReportVariant& variant)
{
    variant_ = variant;
    analysis_.reset();
    const PrintSelection s = printSelectionOf(d_.csz);
    doc.start(variant_.font);
    if (s.front)
        frontPages(doc);
    tables(doc, s);
    curvePages(doc, s);
    if (s.analysis)
        analysisPages(doc);
    if (s.changeRecord) {
        if (variant_.paged || !doc.flow().empty())
            doc.newPage();
        ChangeRecordPages(doc, d_, [&] { stamp(doc); });
    }
    doc.end();
}

void ReportBuilder::buildPreview(PageDocument& doc)
{
    build(doc, kPreviewVariant);
}

void ReportBuilder::buildWord(PageDocument& doc)
{
    build(doc, kWordVariant);
}

} // namespace pyx
