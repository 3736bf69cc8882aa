#include "platform/qt/qt_picture_encoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "platform/qt/painter_canvas.h"

namespace pyx {

std::string QtPictureEncoder::png(const Drawing& drawing, int width, int height) const
{
    if (width <= 0 || height <= 0)
        return std::string();
    const QImage image = renderDrawing(drawing, QSize(width, height)).convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return std::string();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return std::string();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace pyx
