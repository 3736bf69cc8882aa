#include "reports/qt/pdf_export.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>

#include "platform/qt/page_renderer.h"

namespace pyx {

std::string exportPdf(const PageDocument& doc, const std::string& path)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return "无法写入文件：" + path + "（" + file.errorString().toStdString() + "）";
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("PYX"));
        writer.setResolution(1200);
        // A PDF holds at least one page: an empty document gives a blank one.
        if (doc.pages().empty()) {
            QPainter blank(&writer);
        } else if (!renderPages(doc.pages(), doc.setup(), writer)) {
            file.cancelWriting();
            return "无法生成PDF文件：" + path;
        }
    }
    if (!file.commit())
        return "无法写入文件：" + path + "（" + file.errorString().toStdString() + "）";
    return {};
}

} // namespace pyx
