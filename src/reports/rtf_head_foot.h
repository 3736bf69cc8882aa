#pragma once
// The RTF header and footer groups that a document build writes into a running RTF export:
// the page header and footer texts of the page composer, with "|" separating the left,
// centre and right parts and "%d" standing for the page number.

#include <string>

namespace pyx {

// What the groups are made of: the export under way, the text area and the header font.
struct RtfHeadFootSource
{
    std::string exportFile; // empty: no export runs
    int exportFormat = 0;   // 4 and above: an RTF format
    long textLeft = 0;      // twips
    long textRight = 0;
    std::string fontName;
    double fontSize = 0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string header;
    std::string footer;
};

inline constexpr int kFirstRtfFormat = 4;

// The footer group, then the header group, as raw RTF; empty when no RTF export runs or
// both texts are empty.
std::string RtfHeadFoot(const RtfHeadFootSource& s);

} // namespace pyx
