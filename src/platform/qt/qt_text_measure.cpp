#include "platform/qt/qt_text_measure.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <algorithm>

namespace pyx {
namespace {

// Texts are measured on a device of 72 dots per inch with one dot per twip in the em, so
// the advance comes out in twips, with the precision of a large font.
constexpr int kMeasureDpi = 72;

const QPaintDevice& measureDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(kMeasureDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

} // namespace

QFont pageFont(const FontSpec& spec, double pixels, const QPaintDevice* device)
{
    QFont font(QString::fromStdString(spec.name));
    font.setBold(spec.bold);
    // Hinting would change advances with the device's resolution; the layout measured
    // them without.
    font.setHintingPreference(QFont::PreferNoHinting);
    const int dpi = device ? device->logicalDpiY() : 96;
    font.setPointSizeF(std::max(pixels, 0.01) * 72.0 / dpi);
    return font;
}

double QtTextMeasure::width(std::string_view utf8, const FontSpec& font) const
{
    std::string key = font.name;
    key += '\0';
    key += std::to_string(font.size);
    key += font.bold ? 'b' : 'r';
    key += utf8;
    if (const auto it = widths_.find(key); it != widths_.end())
        return it->second;
    const QPaintDevice& device = measureDevice();
    const QFontMetricsF metrics(pageFont(font, font.size * kTwipsPerPoint, &device), &device);
    const double w =
        metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    widths_.emplace(std::move(key), w);
    return w;
}

} // namespace pyx
