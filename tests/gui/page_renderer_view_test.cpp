#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "curves/printed_curve.h"
#include "platform/page_document.h"
#include "platform/qt/page_renderer.h"
#include "platform/qt/qt_text_measure.h"
#include "platform/text_wrap.h"

namespace pyx {
namespace {

// A small test of five load stages, enough for the printed H0-t-Y0 curve.
std::unique_ptr<TestData> smallTest()
{
    auto d = std::make_unique<TestData>();
    d->curfile = "t.pys";
    d->kz3 = "40";
    d->nstage = 5;
    d->ystep = 1;
    for (int s = 1; s <= 5; ++s)
        for (int c = 1; c <= 5; ++c) {
            JlbRec& r = d->jlbp[d->jlbn++];
            r.hz = 40.0f * static_cast<float>(s);
            r.xh = static_cast<std::int16_t>(c);
            r.ds[dispLoading] = 0.4f * static_cast<float>(s * s) + 0.05f * static_cast<float>(c);
            r.ds[dispUnloading] = 0.25f * static_cast<float>(s * s);
        }
    return d;
}

// Page 1: a title, a ruled table with the raw data headings and a reduced curve; page 2:
// the full-size curve under its header. Both pages stamped.
void buildSample(PageDocument& doc, const Drawing& curve)
{
    doc.start("Tahoma");
    doc.setFontSize(20);
    doc.setBold(true);
    doc.setAlign(TextAlign::Center);
    doc.paragraph("单桩水平静载试验原始数据表");
    doc.paragraph("");
    doc.setBold(false);
    doc.setFontSize(10.5);
    Table t(11, 6);
    t.setDefaultColWidth(900);
    t.setColWidth(10, 1000);
    t.setDefaultRowHeight(400);
    t.setText(1, 1, "工程名称：示例工程");
    t.span(1, 1, 1, 7);
    t.setAlign(1, 1, TextAlign::Left);
    t.setText(1, 8, "试桩编号：S1");
    t.span(1, 8, 1, 9);
    t.setText(1, 10, "上下表距：500");
    t.span(1, 10, 1, 11);
    const char* headings[] = {"理论荷载 (kN)",   "荷载 (kN)",      "油压 (MPa)", "记录 时间",
                              "实际 间隔 (min)", "平均 沉降 (mm)", "备注"};
    const int columns[] = {1, 2, 3, 4, 5, 10, 11};
    for (int i = 0; i < 7; ++i) {
        t.setText(2, columns[i], headings[i]);
        t.span(2, columns[i], 3, columns[i]);
    }
    t.setText(2, 6, "实 测 读 数 (mm)");
    t.span(2, 6, 2, 9);
    for (int k = 1; k <= 4; ++k)
        t.setText(3, 5 + k, "位移 " + std::to_string(k));
    const char* row[] = {"40", "40", "2.50", "08:30", "0", "0.12", "0.10", "--", "--", "0.11", "位移1 时间"};
    for (int r = 4; r <= 6; ++r)
        for (int c = 1; c <= 11; ++c)
            t.setText(r, c, row[c - 1]);
    doc.table(t);
    doc.picture(curve, 4000, 9080, "33%", "38%", 1);
    doc.setFontSize(12);
    doc.textBox("第 1 页 共 2 页", 4800, 15600, 3000, 1000, TextBoxRole::PageStamp);
    doc.newPage();

    doc.setFontSize(20);
    doc.setBold(true);
    doc.paragraph("单桩水平静载试验曲线图");
    doc.paragraph("");
    doc.setBold(false);
    doc.setFontSize(10.5);
    Table head(3, 3);
    head.setDefaultColWidth(3000);
    head.setDefaultRowHeight(500);
    head.setText(1, 1, "工程名称：示例工程");
    head.span(1, 1, 1, 2);
    head.setText(1, 3, "试桩编号：S1");
    head.setText(2, 1, "桩径：");
    head.setText(2, 2, "桩长：");
    head.setText(2, 3, "检测日期：");
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 2; ++r)
            head.setAlign(r, c, TextAlign::Left);
    head.span(3, 1, 3, 3);
    head.setRowHeight(3, 11780);
    doc.table(head);
    doc.picture(curve, 1680, 3420, "60%", "70%", 1);
    doc.setFontSize(12);
    doc.textBox("第 2 页 共 2 页", 4800, 15600, 3000, 1000, TextBoxRole::PageStamp);
    doc.end();
}

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int darkPixels(const QImage& image, const QRect& r)
{
    int n = 0;
    for (int y = std::max(0, r.top()); y <= std::min(image.height() - 1, r.bottom()); ++y)
        for (int x = std::max(0, r.left()); x <= std::min(image.width() - 1, r.right()); ++x)
            n += qGray(image.pixel(x, y)) < 160;
    return n;
}

struct PageRendererTest : ::testing::Test
{
    QtTextMeasure measure;
    PageDocument doc{measure};
    std::unique_ptr<TestData> data = smallTest();

    PageRendererTest() { buildSample(doc, printedCurve(*data, PrintedCurve::Time, 20)); }
};

TEST(QtTextMeasure, MeasuresTheSubstitutedFontsInTwips)
{
    const QtTextMeasure m;
    const FontSpec cell{"宋体", 10.5, false};
    // A CJK character is set in a full em of the CJK fallback font.
    EXPECT_NEAR(m.width("记", cell), 210, 6);
    EXPECT_NEAR(m.width("记录时间", cell), 840, 24);
    EXPECT_GT(m.width("Hcr", cell), 0);
    EXPECT_LT(m.width("Hcr", cell), m.width("Hcr", {"Tahoma", 21, false}));
    EXPECT_EQ(m.width("记录时间", cell), m.width("记录时间", cell)); // from the cache
    EXPECT_EQ(wrapText("实际 间隔 (min)", 840, cell, m), (std::vector<std::string>{"实际", "间隔", "(min)"}));
}

// Numbers are measured by adding their characters' advances: the widths must be those the
// font gives the whole text.
TEST(QtTextMeasure, NumbersMeasureAsTheFontSetsThem)
{
    const QtTextMeasure m;
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(72 / 0.0254));
    device.setDotsPerMeterY(qRound(72 / 0.0254));
    for (const FontSpec& font :
         {FontSpec{"宋体", 10.5, false}, FontSpec{"Tahoma", 9, true}, FontSpec{"Tahoma", 12, false}}) {
        const QFontMetricsF direct(pageFont(font, font.size * kTwipsPerPoint, &device), &device);
        for (const char* text :
             {"0", "12.34", "-0.05", "08:30", "1234567.89", "+1.5", "10.", "--", "99999"}) {
            EXPECT_EQ(m.width(text, font), direct.horizontalAdvance(QString::fromUtf8(text))) << text;
            EXPECT_EQ(m.width(text, font), m.width(text, font)) << text;
        }
        EXPECT_EQ(m.width("12.34 kN", font), direct.horizontalAdvance("12.34 kN"));
    }
}

TEST_F(PageRendererTest, PaintsRulesTextsAndTheCurveOnAnImage)
{
    ASSERT_EQ(doc.pageCount(), 2);
    const PageSetup& s = doc.setup();
    // 1 pixel = 12 twips (120 dots per inch).
    const QSize size(static_cast<int>(s.width / 12), static_cast<int>(s.height / 12));
    const auto px = [](double twips) { return static_cast<int>(twips / 12); };
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    {
        QPainter painter(&image);
        renderPage(painter, doc.pages()[1], s, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    const PageRect table = doc.pages()[1].tables.at(0).rect;
    // White paper around the content, a rule along the table's top edge.
    EXPECT_EQ(darkPixels(image, QRect(0, 0, px(s.marginLeft) - 2, size.height())), 0);
    EXPECT_GT(darkPixels(image, QRect(px(table.left) + 5, px(table.top) - 1, 100, 3)), 90);
    // The title above the table, the curve inside the picture area, the stamp at the foot.
    EXPECT_GT(darkPixels(image, QRect(px(4000), px(s.marginTop), px(4000), px(480))), 100);
    const PageRect curve = doc.pages()[1].pictures.at(0).rect;
    EXPECT_GT(darkPixels(image, QRect(px(curve.left), px(curve.top), px(curve.width), px(curve.height))),
              500);
    EXPECT_GT(darkPixels(image, QRect(px(4800), px(15600), px(3000), px(300))), 30);
    EXPECT_EQ(
        darkPixels(image, QRect(px(curve.right()) + 3, px(curve.top) + 3, px(2500), px(curve.height) - 6)),
        0);
}

TEST_F(PageRendererTest, WritesAPdfPageForPage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sample.pdf");
    {
        QPdfWriter pdf(path);
        pdf.setResolution(600);
        ASSERT_TRUE(renderPages(doc.pages(), doc.setup(), pdf));
    }
    const QString info = run("pdfinfo", {path});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
    // pdftotext sets blanks by the glyphs' distances: compare without any.
    const QRegularExpression blanks("\\s+");
    const QString text = run("pdftotext", {path, "-"}).remove(blanks);
    for (const char* expected :
         {"单桩水平静载试验原始数据表", "工程名称：示例工程", "上下表距：500", "记录", "间隔", "(min)",
          "实测读数(mm)", "位移1", "第1页共2页", "单桩水平静载试验曲线图", "第2页共2页", "下表H0-t-Y0曲线"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    // Every font is embedded, the CJK fallback included.
    const QStringList fonts = run("pdffonts", {path}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& line : fonts)
        EXPECT_TRUE(line.contains(QRegularExpression("\\byes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+$")))
            << line.toStdString();

    // No pages: nothing is painted.
    QPdfWriter empty(dir.filePath("empty.pdf"));
    EXPECT_TRUE(renderPages({}, doc.setup(), empty));
}

} // namespace
} // namespace pyx
