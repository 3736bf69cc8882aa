#include "platform/xlsx_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <tuple>

#include "base/file_io.h"
#include "base/utf8_path.h"
#include "platform/text_measure.h"

namespace pyx {
namespace {

constexpr double kTwipsPerPixel = 15;    // a screen of 96 dots an inch
constexpr double kTwipsPerRowPoint = 20; // row heights are in points
constexpr double kDefaultRowTwips = 300; // the sheet's default row of 15 points
constexpr lxw_row_t kPictureGapRows = 1; // empty rows between two pictures
constexpr double kTitleSize = 16;

// Column widths are in characters of the default font: 7 pixels each, and 5 pixels of padding.
double columnChars(double twips)
{
    return std::max(0.5, (twips / kTwipsPerPixel - 5) / 7);
}

struct WorkbookCloser
{
    void operator()(lxw_workbook* w) const
    {
        if (w)
            workbook_close(w);
    }
};

// The formats of the cells: one per alignment, boldness, size and number of decimals.
class Formats
{
public:
    Formats(lxw_workbook* book, std::string font) : book_(book), font_(std::move(font)) {}

    lxw_format* cell(TextAlign align, const FontSpec& f, std::optional<int> decimals, bool border = true)
    {
        const auto key = std::tuple{static_cast<int>(align), f.bold, f.size, decimals.value_or(-1), border};
        if (const auto it = formats_.find(key); it != formats_.end())
            return it->second;
        lxw_format* fmt = workbook_add_format(book_);
        format_set_font_name(fmt, font_.c_str());
        format_set_font_size(fmt, f.size);
        if (f.bold)
            format_set_bold(fmt);
        format_set_align(fmt, align == TextAlign::Center  ? LXW_ALIGN_CENTER
                              : align == TextAlign::Right ? LXW_ALIGN_RIGHT
                                                          : LXW_ALIGN_LEFT);
        format_set_align(fmt, LXW_ALIGN_VERTICAL_CENTER);
        format_set_text_wrap(fmt);
        if (border)
            format_set_border(fmt, LXW_BORDER_THIN);
        if (decimals) {
            const std::string pattern =
                *decimals > 0 ? "0." + std::string(static_cast<std::size_t>(*decimals), '0') : "0";
            format_set_num_format(fmt, pattern.c_str());
        }
        formats_.emplace(key, fmt);
        return fmt;
    }

private:
    lxw_workbook* book_;
    std::string font_;
    std::map<std::tuple<int, bool, double, int, bool>, lxw_format*> formats_;
};

// Writes the texts of a table from `top` (counted from 0) on, with its merges.
void writeTable(lxw_worksheet* ws, const Table& t, lxw_row_t top, Formats& formats)
{
    const auto row = [&](int r) { return static_cast<lxw_row_t>(top + static_cast<lxw_row_t>(r - 1)); };
    const auto col = [](int c) { return static_cast<lxw_col_t>(c - 1); };
    for (int c = 1; c <= t.cols(); ++c)
        worksheet_set_column(ws, col(c), col(c), columnChars(t.colWidth(c)), nullptr);
    // Rows below the heading keep their height; heading rows grow to their wrapped texts.
    for (int r = t.headerRows() + 1; r <= t.rows(); ++r)
        worksheet_set_row(ws, row(r), t.rowHeight(r) / kTwipsPerRowPoint, nullptr);
    for (int r = 1; r <= t.rows(); ++r)
        for (int c = 1; c <= t.cols(); ++c) {
            if (t.covered(r, c))
                continue;
            const std::string& text = t.text(r, c);
            const std::optional<SheetNumber> n = sheetNumber(text);
            lxw_format* fmt =
                formats.cell(t.align(r, c), t.style.font, n ? std::optional<int>(n->decimals) : std::nullopt);
            const TableSpan s = t.spanOf(r, c);
            if (s.rows > 1 || s.cols > 1)
                worksheet_merge_range(ws, row(r), col(c), row(r + s.rows - 1), col(c + s.cols - 1),
                                      text.c_str(), fmt);
            if (n)
                worksheet_write_number(ws, row(r), col(c), n->value, fmt);
            else if (text.empty())
                worksheet_write_blank(ws, row(r), col(c), fmt);
            else
                worksheet_write_string(ws, row(r), col(c), text.c_str(), fmt);
        }
}

// A name for the workbook's scratch file, unique in this process.
std::filesystem::path scratchPath()
{
    static std::atomic<unsigned> serial{0};
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec)
        dir = ".";
    const auto stamp =
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    return dir / ("pyx-xlsx-" + std::to_string(stamp) + "-" + std::to_string(serial++) + ".xlsx");
}

} // namespace

std::optional<SheetNumber> sheetNumber(const std::string& text)
{
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-')
        ++i;
    const std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    const std::size_t whole = i - digits;
    int decimals = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            ++decimals;
        }
        if (decimals == 0)
            return std::nullopt;
    }
    // A leading zero before more digits ("007") is a name, not a number.
    if (whole == 0 || i != text.size() || (whole > 1 && text[digits] == '0'))
        return std::nullopt;
    return SheetNumber{std::strtod(text.c_str(), nullptr), decimals};
}

std::string sheetName(const std::string& title, const std::string& fallback,
                      const std::vector<std::string>& taken)
{
    constexpr std::size_t kMaxChars = 31;
    const auto clean = [](const std::string& s) {
        std::string out;
        for (const Utf8Char& ch : utf8Chars(s)) {
            const char32_t c = ch.code;
            if (c < 0x20 || c == '[' || c == ']' || c == ':' || c == '*' || c == '?' || c == '/' || c == '\\')
                continue;
            out.append(s, ch.offset, ch.length);
        }
        while (!out.empty() && (out.front() == '\'' || out.front() == ' '))
            out.erase(0, 1);
        while (!out.empty() && (out.back() == '\'' || out.back() == ' '))
            out.pop_back();
        return out;
    };
    // The first `n` characters of s.
    const auto cut = [](const std::string& s, std::size_t n) {
        std::size_t k = 0;
        for (const Utf8Char& ch : utf8Chars(s))
            if (++k > n)
                return s.substr(0, ch.offset);
        return s;
    };
    std::string base = clean(title);
    if (base.empty())
        base = clean(fallback);
    const auto isTaken = [&](const std::string& name) {
        return std::find(taken.begin(), taken.end(), name) != taken.end();
    };
    std::string name = cut(base, kMaxChars);
    for (int k = 2; isTaken(name); ++k) {
        const std::string suffix = "(" + std::to_string(k) + ")";
        name = cut(base, kMaxChars - suffix.size()) + suffix;
    }
    return name;
}

namespace {

// A worksheet of one table under its title (the paragraph before it): merged cells as in the
// table, the heading rows frozen and repeated on every printed page.
IoResult addTableSheet(lxw_workbook* book, const Table& t, const std::string& title, Formats& formats,
                       std::vector<std::string>& names)
{
    names.push_back(sheetName(title, "表" + std::to_string(names.size() + 1), names));
    lxw_worksheet* ws = workbook_add_worksheet(book, names.back().c_str());
    if (!ws)
        return IoResult::failed("无法建立工作表：" + names.back());
    worksheet_set_paper(ws, 9); // A4
    worksheet_fit_to_pages(ws, 1, 0);
    lxw_row_t top = 0;
    if (!title.empty() && t.cols() > 0) {
        FontSpec f = t.style.font;
        f.size = kTitleSize;
        f.bold = true;
        lxw_format* fmt = formats.cell(TextAlign::Center, f, std::nullopt, false);
        if (t.cols() > 1)
            worksheet_merge_range(ws, 0, 0, 0, static_cast<lxw_col_t>(t.cols() - 1), title.c_str(), fmt);
        else
            worksheet_write_string(ws, 0, 0, title.c_str(), fmt);
        worksheet_set_row(ws, 0, kTitleSize * 2, nullptr);
        top = 1;
    }
    writeTable(ws, t, top, formats);
    const lxw_row_t heading = top + static_cast<lxw_row_t>(t.headerRows());
    if (heading > 0) {
        worksheet_freeze_panes(ws, heading, 0);
        worksheet_repeat_rows(ws, 0, heading - 1);
    }
    return IoResult::done();
}

// The pictures, one under the other on a worksheet of their own, at their size in the
// word-processor document, each after the first on a printed page of its own.
IoResult addPictureSheet(lxw_workbook* book, const WordPlan& plan, const std::string& sheet,
                         std::vector<std::string>& names)
{
    lxw_worksheet* pictures = nullptr;
    lxw_row_t row = 0;
    std::vector<lxw_row_t> pageBreaks;
    for (const std::optional<WordPicture>& w : plan.pictures) {
        if (!w)
            continue;
        if (!pictures) {
            names.push_back(sheetName(sheet, "图", names));
            pictures = workbook_add_worksheet(book, names.back().c_str());
            if (!pictures)
                return IoResult::failed("无法建立工作表：" + names.back());
            worksheet_set_paper(pictures, 9);
            worksheet_fit_to_pages(pictures, 1, 0);
        }
        if (row > 0)
            pageBreaks.push_back(row);
        lxw_image_options o{};
        o.x_scale = w->size.width / kTwipsPerPixel / w->pixelWidth;
        o.y_scale = w->size.height / kTwipsPerPixel / w->pixelHeight;
        o.object_position = LXW_OBJECT_MOVE_DONT_SIZE;
        if (worksheet_insert_image_buffer_opt(pictures, row, 0,
                                              reinterpret_cast<const unsigned char*>(w->png.data()),
                                              w->png.size(), &o) != LXW_NO_ERROR)
            return IoResult::failed("曲线图片无法放入表格文件");
        row += static_cast<lxw_row_t>(std::ceil(w->size.height / kDefaultRowTwips)) + kPictureGapRows;
    }
    if (pictures && !pageBreaks.empty()) {
        pageBreaks.push_back(0); // the list ends with 0
        worksheet_set_h_pagebreaks(pictures, pageBreaks.data());
    }
    return IoResult::done();
}

// The workbook closed at `scratch`, its bytes read back and the file removed.
ReadResult closeAndRead(std::unique_ptr<lxw_workbook, WorkbookCloser> book,
                        const std::filesystem::path& scratch)
{
    const lxw_error closed = workbook_close(book.release());
    ReadResult bytes;
    if (closed != LXW_NO_ERROR)
        bytes.error = lxw_strerror(closed);
    else
        bytes = readWholeFile(utf8String(scratch));
    std::error_code ec;
    std::filesystem::remove(scratch, ec);
    return bytes;
}

} // namespace

IoResult writeXlsx(const std::string& path, const Flow& flow, const XlsxOptions& options,
                   const PictureEncoder& encoder)
{
    const WordPlan plan = planWord(flow, options.word, encoder);
    if (!plan.error.empty())
        return IoResult::failed(plan.error);
    const std::filesystem::path scratch = scratchPath();
    // The library opens the file with the system's narrow path (the code page on Windows).
    std::string scratchName;
    try {
        scratchName = scratch.string();
    } catch (const std::exception&) {
        return IoResult::failed("临时文件夹的路径无法用于表格文件：" + utf8String(scratch));
    }
    std::unique_ptr<lxw_workbook, WorkbookCloser> book(workbook_new(scratchName.c_str()));
    if (!book)
        return IoResult::failed("无法建立表格文件");
    Formats formats(book.get(), options.word.defaultFont);

    std::vector<std::string> names;
    std::string title;
    for (std::size_t i = 0; i < flow.size(); ++i) {
        if (const auto* p = std::get_if<Paragraph>(&flow[i]); p && !p->text.empty())
            title = p->text;
        const auto* t = std::get_if<Table>(&flow[i]);
        if (!t || plan.pictureTables.count(plan.tableNumber[i]) > 0)
            continue;
        if (IoResult added = addTableSheet(book.get(), *t, title, formats, names); !added)
            return added;
        title.clear();
    }
    if (IoResult added = addPictureSheet(book.get(), plan, options.pictureSheet, names); !added)
        return added;
    if (names.empty())
        workbook_add_worksheet(book.get(), nullptr); // a workbook needs one sheet

    const ReadResult bytes = closeAndRead(std::move(book), scratch);
    if (!bytes.bytes)
        return IoResult::failed("表格文件写入失败：" + bytes.error);
    return writeFileAtomic(path, *bytes.bytes);
}

} // namespace pyx
