#include "reports/qt/pdf_export.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include "base/file_io.h"
#include "platform/qt/page_renderer.h"

namespace pyx {

IoResult exportPdf(const PageDocument& doc, const std::string& path)
{
    // The document is made in memory and written through the same atomic save as a test file:
    // a failure at any point leaves the file at `path` as it was.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("PYX"));
        writer.setResolution(1200);
        // A PDF holds at least one page: an empty document gives a blank one.
        if (doc.pages().empty()) {
            QPainter blank(&writer);
        } else if (!renderPages(doc.pages(), doc.setup(), writer)) {
            return IoResult::failed("无法生成PDF文件：" + path);
        }
    }
    if (const IoResult written = writeFileAtomic(path, bytes.toStdString()); !written)
        return IoResult::failed("无法写入文件：" + path + "（" + written.reason() + "）");
    return IoResult::done();
}

void exportPdfAndTell(const PageDocument& doc, const std::string& path, Dialogs& dialogs)
{
    if (const IoResult written = exportPdf(doc, path); !written) {
        dialogs.message(
            {"文件保存失败！\n" + written.reason(), "提示", MsgButtons::Ok, MsgIcon::Critical, 1});
        return;
    }
    dialogs.message({"PDF文件导出结束！", "提示", MsgButtons::Ok, MsgIcon::Information, 1});
}

} // namespace pyx
