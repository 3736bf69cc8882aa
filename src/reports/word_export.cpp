#include "reports/word_export.h"

#include <cctype>

#include "base/file_io.h"
#include "platform/docx_writer.h"
#include "platform/rtf_writer.h"
#include "reports/rtf_head_foot.h"

namespace pyx {

WordFormat wordFormatOf(const std::string& path)
{
    static const std::string ending = ".docx";
    if (path.size() < ending.size())
        return WordFormat::Rtf;
    for (std::size_t k = 0; k < ending.size(); ++k) {
        const auto c = static_cast<unsigned char>(path[path.size() - ending.size() + k]);
        if (std::tolower(c) != ending[k])
            return WordFormat::Rtf;
    }
    return WordFormat::Docx;
}

WordOptions wordOptions(const PageDocument& doc, const PrintSelection& s, const std::string& path,
                        WordFormat format)
{
    WordOptions o;
    o.setup = doc.setup();
    o.defaultFont = doc.defaultFont();
    o.pictureTablesFullWidth = true;
    o.pictureTablesOnNewPage = true;
    o.picturePartMargin = kCurveMargin;
    if (s.reducedCurves && (s.timeCurve || s.gradientCurve))
        o.pictureSize =
            PictureSize{kReducedPictureWidth * kTwipsPerPoint, kReducedPictureHeight * kTwipsPerPoint};
    // The page composer has no header or footer text of its own, so the groups stay empty.
    RtfHeadFootSource head;
    head.exportFile = path;
    head.exportFormat = format == WordFormat::Rtf ? kFirstRtfFormat : 0;
    head.textLeft = static_cast<long>(o.setup.contentLeft());
    head.textRight = static_cast<long>(o.setup.contentRight());
    head.fontName = o.defaultFont;
    head.fontSize = 10;
    o.rtfHeadFoot = RtfHeadFoot(head);
    // The .docx numbers its pages in the footer as the preview's stamp does.
    o.pageFooter = "第 {PAGE} 页 共 {NUMPAGES} 页";
    return o;
}

IoResult exportWord(TestData& d, int gridRows, const TextMeasure& measure, const PictureEncoder& encoder,
                    const std::string& path, WordFormat format)
{
    PageDocument doc(measure);
    ReportBuilder builder(d, gridRows);
    builder.buildWord(doc);
    return writeWordDocument(doc, printSelectionOf(d.csz), encoder, path, format);
}

IoResult writeWordDocument(const PageDocument& doc, const PrintSelection& s, const PictureEncoder& encoder,
                           const std::string& path, WordFormat format)
{
    const WordOptions o = wordOptions(doc, s, path, format);
    return format == WordFormat::Docx ? writeDocx(path, doc.flow(), o, encoder)
                                      : writeRtf(path, doc.flow(), o, encoder);
}

void WordExport::run()
{
    // The data file's name without its extension.
    const std::string proposal = d_.curfile.size() > 4 ? d_.curfile.substr(0, d_.curfile.size() - 4) : "";
    FileDialogRequest request{kWordFilter, 2, proposal, "另存为"};
    request.confirmOverwrite = false;
    const std::string path = dialogs_.saveFile(request);
    if (path.empty())
        return;
    if (pathExists(path) && dialogs_.message({"文件已存在！是否替换？", "提示！", MsgButtons::YesNo,
                                              MsgIcon::Information, 1}) != MsgAnswer::Yes)
        return;
    if (exportTo(path))
        dialogs_.message({"Word文件导出结束！", "提示", MsgButtons::Ok, MsgIcon::Information, 1});
}

bool WordExport::exportTo(const std::string& path)
{
    if (cannotReplace(path)) {
        dialogs_.message({"文件已经打开！请关闭后继续操作！", kAppTitle, MsgButtons::Ok, MsgIcon::None, 1});
        return false;
    }
    if (const IoResult written = exportWord(d_, gridRows_, measure_, encoder_, path, wordFormatOf(path));
        !written) {
        dialogs_.message(
            {"文件保存失败！\n" + written.reason(), "提示", MsgButtons::Ok, MsgIcon::Critical, 1});
        return false;
    }
    return true;
}

} // namespace pyx
