#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <memory>

#include "curves/curve_panel.h"
#include "curves/qt/curve_panel_binding.h"
#include "curves/qt/curve_surface.h"
#include "curves/qt/mark_dialog_widget.h"
#include "platform/qt/painter_canvas.h"
#include "platform/scripted_dialogs.h"

namespace pyx {
namespace {

// Dark pixels of an image inside a rectangle.
int darkPixels(const QImage& image, const QRect& r)
{
    int n = 0;
    for (int y = std::max(0, r.top()); y <= std::min(image.height() - 1, r.bottom()); ++y)
        for (int x = std::max(0, r.left()); x <= std::min(image.width() - 1, r.right()); ++x)
            n += qGray(image.pixel(x, y)) < 128;
    return n;
}

TEST(PainterCanvas, MapsTheFrameAndKeepsTextsUprightBelowTheirPoint)
{
    RecordingCanvas rec;
    rec.clear();
    rec.setWindow(-150, 1300, 1200, -1300);
    rec.setPenWidth(2);
    rec.drawLine(0, 0, 0, 1300);
    rec.setFontSize(32);
    rec.textAt(400, 600, "Hcr");
    for (const QSize size : {QSize(660, 670), QSize(1320, 1339)}) {
        const QImage image = renderDrawing(rec.ops(), size);
        const FrameMap m = mapFrame(-150, 1300, 1200, -1300, size.width(), size.height());
        const int axisX = static_cast<int>(m.deviceX(0));
        EXPECT_GT(darkPixels(image, QRect(axisX - 1, 10, 3, 10)), 0) << size.width();
        const QPoint at(static_cast<int>(m.deviceX(400)), static_cast<int>(m.deviceY(600)));
        const int em = static_cast<int>(32 * kTextEm * m.sizeScale());
        EXPECT_GT(darkPixels(image, QRect(at.x(), at.y(), em * 2, em)), 0);
        EXPECT_EQ(darkPixels(image, QRect(at.x() - em, at.y() - em, em * 4, em - 2)), 0);
    }
}

struct CurveWidgetsTest : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    CurvePanel panel{*d, dialogs};
    QWidget window;
    CurveSurface* surface = new CurveSurface(panel, &window);
    QScrollBar* scale = new QScrollBar(Qt::Horizontal, &window);
    QScrollBar* stages = new QScrollBar(Qt::Horizontal, &window);

    CurveWidgetsTest()
    {
        d->curfile = "t.pys";
        d->kz3 = "40";
        d->gmax = 10;
        for (int s = 1; s <= 3; ++s)
            for (int c = 1; c <= 5; ++c) {
                JlbRec& r = d->jlbp[d->jlbn++];
                r.hz = 40.0f * s;
                r.xh = static_cast<std::int16_t>(c);
                r.ds[dispLoading] = 1.0f * s;
            }
        panel.hooks.gridRows = [] { return 20; };
        bindCurvePanel(panel, surface, scale, stages);
        surface->resize(600, 650);
    }
    QPointF devicePoint(const GradPoint& p)
    {
        const FrameMap m = drawingFrame(panel.surface.ops(), surface->width(), surface->height());
        return {m.deviceX(p.x), m.deviceY(p.y)};
    }
    void mouse(QEvent::Type type, QPointF at, Qt::MouseButton button)
    {
        QMouseEvent e(type, at, surface->mapToGlobal(at), button,
                      type == QEvent::MouseMove ? Qt::NoButton : button, Qt::NoModifier);
        QApplication::sendEvent(surface, &e);
    }
};

TEST_F(CurveWidgetsTest, MouseOverAPointShowsTheCrossAndAClickMarksIt)
{
    panel.MenuSLgQcurve_Click();
    mouse(QEvent::MouseMove, devicePoint(panel.gpts[1]), Qt::NoButton);
    EXPECT_EQ(surface->cursor().shape(), Qt::CrossCursor);
    mouse(QEvent::MouseButtonPress, devicePoint(panel.gpts[1]), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, devicePoint(panel.gpts[1]), Qt::LeftButton);
    EXPECT_EQ(markIndex(*d, 0), 1);
    mouse(QEvent::MouseMove, QPointF(590, 20), Qt::NoButton);
    EXPECT_EQ(surface->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CurveWidgetsTest, ScrollBarsFollowThePanelAndStepIt)
{
    d->nstage = 12;
    panel.DrawChartQS_Click();
    EXPECT_EQ(stages->value(), 12);
    EXPECT_EQ(scale->value(), 50);
    const float before = d->ystep;
    scale->setValue(51);
    EXPECT_FLOAT_EQ(d->ystep, before + 0.1f);
    stages->setValue(8);
    EXPECT_EQ(d->nstage, 8);
    EXPECT_TRUE(d->yfix);
}

TEST(MarkDialogWidget, StageBoxesTakeDigitsOnlyAndOkStores)
{
    auto d = std::make_unique<TestData>();
    bool markhere = false;
    MarkDialog logic(*d, markhere, 0);
    MarkDialogWidget dialog(logic);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("标记编辑"));
    EXPECT_EQ(dialog.box(2)->text(), "Hcr");
    for (const QString& key : {QStringLiteral("a"), QStringLiteral("4")}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QApplication::sendEvent(dialog.box(0), &press);
    }
    EXPECT_EQ(dialog.box(0)->text(), "4");
    dialog.box(1)->setText("x");
    logic.text[1] = "x";
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(dialog.box(1), &out);
    EXPECT_EQ(dialog.box(1)->text(), "0");
    dialog.accept();
    EXPECT_EQ(markIndex(*d, 0), 3);
    EXPECT_EQ(markIndex(*d, 1), 0);
}

} // namespace
} // namespace pyx
