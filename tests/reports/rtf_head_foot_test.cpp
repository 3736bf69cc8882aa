#include <gtest/gtest.h>

#include "reports/rtf_head_foot.h"

namespace pyx {
namespace {

RtfHeadFootSource exporting()
{
    RtfHeadFootSource s;
    s.exportFile = "/tmp/out.rtf";
    s.exportFormat = 4;
    s.textLeft = 1440;
    s.textRight = 10466;
    s.fontName = "宋体";
    s.fontSize = 10.25;
    return s;
}

constexpr const char* kPrefix = "\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033 {\\fonttbl{\\f999 宋体;}}\\li0"
                                "\\tqc\\tx4513\\tqr\\tx9026\\f999\\fs20";

TEST(RtfHeadFoot, NothingWithoutAnRtfExportOrTexts)
{
    RtfHeadFootSource s = exporting();
    EXPECT_EQ(RtfHeadFoot(s), "");
    s.footer = "x";
    s.exportFormat = 3;
    EXPECT_EQ(RtfHeadFoot(s), "");
    s.exportFormat = 4;
    s.exportFile.clear();
    EXPECT_EQ(RtfHeadFoot(s), "");
}

TEST(RtfHeadFoot, PartsPageFieldsAndEscapes)
{
    RtfHeadFootSource s = exporting();
    s.footer = "a\\b|第%d页|%d|dropped";
    s.header = "left";
    s.bold = s.underline = true;
    const std::string p = std::string(kPrefix) + "\\b\\ul";
    EXPECT_EQ(RtfHeadFoot(s), "{\\footer{" + p +
                                  " a\\\\b \\tab 第{\\field{\\*\\fldinst PAGE}}页 \\tab "
                                  "{\\field{\\*\\fldinst PAGE}}\\par }}{\\header{" +
                                  p + " left \\tab  \\tab \\par }}");
    s.header.clear();
    s.footer = "l|c";
    s.bold = s.underline = false;
    EXPECT_EQ(RtfHeadFoot(s), "{\\footer{" + std::string(kPrefix) + " l \\tab c \\tab \\par }}");
}

} // namespace
} // namespace pyx
