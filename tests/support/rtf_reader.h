#pragma once
// Reads back what the RTF writer writes, as far as the tests look at it: the paragraphs
// outside tables, the tables with their rows, cell edges, merges, texts and pictures, page
// and section breaks with the section margins, and the header and footer groups.

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/utf8.h"

namespace pyx::test {

struct RtfPicture
{
    bool png = false;
    long picw = 0;
    long pich = 0;
    long wGoal = 0;
    long hGoal = 0;
    std::size_t bytes = 0;
};

struct RtfCell
{
    long right = 0;
    bool mergeFirst = false; // \clvmgf
    bool mergeNext = false;  // \clvmrg
    std::string text;
    std::vector<RtfPicture> pictures;
};

struct RtfRow
{
    long height = 0;
    bool fullWidth = false; // 100 % of the text area
    bool header = false;    // \\trhdr: repeated at the top of each page
    std::vector<RtfCell> cells;
};

using RtfTable = std::vector<RtfRow>;

struct RtfSection
{
    long marginTop = 0;
    long marginBottom = 0;
};

struct RtfDocument
{
    std::string fontTable; // the raw group
    std::vector<std::string> paragraphs;
    std::vector<RtfTable> tables;
    int pageBreaks = 0;    // paragraphs set on a new page
    int sectionBreaks = 0; // \sect
    std::vector<RtfSection> sections;
    int headers = 0;
    int footers = 0;
    bool balanced = false; // every group closed, nothing after the document's group

    // The non-empty paragraphs.
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const auto& p : paragraphs)
            if (!p.empty())
                out.push_back(p);
        return out;
    }
};

inline RtfDocument parseRtf(const std::string& rtf)
{
    RtfDocument doc;
    if (const auto at = rtf.find("{\\fonttbl"); at != std::string::npos) {
        int depth = 0;
        for (std::size_t i = at; i < rtf.size(); ++i) {
            depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
            if (depth == 0) {
                doc.fontTable = rtf.substr(at, i - at + 1);
                break;
            }
        }
    }
    enum class Dest
    {
        Text,
        Skip,
        Picture
    };
    std::vector<Dest> stack{Dest::Text};
    std::string text;
    bool inTable = false;
    bool rowsRunning = false; // the last thing was a table row
    RtfRow row;
    std::vector<RtfPicture> cellPictures;
    RtfPicture pict;
    bool mergeFirst = false;
    bool mergeNext = false;
    bool percentWidth = false;
    std::size_t cell = 0;
    char32_t highSurrogate = 0;
    int depth = 0;
    std::size_t i = 0;
    const auto endParagraph = [&] {
        doc.paragraphs.push_back(text);
        text.clear();
        rowsRunning = false;
    };
    while (i < rtf.size()) {
        const char ch = rtf[i];
        const Dest dest = stack.back();
        if (ch == '{') {
            stack.push_back(dest);
            ++depth;
            ++i;
            continue;
        }
        if (ch == '}') {
            if (dest == Dest::Picture && stack.size() >= 2 && stack[stack.size() - 2] != Dest::Picture) {
                pict.bytes /= 2; // two hex digits a byte
                cellPictures.push_back(pict);
            }
            stack.pop_back();
            --depth;
            ++i;
            if (depth == 0) {
                doc.balanced = rtf.find_first_not_of("\r\n", i) == std::string::npos;
                break;
            }
            continue;
        }
        if (ch == '\r' || ch == '\n') {
            ++i;
            continue;
        }
        if (ch != '\\') {
            if (dest == Dest::Text)
                text += ch;
            else if (dest == Dest::Picture && std::isxdigit(static_cast<unsigned char>(ch)))
                ++pict.bytes;
            ++i;
            continue;
        }
        // A control symbol or word.
        ++i;
        if (i >= rtf.size())
            break;
        const char s = rtf[i];
        if (!std::isalpha(static_cast<unsigned char>(s))) {
            if (s == '\'') {
                i += 3;
            } else {
                if (dest == Dest::Text && (s == '\\' || s == '{' || s == '}'))
                    text += s;
                if (s == '*')
                    stack.back() = Dest::Skip;
                ++i;
            }
            continue;
        }
        std::string word;
        while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i])))
            word += rtf[i++];
        std::string digits;
        if (i < rtf.size() && (rtf[i] == '-' || std::isdigit(static_cast<unsigned char>(rtf[i]))))
            do
                digits += rtf[i++];
            while (i < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[i])));
        if (i < rtf.size() && rtf[i] == ' ')
            ++i;
        const long n = digits.empty() ? 0 : std::strtol(digits.c_str(), nullptr, 10);
        if (dest == Dest::Picture) {
            if (word == "pngblip")
                pict.png = true;
            else if (word == "picw")
                pict.picw = n;
            else if (word == "pich")
                pict.pich = n;
            else if (word == "picwgoal")
                pict.wGoal = n;
            else if (word == "pichgoal")
                pict.hGoal = n;
            continue;
        }
        if (word == "fonttbl" || word == "colortbl") {
            stack.back() = Dest::Skip;
        } else if (word == "header" || word == "footer") {
            (word == "header" ? doc.headers : doc.footers) += 1;
            stack.back() = Dest::Skip;
        } else if (dest == Dest::Skip) {
            continue;
        } else if (word == "pict") {
            stack.back() = Dest::Picture;
            pict = RtfPicture{};
        } else if (word == "u") {
            auto c = static_cast<char32_t>(n < 0 ? n + 0x10000 : n);
            if (c >= 0xD800 && c < 0xDC00) {
                highSurrogate = c;
            } else {
                if (c >= 0xDC00 && c < 0xE000 && highSurrogate)
                    c = 0x10000 + ((highSurrogate - 0xD800) << 10) + (c - 0xDC00);
                highSurrogate = 0;
                appendUtf8(text, c);
            }
            if (i < rtf.size() && rtf[i] != '\\' && rtf[i] != '{' && rtf[i] != '}')
                ++i; // the stand-in character
        } else if (word == "pard") {
            inTable = false;
        } else if (word == "intbl") {
            inTable = true;
        } else if (word == "par") {
            if (!inTable)
                endParagraph();
        } else if (word == "pagebb") {
            ++doc.pageBreaks;
        } else if (word == "sectd") {
            doc.sections.push_back({});
        } else if (word == "margtsxn" && !doc.sections.empty()) {
            doc.sections.back().marginTop = n;
        } else if (word == "margbsxn" && !doc.sections.empty()) {
            doc.sections.back().marginBottom = n;
        } else if (word == "sect") {
            ++doc.sectionBreaks;
            text.clear();
            rowsRunning = false;
        } else if (word == "trowd") {
            row = RtfRow{};
            cell = 0;
            percentWidth = false;
        } else if (word == "trrh") {
            row.height = n;
        } else if (word == "trhdr") {
            row.header = true;
        } else if (word == "trftsWidth") {
            percentWidth = n == 2;
        } else if (word == "trwWidth") {
            row.fullWidth = percentWidth && n == 5000;
        } else if (word == "clvmgf") {
            mergeFirst = true;
        } else if (word == "clvmrg") {
            mergeNext = true;
        } else if (word == "cellx") {
            RtfCell c;
            c.right = n;
            c.mergeFirst = mergeFirst;
            c.mergeNext = mergeNext;
            row.cells.push_back(c);
            mergeFirst = mergeNext = false;
        } else if (word == "cell") {
            if (cell < row.cells.size()) {
                row.cells[cell].text = text;
                row.cells[cell].pictures = cellPictures;
            }
            ++cell;
            text.clear();
            cellPictures.clear();
        } else if (word == "row") {
            if (!rowsRunning)
                doc.tables.emplace_back();
            doc.tables.back().push_back(row);
            rowsRunning = true;
            inTable = false;
        } else if (word == "tab") {
            text += '\t';
        }
    }
    return doc;
}

} // namespace pyx::test
