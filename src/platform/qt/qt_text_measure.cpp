#include "platform/qt/qt_text_measure.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <algorithm>
#include <string_view>

namespace pyx {
namespace {

// Texts are measured on a device of 72 dots per inch with one dot per twip in the em, so
// the advance comes out in twips, with the precision of a large font.
constexpr int kMeasureDpi = 72;

// The characters of numbers and times.
constexpr std::string_view kFigures = "0123456789.-+:";

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

QtTextMeasure::FontWidths& QtTextMeasure::fontWidths(const FontSpec& font) const
{
    const auto known =
        std::find_if(fonts_.begin(), fonts_.end(), [&](const FontWidths& f) { return f.spec == font; });
    if (known != fonts_.end())
        return *known;
    const QPaintDevice& device = measureDevice();
    return fonts_.emplace_back(FontWidths{
        font, QFontMetricsF(pageFont(font, font.size * kTwipsPerPoint, &device), &device), {}, {}, false});
}

const std::array<double, 128>* QtTextMeasure::figureAdvances(FontWidths& f)
{
    if (!f.figuresChecked) {
        f.figuresChecked = true;
        std::array<double, 128> advance{};
        for (const char c : kFigures)
            advance[static_cast<unsigned char>(c)] = f.metrics.horizontalAdvance(QChar(c));
        for (const char a : kFigures)
            for (const char b : kFigures) {
                const QString pair = QString(QChar(a)) + QChar(b);
                if (f.metrics.horizontalAdvance(pair) !=
                    advance[static_cast<unsigned char>(a)] + advance[static_cast<unsigned char>(b)])
                    return nullptr;
            }
        f.figures = advance;
    }
    return f.figures ? &*f.figures : nullptr;
}

double QtTextMeasure::width(std::string_view utf8, const FontSpec& font) const
{
    FontWidths& f = fontWidths(font);
    if (!utf8.empty() && utf8.find_first_not_of(kFigures) == std::string_view::npos)
        if (const auto* advance = figureAdvances(f)) {
            double w = 0;
            for (const char c : utf8)
                w += (*advance)[static_cast<unsigned char>(c)];
            return w;
        }
    if (const auto it = f.known.find(utf8); it != f.known.end())
        return it->second;
    const double w =
        f.metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    f.known.emplace(std::string(utf8), w);
    return w;
}

} // namespace pyx
