#include "platform/docx_writer.h"

#include <zip.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

namespace pyx {
namespace {

constexpr long kEmuPerTwip = 635;

std::string num(double v)
{
    return std::to_string(std::lround(v));
}

// Text for XML content and attribute values; control characters other than tab and line
// feed are not allowed in XML and are left out.
std::string xml(std::string_view utf8)
{
    std::string out;
    for (const Utf8Char& ch : utf8Chars(utf8)) {
        const char32_t c = ch.code;
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (c >= 0x20 || c == '\t' || c == '\n')
                out.append(utf8.substr(ch.offset, ch.length));
        }
    }
    return out;
}

const char* jc(TextAlign a)
{
    switch (a) {
    case TextAlign::Center:
        return "center";
    case TextAlign::Right:
        return "right";
    case TextAlign::Left:
        break;
    }
    return "left";
}

std::string runProps(const FontSpec& f)
{
    const std::string name = xml(f.name);
    const std::string sz = std::to_string(halfPoints(f.size));
    return "<w:rPr><w:rFonts w:ascii=\"" + name + "\" w:hAnsi=\"" + name + "\" w:eastAsia=\"" + name +
           "\" w:cs=\"" + name + "\"/>" + (f.bold ? "<w:b/><w:bCs/>" : "") + "<w:sz w:val=\"" + sz +
           "\"/><w:szCs w:val=\"" + sz + "\"/></w:rPr>";
}

std::string borders(const char* tag, bool inside)
{
    std::string out = std::string("<w:") + tag + ">";
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        if (!inside && side[0] == 'i')
            break;
        out += std::string("<w:") + side + " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"000000\"/>";
    }
    return out + "</w:" + tag + ">";
}

class DocxWriter
{
public:
    DocxWriter(const Flow& flow, const WordOptions& options, const WordPlan& plan)
        : flow_(flow), o_(options), plan_(plan)
    {
    }

    // The document part; the pictures it refers to are in media().
    std::string run()
    {
        out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
               "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
               "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
               "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
               "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
               "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><w:body>";
        bool picturePart = plan_.picturePartFromStart;
        bool afterTable = false;
        for (std::size_t i = 0; i < flow_.size(); ++i) {
            const bool breakHere = plan_.startsPage[i];
            if (breakHere && plan_.sectionStart == i) {
                out_ += "<w:p><w:pPr>" + sectionProps(picturePart) +
                        "<w:rPr><w:sz w:val=\"2\"/></w:rPr></w:pPr></w:p>";
                picturePart = true;
                afterTable = false;
            }
            const bool pageBefore = breakHere && plan_.sectionStart != i;
            if (const auto* p = std::get_if<Paragraph>(&flow_[i])) {
                paragraph(p->text, p->style, pageBefore, std::string());
                afterTable = false;
            } else if (const auto* t = std::get_if<Table>(&flow_[i])) {
                // Two tables without a paragraph between them would become one.
                if (pageBefore || afterTable)
                    out_ += std::string("<w:p><w:pPr>") + (pageBefore ? "<w:pageBreakBefore/>" : "") +
                            "<w:rPr><w:sz w:val=\"2\"/></w:rPr></w:pPr></w:p>";
                table(*t, plan_.tableNumber[i]);
                afterTable = true;
            } else if (const auto* x = std::get_if<TextBox>(&flow_[i])) {
                paragraph(x->text, x->style, pageBefore, framePr(x->left, x->top, x->width, x->height));
                afterTable = false;
            } else if (std::holds_alternative<Picture>(flow_[i]) && plan_.pictures[i] && !plan_.inCell(i)) {
                const auto& p = std::get<Picture>(flow_[i]);
                const WordPicture& w = *plan_.pictures[i];
                out_ += "<w:p><w:pPr>" + std::string(pageBefore ? "<w:pageBreakBefore/>" : "") +
                        framePr(p.left, p.top, w.size.width, w.size.height) + "</w:pPr>" + drawing(w) +
                        "</w:p>";
                afterTable = false;
            }
        }
        // The body ends with a paragraph, as word processors require after a table.
        if (afterTable)
            out_ += "<w:p><w:pPr><w:rPr><w:sz w:val=\"2\"/></w:rPr></w:pPr></w:p>";
        out_ += sectionProps(picturePart) + "</w:body></w:document>";
        return std::move(out_);
    }

    // The PNG pictures in the order of their relationship numbers.
    const std::vector<const WordPicture*>& media() const { return media_; }

private:
    std::string sectionProps(bool picturePart) const
    {
        const PageSetup& s = o_.setup;
        const double top = picturePart ? *o_.picturePartMargin : s.marginTop;
        const double bottom = picturePart ? *o_.picturePartMargin : s.marginBottom;
        // The footer line stands in the lower half of the bottom margin.
        const bool footer = !o_.pageFooter.empty();
        return std::string("<w:sectPr>") +
               (footer ? "<w:footerReference w:type=\"default\" r:id=\"rIdFooter\"/>" : "") +
               "<w:pgSz w:w=\"" + num(s.width) + "\" w:h=\"" + num(s.height) + "\"/><w:pgMar w:top=\"" +
               num(top) + "\" w:right=\"" + num(s.marginRight) + "\" w:bottom=\"" + num(bottom) +
               "\" w:left=\"" + num(s.marginLeft) + "\" w:header=\"720\" w:footer=\"" +
               (footer ? num(bottom / 2) : std::string("720")) + "\" w:gutter=\"0\"/></w:sectPr>";
    }

    static std::string framePr(double left, double top, double width, double height)
    {
        return "<w:framePr w:w=\"" + num(width) + "\" w:h=\"" + num(height) +
               "\" w:hRule=\"exact\" w:hAnchor=\"page\" w:vAnchor=\"page\" w:x=\"" + num(left) + "\" w:y=\"" +
               num(top) + "\"/>";
    }

    void paragraph(const std::string& text, const TextStyle& style, bool pageBefore, const std::string& frame)
    {
        const std::string props = runProps(style.font);
        out_ += "<w:p><w:pPr>" + std::string(pageBefore ? "<w:pageBreakBefore/>" : "") + frame +
                "<w:jc w:val=\"" + jc(style.align) + "\"/>" + props + "</w:pPr>";
        if (!text.empty())
            out_ += "<w:r>" + props + "<w:t xml:space=\"preserve\">" + xml(text) + "</w:t></w:r>";
        out_ += "</w:p>";
    }

    std::string drawing(const WordPicture& w)
    {
        media_.push_back(&w);
        const std::string id = std::to_string(media_.size());
        const std::string cx = std::to_string(std::lround(w.size.width) * kEmuPerTwip);
        const std::string cy = std::to_string(std::lround(w.size.height) * kEmuPerTwip);
        return "<w:r><w:drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent cx=\"" +
               cx + "\" cy=\"" + cy + "\"/><wp:docPr id=\"" + id + "\" name=\"Picture " + id +
               "\"/><a:graphic><a:graphicData "
               "uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
               "<pic:pic><pic:nvPicPr><pic:cNvPr id=\"" +
               id + "\" name=\"image" + id +
               ".png\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed=\"rIdImage" + id +
               "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x=\"0\" "
               "y=\"0\"/>"
               "<a:ext cx=\"" +
               cx + "\" cy=\"" + cy +
               "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic>"
               "</a:graphicData></a:graphic></wp:inline></w:drawing></w:r>";
    }

    // The right edge of column `col` (0 for the left edge of the first).
    static long edgeOf(const std::vector<long>& edges, int col)
    {
        return col < 1 ? 0L : edges[static_cast<std::size_t>(col - 1)];
    }

    void table(const Table& t, int number)
    {
        const bool full = o_.pictureTablesFullWidth && plan_.pictureTables.count(number) > 0;
        const std::vector<long> edges = columnEdges(t, full, o_.setup.contentWidth());
        out_ += "<w:tbl><w:tblPr>";
        out_ += full ? std::string("<w:tblW w:w=\"5000\" w:type=\"pct\"/>")
                     : "<w:tblW w:w=\"" + std::to_string(edgeOf(edges, t.cols())) + "\" w:type=\"dxa\"/>";
        out_ += "<w:jc w:val=\"center\"/>" + borders("tblBorders", true) +
                "<w:tblLayout w:type=\"fixed\"/><w:tblCellMar><w:left w:w=\"" + num(kCellPaddingX) +
                "\" w:type=\"dxa\"/><w:right w:w=\"" + num(kCellPaddingX) +
                "\" w:type=\"dxa\"/></w:tblCellMar><w:tblLook w:val=\"0000\"/></w:tblPr><w:tblGrid>";
        for (int c = 1; c <= t.cols(); ++c)
            out_ += "<w:gridCol w:w=\"" + std::to_string(edgeOf(edges, c) - edgeOf(edges, c - 1)) + "\"/>";
        out_ += "</w:tblGrid>";
        for (int r = 1; r <= t.rows(); ++r) {
            out_ += "<w:tr><w:trPr><w:cantSplit/><w:trHeight w:val=\"" + num(t.rowHeight(r)) +
                    "\" w:hRule=\"atLeast\"/>" + (r <= t.headerRows() ? "<w:tblHeader/>" : "") + "</w:trPr>";
            for (int c = 1; c <= t.cols(); ++c)
                if (t.spanOf(r, c).col == c)
                    cell(t, number, r, c, edges);
            out_ += "</w:tr>";
        }
        out_ += "</w:tbl>";
    }

    // Cell (r, c) of table `number`, the first column of its span: a merged range is one cell
    // across and a run of merged cells down.
    void cell(const Table& t, int number, int r, int c, const std::vector<long>& edges)
    {
        const TableSpan s = t.spanOf(r, c);
        out_ += "<w:tc><w:tcPr><w:tcW w:w=\"" +
                std::to_string(edgeOf(edges, s.col + s.cols - 1) - edgeOf(edges, s.col - 1)) +
                "\" w:type=\"dxa\"/>";
        if (s.cols > 1)
            out_ += "<w:gridSpan w:val=\"" + std::to_string(s.cols) + "\"/>";
        if (s.rows > 1)
            out_ += s.row == r ? "<w:vMerge w:val=\"restart\"/>" : "<w:vMerge/>";
        out_ += borders("tcBorders", false) + "<w:vAlign w:val=\"center\"/></w:tcPr>";
        const bool owner = s.row == r;
        const auto* pictures = owner ? plan_.picturesOf(number, r, c) : nullptr;
        const TextStyle style{t.style.font, t.align(s.row, s.col)};
        // A picture cell without text holds the picture's paragraph alone.
        if (!pictures || !t.text(r, c).empty())
            paragraph(owner ? t.text(r, c) : std::string(), style, false, std::string());
        if (pictures) {
            out_ += "<w:p><w:pPr><w:jc w:val=\"" + std::string(jc(style.align)) + "\"/>" +
                    runProps(style.font) + "</w:pPr>";
            for (const std::size_t b : *pictures)
                out_ += drawing(*plan_.pictures[b]);
            out_ += "</w:p>";
        }
        out_ += "</w:tc>";
    }

    const Flow& flow_;
    const WordOptions& o_;
    const WordPlan& plan_;
    std::string out_;
    std::vector<const WordPicture*> media_;
};

// The footer part: the pattern's texts as runs, its two names as simple fields.
std::string footerPart(const WordOptions& o)
{
    const std::string props = runProps(FontSpec{o.defaultFont, o.pageFooterSize});
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<w:ftr xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
                      "<w:p><w:pPr><w:jc w:val=\"center\"/>" +
                      props + "</w:pPr>";
    const auto text = [&](std::string_view s) {
        if (!s.empty())
            out += "<w:r>" + props + "<w:t xml:space=\"preserve\">" + xml(s) + "</w:t></w:r>";
    };
    std::string_view rest = o.pageFooter;
    while (!rest.empty()) {
        const std::size_t page = rest.find("{PAGE}");
        const std::size_t pages = rest.find("{NUMPAGES}");
        const std::size_t at = std::min(page, pages);
        if (at == std::string_view::npos) {
            text(rest);
            break;
        }
        text(rest.substr(0, at));
        const bool isPage = at == page;
        out += std::string("<w:fldSimple w:instr=\" ") + (isPage ? "PAGE" : "NUMPAGES") + " \"><w:r>" +
               props + "<w:t>1</w:t></w:r></w:fldSimple>";
        rest.remove_prefix(at + (isPage ? 6 : 10));
    }
    return out + "</w:p></w:ftr>";
}

std::string contentTypes(bool footer)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Default Extension=\"png\" ContentType=\"image/png\"/>"
           "<Override PartName=\"/word/document.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/"
           ">"
           "<Override PartName=\"/word/styles.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>" +
           std::string(footer ? "<Override PartName=\"/word/footer1.xml\" "
                                "ContentType=\"application/"
                                "vnd.openxmlformats-officedocument.wordprocessingml.footer+xml\"/>"
                              : "") +
           "</Types>";
}

std::string packageRels()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
           "Target=\"word/document.xml\"/></Relationships>";
}

std::string documentRels(std::size_t pictures, bool footer)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rIdStyles\" "
                      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
                      "Target=\"styles.xml\"/>";
    if (footer)
        out += "<Relationship Id=\"rIdFooter\" "
               "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer\" "
               "Target=\"footer1.xml\"/>";
    for (std::size_t k = 1; k <= pictures; ++k)
        out += "<Relationship Id=\"rIdImage" + std::to_string(k) +
               "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" "
               "Target=\"media/image" +
               std::to_string(k) + ".png\"/>";
    return out + "</Relationships>";
}

// Text in the default font at 10 points, single-spaced, no room between paragraphs.
std::string styles(const std::string& defaultFont)
{
    const std::string f = xml(defaultFont);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
           "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"" +
           f + "\" w:hAnsi=\"" + f + "\" w:eastAsia=\"" + f + "\" w:cs=\"" + f +
           "\"/><w:sz w:val=\"20\"/><w:szCs w:val=\"20\"/><w:lang w:val=\"en-US\" w:eastAsia=\"zh-CN\"/>"
           "</w:rPr></w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" "
           "w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>"
           "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
           "w:val=\"Normal\"/></w:style>"
           "</w:styles>";
}

struct ZipCloser
{
    void operator()(zip_t* z) const { zip_discard(z); }
};

// The entries zipped in memory; the reason in `error` when that fails.
WordOutput zipEntries(const std::vector<std::pair<std::string, std::string>>& entries)
{
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &ze);
    if (!buffer) {
        WordOutput failed{std::string(), IoResult::failed(zip_error_strerror(&ze))};
        zip_error_fini(&ze);
        return failed;
    }
    zip_source_keep(buffer);
    const auto fail = [&](const char* why) {
        WordOutput failed{std::string(), IoResult::failed(why)};
        zip_source_free(buffer);
        zip_error_fini(&ze);
        return failed;
    };
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open_from_source(buffer, ZIP_TRUNCATE, &ze));
    if (!archive)
        return fail(zip_error_strerror(&ze));
    for (const auto& [name, bytes] : entries) {
        zip_source_t* s = zip_source_buffer(archive.get(), bytes.data(), bytes.size(), 0);
        const zip_int64_t index = s ? zip_file_add(archive.get(), name.c_str(), s, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (s)
                zip_source_free(s);
            return fail(zip_strerror(archive.get()));
        }
        // PNG data are compressed already; the XML parts repeat themselves so much that the
        // fastest deflate level packs them nearly as well as the default one.
        const auto at = static_cast<zip_uint64_t>(index);
        if (name.ends_with(".png"))
            zip_set_file_compression(archive.get(), at, ZIP_CM_STORE, 0);
        else
            zip_set_file_compression(archive.get(), at, ZIP_CM_DEFLATE, 1);
    }
    if (zip_close(archive.get()) != 0)
        return fail(zip_strerror(archive.get()));
    static_cast<void>(archive.release()); // zip_close has freed it
    std::string out;
    zip_stat_t st;
    if (zip_source_stat(buffer, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || zip_source_open(buffer) != 0)
        return fail("压缩文件生成失败");
    out.resize(static_cast<std::size_t>(st.size));
    const zip_int64_t got = zip_source_read(buffer, out.data(), st.size);
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&ze);
    if (got != static_cast<zip_int64_t>(st.size))
        return {std::string(), IoResult::failed("压缩文件生成失败")};
    return {std::move(out)};
}

} // namespace

WordOutput docxDocument(const Flow& flow, const WordOptions& options, const PictureEncoder& encoder)
{
    const WordPlan plan = planWord(flow, options, encoder);
    if (!plan.error.empty())
        return {std::string(), IoResult::failed(plan.error)};
    DocxWriter writer(flow, options, plan);
    const bool footer = !options.pageFooter.empty();
    std::vector<std::pair<std::string, std::string>> entries{{"[Content_Types].xml", contentTypes(footer)},
                                                             {"_rels/.rels", packageRels()},
                                                             {"word/document.xml", writer.run()}};
    entries.emplace_back("word/_rels/document.xml.rels", documentRels(writer.media().size(), footer));
    entries.emplace_back("word/styles.xml", styles(options.defaultFont));
    if (footer)
        entries.emplace_back("word/footer1.xml", footerPart(options));
    for (std::size_t k = 0; k < writer.media().size(); ++k)
        entries.emplace_back("word/media/image" + std::to_string(k + 1) + ".png", writer.media()[k]->png);
    return zipEntries(entries);
}

IoResult writeDocx(const std::string& path, const Flow& flow, const WordOptions& options,
                   const PictureEncoder& encoder)
{
    return writeWordOutput(path, docxDocument(flow, options, encoder));
}

} // namespace pyx
