#include "platform/qt/qt_picture_encoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>

#include "platform/qt/page_renderer.h"

namespace pyx {
namespace {

// Qt's PNG quality: lower zlib effort than its default; a curve is mostly white and packs
// well anyway.
constexpr int kPngQuality = 80;

} // namespace

std::string QtPictureEncoder::png(const Drawing& drawing, int width, int height, double dpi) const
{
    if (width <= 0 || height <= 0 || !(dpi > 0))
        return std::string();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return std::string();
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const double twipsPerPixel = 1440 / dpi;
        paintPicture(painter, drawing, QRectF(0, 0, width, height),
                     QSizeF(width * twipsPerPixel, height * twipsPerPixel));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG", kPngQuality))
        return std::string();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace pyx
