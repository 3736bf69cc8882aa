#include "cli/json_dump.h"

#include "base/json_text.h"
#include "data/change_record.h"

#include <cmath>
#include <cstdio>
#include <variant>

namespace pyx {

void JsonWriter::separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back())
            out_ += ',';
        first_.back() = false;
    }
}

void JsonWriter::open(char c)
{
    separate();
    out_ += c;
    first_.push_back(true);
}

void JsonWriter::close(char c)
{
    first_.pop_back();
    out_ += c;
}

void JsonWriter::key(const std::string& k)
{
    separate();
    out_ += quoteJson(k);
    out_ += ':';
    afterKey_ = true;
}

void JsonWriter::value(const std::string& s)
{
    separate();
    out_ += quoteJson(s);
}

void JsonWriter::value(float f)
{
    separate();
    if (!std::isfinite(f)) {
        out_ += "null";
        return;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(f));
    out_ += buf;
}

void JsonWriter::value(double f)
{
    separate();
    if (!std::isfinite(f)) {
        out_ += "null";
        return;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", f);
    out_ += buf;
}

void JsonWriter::value(long long i)
{
    separate();
    out_ += std::to_string(i);
}

void JsonWriter::value(bool b)
{
    separate();
    out_ += b ? "true" : "false";
}

void JsonWriter::null()
{
    separate();
    out_ += "null";
}

void JsonWriter::raw(const std::string& text)
{
    separate();
    out_ += text;
}

namespace {

void writeTable(JsonWriter& w, const std::vector<std::vector<std::string>>& rows)
{
    w.beginArray();
    for (const auto& row : rows) {
        w.beginArray();
        for (const auto& cell : row)
            w.value(cell);
        w.endArray();
    }
    w.endArray();
}

// The scalars of the open test.
void dumpScalars(JsonWriter& w, const TestData& d)
{
    w.key("ftype");
    w.value(static_cast<int>(d.ftype));
    w.key("jlbn");
    w.value(static_cast<int>(d.jlbn));
    w.key("ysn2");
    w.value(d.ftype == FileKind::Raw311 ? static_cast<int>(d.ysn2) : 0);
    w.key("maxload");
    w.value(static_cast<long long>(d.maxload));
    w.key("nstage");
    w.value(static_cast<int>(d.nstage));
    w.key("ystep");
    w.value(d.ystep);
    w.key("gmax");
    w.value(d.gmax);
    w.key("yfix");
    w.value(d.yfix ? -1 : 0);
    w.key("kz3");
    w.value(d.kz3);
    w.key("hzcount");
    w.value(static_cast<int>(d.hzcount));
    w.key("hzdecimal");
    w.value(d.hzdecimal);
}

// The settings table and the record table's rows.
void dumpRecords(JsonWriter& w, const TestData& d, int rows)
{
    w.key("csz");
    w.beginArray();
    for (const auto& entry : d.csz)
        w.value(entry);
    w.endArray();

    w.key("jlb");
    w.beginArray();
    for (int i = 0; i < rows; ++i) {
        const JlbRec& r = d.jlb[i];
        w.beginObject();
        w.key("sj");
        w.value(r.sj.trimmed());
        w.key("hz");
        w.value(r.hz);
        w.key("xh");
        w.value(static_cast<int>(r.xh));
        w.key("ds");
        w.beginArray();
        for (float x : r.ds)
            w.value(x);
        w.endArray();
        w.endObject();
    }
    w.endArray();
}

// The text slots of the record file: project texts, marks, fixed axis.
void dumpSlots(JsonWriter& w, const TestData& d)
{
    w.key("slots");
    w.beginObject();
    w.key("cstr");
    w.beginArray();
    for (int i = 0; i <= 5; ++i)
        w.value(d.jlb[i].cstr.trimmed());
    w.endArray();
    w.key("mark1");
    w.value(d.jlb[20].cs);
    w.key("mark1text");
    w.value(d.jlb[20].cstr.trimmed());
    w.key("mark2");
    w.value(d.jlb[21].cs);
    w.key("mark2text");
    w.value(d.jlb[21].cstr.trimmed());
    w.key("axis");
    w.beginArray();
    w.value(d.jlb[38].cstr.trimmed());
    w.value(d.jlb[39].cstr.trimmed());
    w.endArray();
    w.endObject();
}

// What the evaluation derived: the readings per row and the summary rows.
void dumpDerived(JsonWriter& w, const TestData& d, int rows)
{
    w.key("jlbp");
    w.beginArray();
    for (int i = 0; i < rows; ++i) {
        w.beginArray();
        for (int k = 0; k < 4; ++k)
            w.value(d.jlbp[i].ds[k]);
        w.endArray();
    }
    w.endArray();

    w.key("hzdat");
    w.beginArray();
    for (int i = 0; i < d.hzcount && i < static_cast<int>(d.hzdat.size()); ++i) {
        const HzRow& h = d.hzdat[i];
        w.beginArray();
        w.value(h.load);
        w.value(static_cast<int>(h.minutes));
        w.value(h.maxDisp);
        w.value(h.maxResidual);
        w.endArray();
    }
    w.endArray();

    // Present only when the record table differs from the logger's readings.
    const std::vector<TableEdit> edits = tableEdits(d);
    if (!edits.empty()) {
        w.key("edits");
        w.beginArray();
        for (const TableEdit& e : edits) {
            w.beginObject();
            w.key("kind");
            w.value(e.kind == TableEdit::Kind::Changed    ? "changed"
                    : e.kind == TableEdit::Kind::Inserted ? "inserted"
                                                          : "deleted");
            w.key("row");
            w.value(e.row);
            w.key("loggerRow");
            w.value(e.loggerRow);
            w.key("load");
            w.value(e.load);
            if (e.kind == TableEdit::Kind::Changed) {
                w.key("col");
                w.value(e.col);
                w.key("column");
                w.value(editColumnName(e.col));
                w.key("logger");
                w.value(e.loggerValue);
                w.key("table");
                w.value(e.tableValue);
            }
            w.endObject();
        }
        w.endArray();
    }
}

// The tables as the windows and reports show them.
void dumpTables(JsonWriter& w, const DumpExtras& extras)
{
    w.key("grids");
    w.beginObject();
    w.key("record");
    writeTable(w, extras.recordGrid);
    w.key("simple");
    writeTable(w, extras.simpleGrid);
    w.key("full");
    writeTable(w, extras.fullGrid);
    w.endObject();

    w.key("matrices");
    w.beginObject();
    w.key("DataJlb");
    writeTable(w, extras.dataJlb);
    w.key("DataHzb");
    writeTable(w, extras.dataHzb);
    w.key("DataYsb");
    writeTable(w, extras.dataYsb);
    w.endObject();
}

} // namespace

std::string dumpModel(const TestData& d, const DumpExtras& extras)
{
    JsonWriter w;
    w.beginObject();
    dumpScalars(w, d);
    const int rows = std::max(0, std::min<int>(d.jlbn, kJlbRows));
    dumpRecords(w, d, rows);
    dumpSlots(w, d);
    dumpDerived(w, d, rows);
    dumpTables(w, extras);
    w.key("rawview");
    w.raw(extras.rawviewJson);
    w.endObject();
    return w.text() + "\n";
}

namespace {

void extent(JsonWriter& w, const Extent& e)
{
    if (const auto* twips = std::get_if<double>(&e.given()))
        w.value(*twips);
    else
        w.value(std::get<std::string>(e.given()));
}

} // namespace

namespace {

void outlineTables(JsonWriter& w, const std::vector<OutlineTable>& tables)
{
    w.beginArray();
    for (const OutlineTable& table : tables) {
        w.beginArray();
        for (const auto& row : table) {
            w.beginArray();
            for (const auto& cell : row)
                if (cell)
                    w.value(*cell);
                else
                    w.null();
            w.endArray();
        }
        w.endArray();
    }
    w.endArray();
}

void outlinePictures(JsonWriter& w, const std::vector<OutlinePicture>& pictures)
{
    w.beginArray();
    for (const OutlinePicture& pic : pictures) {
        w.beginObject();
        w.key("curve");
        w.value(pic.tag);
        w.key("left");
        w.value(pic.left);
        w.key("top");
        w.value(pic.top);
        w.key("width");
        extent(w, pic.width);
        w.key("height");
        extent(w, pic.height);
        if (pic.cell) {
            w.key("table");
            w.value(pic.cell->table);
            w.key("row");
            w.value(pic.cell->row);
            w.key("col");
            w.value(pic.cell->col);
        }
        w.endObject();
    }
    w.endArray();
}

} // namespace

std::string outlineJson(const DocumentOutline& outline)
{
    JsonWriter w;
    w.beginObject();
    w.key("pgtotal");
    w.value(outline.pageCount);
    w.key("pages");
    w.beginArray();
    for (const OutlinePage& page : outline.pages) {
        w.beginObject();
        w.key("stamp");
        if (page.stamp)
            w.value(*page.stamp);
        else
            w.null();
        w.key("paragraphs");
        w.beginArray();
        for (const std::string& p : page.paragraphs)
            w.value(p);
        w.endArray();
        w.key("tables");
        outlineTables(w, page.tables);
        w.key("pictures");
        outlinePictures(w, page.pictures);
        w.endObject();
    }
    w.endArray();
    w.endObject();
    return w.text() + "\n";
}

} // namespace pyx
