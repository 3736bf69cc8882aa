#include <QByteArray>
#include <QImage>
#include <gtest/gtest.h>

#include "platform/qt/qt_picture_encoder.h"

namespace pyx {
namespace {

TEST(QtPictureEncoder, PaintsTheDrawingIntoAPngOfTheAskedSize)
{
    // A black diagonal over the whole window.
    const Drawing drawing{{"window", {0.0, 0.0, 100.0, 100.0}}, {"line", {0.0, 0.0, 100.0, 100.0}}};
    const std::string png = QtPictureEncoder().png(drawing, 120, 80, 96);
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    QImage image;
    ASSERT_TRUE(image.loadFromData(QByteArray(png.data(), static_cast<qsizetype>(png.size())), "PNG"));
    EXPECT_EQ(image.size(), QSize(120, 80));
    EXPECT_EQ(image.pixelColor(0, 79), QColor(Qt::white));
    int dark = 0;
    for (int x = 0; x < 120; ++x)
        for (int y = 0; y < 80; ++y)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 60);
    EXPECT_EQ(QtPictureEncoder().png(drawing, 0, 10, 96), "");
}

} // namespace
} // namespace pyx
