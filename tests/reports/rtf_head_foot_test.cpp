#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "reports/rtf_head_foot.h"
#include "support/rtf_reader.h"

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

// What a header or footer group says as a word processor reads it: the texts between its
// tabs ("#" for a page number field, blanks around them dropped), its paragraphs, the font,
// size and styles, and the tab stops ('c' centred, 'r' right) in twips from the text's left.
struct HeadFoot
{
    bool found = false;
    std::vector<std::string> parts;
    int paragraphs = 0;
    std::string font;
    long halfPoints = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::vector<std::pair<char, long>> tabs;
};

std::string trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The control word at `i` (after its backslash), its number and the delimiting blank.
std::pair<std::string, long> controlWord(const std::string& rtf, std::size_t& i)
{
    std::string word;
    while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i])))
        word += rtf[i++];
    std::string digits;
    while (i < rtf.size() &&
           (std::isdigit(static_cast<unsigned char>(rtf[i])) || (digits.empty() && rtf[i] == '-')))
        digits += rtf[i++];
    if (i < rtf.size() && rtf[i] == ' ')
        ++i;
    return {word, digits.empty() ? 0 : std::strtol(digits.c_str(), nullptr, 10)};
}

void apply(HeadFoot& h, const std::string& word, long n, char& tabKind)
{
    if (word == "b")
        h.bold = true;
    else if (word == "i")
        h.italic = true;
    else if (word == "ul")
        h.underline = true;
    else if (word == "fs")
        h.halfPoints = n;
    else if (word == "tqc" || word == "tqr")
        tabKind = word == "tqc" ? 'c' : 'r';
    else if (word == "tx")
        h.tabs.emplace_back(tabKind, n);
}

HeadFoot readGroup(const std::string& rtf, const std::string& kind)
{
    HeadFoot h;
    std::size_t i = rtf.find("{\\" + kind + "{");
    if (i == std::string::npos)
        return h;
    h.found = true;
    int depth = 0;
    int fontTableDepth = 0; // the depth of the font table while it is read
    char tabKind = 0;
    std::string text;
    while (i < rtf.size()) {
        const char ch = rtf[i++];
        if (ch == '{' || ch == '}') {
            depth += ch == '{' ? 1 : -1;
            if (depth < fontTableDepth)
                fontTableDepth = 0;
            if (depth == 0)
                break;
        } else if (ch == '\\' && i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i]))) {
            const auto [word, n] = controlWord(rtf, i);
            if (word == "fonttbl") {
                fontTableDepth = depth;
            } else if (word == "fldinst") {
                const std::size_t end = rtf.find('}', i);
                if (trimmed(rtf.substr(i, end - i)) == "PAGE")
                    text += '#';
                i = end;
            } else if (word == "tab" || word == "par") {
                h.parts.push_back(trimmed(text));
                text.clear();
                h.paragraphs += word == "par" ? 1 : 0;
            } else if (fontTableDepth == 0) {
                apply(h, word, n, tabKind);
            }
        } else if (ch == '\\') {
            if (i < rtf.size() && rtf[i] != '*')
                text += rtf[i];
            ++i;
        } else if (fontTableDepth != 0) {
            if (ch != ';')
                h.font += ch;
        } else {
            text += ch;
        }
    }
    h.font = trimmed(h.font);
    return h;
}

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
    std::string groups = RtfHeadFoot(s);
    // Inside a document the groups are well formed: one footer, one header.
    const test::RtfDocument doc = test::parseRtf("{\\rtf1 " + groups + "}");
    EXPECT_TRUE(doc.balanced);
    EXPECT_EQ(doc.footers, 1);
    EXPECT_EQ(doc.headers, 1);

    const HeadFoot footer = readGroup(groups, "footer");
    ASSERT_TRUE(footer.found);
    // Left, centre and right on one line; a fourth part is dropped; "%d" is the page number.
    EXPECT_EQ(footer.parts, (std::vector<std::string>{"a\\b", "第#页", "#"}));
    EXPECT_EQ(footer.paragraphs, 1);
    EXPECT_EQ(footer.font, "宋体");
    EXPECT_EQ(footer.halfPoints, 20);
    EXPECT_TRUE(footer.bold);
    EXPECT_TRUE(footer.underline);
    EXPECT_FALSE(footer.italic);
    // The centre tab in the middle of the text area, the right tab at its right edge.
    EXPECT_EQ(footer.tabs, (std::vector<std::pair<char, long>>{{'c', 4513}, {'r', 9026}}));

    const HeadFoot header = readGroup(groups, "header");
    ASSERT_TRUE(header.found);
    EXPECT_EQ(header.parts, (std::vector<std::string>{"left", "", ""}));
    EXPECT_TRUE(header.bold);

    s.header.clear();
    s.footer = "l|c";
    s.bold = s.underline = false;
    groups = RtfHeadFoot(s);
    EXPECT_FALSE(readGroup(groups, "header").found);
    const HeadFoot plain = readGroup(groups, "footer");
    EXPECT_EQ(plain.parts, (std::vector<std::string>{"l", "c", ""}));
    EXPECT_FALSE(plain.bold);
    EXPECT_FALSE(plain.underline);
}

} // namespace
} // namespace pyx
