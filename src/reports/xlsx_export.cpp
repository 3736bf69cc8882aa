#include "reports/xlsx_export.h"

#include <filesystem>

#include "base/utf8_path.h"
#include "platform/xlsx_writer.h"
#include "reports/word_export.h"

namespace pyx {

IoResult writeXlsxDocument(const PageDocument& doc, const PrintSelection& s, const PictureEncoder& encoder,
                           const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(utf8Path(path), ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return IoResult::failed("目标不是普通文件，不能替换：" + path);
    XlsxOptions o;
    o.word = wordOptions(doc, s, path, WordFormat::Docx);
    o.pictureSheet = kCurveSheet;
    return writeXlsx(path, doc.flow(), o, encoder);
}

IoResult exportXlsx(TestData& d, int gridRows, const TextMeasure& measure, const PictureEncoder& encoder,
                    const std::string& path)
{
    PageDocument doc(measure);
    ReportBuilder(d, gridRows).buildWord(doc);
    return writeXlsxDocument(doc, printSelectionOf(d.csz), encoder, path);
}

void exportXlsxAndTell(TestData& d, int gridRows, const TextMeasure& measure, const PictureEncoder& encoder,
                       Dialogs& dialogs)
{
    // The data file's name without its extension.
    const std::string proposal = d.curfile.size() > 4 ? d.curfile.substr(0, d.curfile.size() - 4) : "";
    const std::string path = dialogs.saveFile({kXlsxFilter, 1, proposal, "导出Excel"});
    if (path.empty())
        return;
    if (const IoResult written = exportXlsx(d, gridRows, measure, encoder, path); !written) {
        dialogs.message(
            {"文件保存失败！\n" + written.reason(), "提示", MsgButtons::Ok, MsgIcon::Critical, 1});
        return;
    }
    dialogs.message({"Excel文件导出结束！", "提示", MsgButtons::Ok, MsgIcon::Information, 1});
}

} // namespace pyx
