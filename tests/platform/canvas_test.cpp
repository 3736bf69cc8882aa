#include <gtest/gtest.h>

#include "platform/canvas_frame.h"
#include "platform/recording_canvas.h"

namespace pyx {
namespace {

TEST(RecordingCanvas, KeepsTheOperationsSinceTheLastClear)
{
    RecordingCanvas c;
    c.drawLine(1, 2, 3, 4);
    c.clear();
    c.setPenColor(kBrightRed);
    c.setFillColor(Color::system(kButtonFace));
    c.textAt(-60, 1142.5, "时间 \"t\"\n");
    EXPECT_EQ(c.textX(), -60);
    ASSERT_EQ(c.ops().size(), 6u);
    std::vector<std::string> json;
    for (const CanvasOp& op : c.ops())
        json.push_back(toJson(op));
    EXPECT_EQ(json[0], R"({"op":"clear","args":[]})");
    EXPECT_EQ(json[1], R"({"op":"penColor","args":[255,0,0]})");
    EXPECT_EQ(json[2], R"({"op":"fillColor","args":["system",15]})");
    EXPECT_EQ(json[4], R"({"op":"textY","args":[1142.5]})");
    EXPECT_EQ(json[5], R"({"op":"text","args":["时间 \"t\"\n"]})");
    EXPECT_EQ(toJson({"line", {0.0, -15.0, 1000.0 / 3, 1100.0}}),
              R"({"op":"line","args":[0,-15,333.3333333333333,1100]})");
}

TEST(RecordingCanvas, PictureReplaysOntoAnotherCanvas)
{
    RecordingCanvas a;
    a.clear();
    a.setWindow(-150, 1300, 1200, -1300);
    a.setFontName("Tahoma");
    a.setFontSize(29);
    a.setPenStyle(kPenDotted);
    a.setTextColor(kBlack);
    a.textAt(5, 6, "Hcr");
    a.drawCircle(1, 2, 8);
    a.setDrawStyle(0);
    a.setMousePointer(MousePointer::Cross);
    RecordingCanvas b;
    replay(a.picture(), b);
    EXPECT_EQ(b.ops(), a.ops());
    EXPECT_EQ(b.mousePointer(), MousePointer::Arrow);
    EXPECT_EQ(a.mousePointer(), MousePointer::Cross);
}

TEST(RecordingCanvas, SavingNeedsABitmapWriter)
{
    RecordingCanvas c;
    c.clear();
    EXPECT_FALSE(c.saveToFile("/tmp/x.bmp"));
    std::string saved;
    c.bitmapWriter = [&](const Drawing& d, const std::string& path) {
        saved = path;
        return d.size() == 1;
    };
    EXPECT_TRUE(c.saveToFile("/tmp/x.bmp"));
    EXPECT_EQ(saved, "/tmp/x.bmp");
}

TEST(FrameMap, WindowFillsTheDeviceWithRoomForOuterCaptions)
{
    const FrameMap m = mapFrame(-150, 1300, 1200, -1300, 1320, 1339);
    EXPECT_DOUBLE_EQ(m.deviceX(-150), 0);
    EXPECT_DOUBLE_EQ(m.deviceY(1300), 0);
    EXPECT_NEAR(m.deviceX(1050 + 120), 1320, 1e-9);
    EXPECT_NEAR(m.deviceY(-39), 1339, 1e-9);
    EXPECT_GT(m.deviceY(0), m.deviceY(1000)); // y grows upwards
    EXPECT_NEAR(m.drawingX(m.deviceX(400)), 400, 1e-9);
    EXPECT_NEAR(m.drawingY(m.deviceY(777)), 777, 1e-9);
    EXPECT_NEAR(m.sizeScale(), 1.0, 1e-9);

    const FrameMap none = mapFrame(0, 0, 0, 0, 100, 100);
    EXPECT_EQ(none.deviceX(5), 5);
}

} // namespace
} // namespace pyx
