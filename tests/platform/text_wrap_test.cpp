#include <gtest/gtest.h>

#include "platform/text_wrap.h"

namespace pyx {
namespace {

using Lines = std::vector<std::string>;

// 10.5 points: a CJK character is 210 twips wide, any other 105.
const FontSpec kCell{"宋体", 10.5, false};
constexpr double kFourCjk = 840;

Lines wrap(std::string_view text, double width)
{
    return wrapText(text, width, kCell, FixedTextMeasure());
}

TEST(FixedTextMeasure, CjkIsOneEmOthersHalf)
{
    const FixedTextMeasure m;
    EXPECT_DOUBLE_EQ(m.width("记录 (kN)", kCell), 2 * 210 + 5 * 105);
    EXPECT_DOUBLE_EQ(m.width("：（）", kCell), 3 * 210); // full-width punctuation
    EXPECT_DOUBLE_EQ(m.width("", kCell), 0);
}

TEST(Utf8Chars, InvalidBytesAreCharactersOfTheirOwn)
{
    const std::string text = "a\xE8\xAE\xB0\xFF\xE8\xAE";
    const std::vector<Utf8Char> cs = utf8Chars(text);
    ASSERT_EQ(cs.size(), 5u);
    EXPECT_EQ(cs[1].code, U'记');
    EXPECT_EQ(cs[1].length, 3u);
    EXPECT_EQ(cs[2].code, 0xFFFDu);
    EXPECT_EQ(cs[3].code, 0xFFFDu); // a sequence cut short
    EXPECT_EQ(cs[4].offset, 6u);
}

TEST(WrapText, HeadingsBreakAtTheirBlanks)
{
    EXPECT_EQ(wrap("记录 时间", kFourCjk), (Lines{"记录", "时间"}));
    EXPECT_EQ(wrap("实际 间隔 (min)", kFourCjk), (Lines{"实际", "间隔", "(min)"}));
    EXPECT_EQ(wrap("平均 沉降 (mm)", 960), (Lines{"平均 沉降", "(mm)"}));
    EXPECT_EQ(wrap("平均 沉降 (mm)", 940), (Lines{"平均", "沉降", "(mm)"}));
    EXPECT_EQ(wrap("实 测 读 数 (mm)", 3600), (Lines{"实 测 读 数 (mm)"}));
}

TEST(WrapText, CjkBreaksBetweenCharactersButNotBeforeClosingPunctuation)
{
    EXPECT_EQ(wrap("加载上下表读数差", kFourCjk), (Lines{"加载上下", "表读数差"}));
    EXPECT_EQ(wrap("理论荷载 (kN)", kFourCjk), (Lines{"理论荷载", "(kN)"}));
    // The colon stays with the word before it, and the opening bracket with the word after it.
    EXPECT_EQ(wrap("工程名称：某", kFourCjk), (Lines{"工程名", "称：某"}));
    EXPECT_EQ(wrap("某工程（甲）", kFourCjk), (Lines{"某工程", "（甲）"}));
    // A CJK character and a Latin word may part; the Latin word stays whole.
    EXPECT_EQ(wrap("位移(mm)", 4 * 105), (Lines{"位移", "(mm)"}));
    // The tail of a broken word goes on with the words after it.
    EXPECT_EQ(wrap("加载上下表读数差 ab", 5 * 210), (Lines{"加载上下表", "读数差 ab"}));
}

TEST(WrapText, LongWordsAreCutAndBlanksGoAtTheBreaks)
{
    EXPECT_EQ(wrap("abcdefgh", 3 * 105), (Lines{"abc", "def", "gh"}));
    EXPECT_EQ(wrap("ab   cd  ", 3 * 105), (Lines{"ab", "cd"}));
    EXPECT_EQ(wrap("记", 10), (Lines{"记"})); // a line holds at least one character
    EXPECT_EQ(wrap("  ab cd", 4 * 105), (Lines{"  ab", "cd"}));
}

TEST(WrapText, LineFeedsBreakAndEmptyTextHasNoLine)
{
    EXPECT_TRUE(wrap("", 1000).empty());
    EXPECT_EQ(wrap("上表\r\n\n下表", 1000), (Lines{"上表", "", "下表"}));
    EXPECT_EQ(wrap(" ", 1000), (Lines{""}));
}

} // namespace
} // namespace pyx
