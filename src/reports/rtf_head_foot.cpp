#include "reports/rtf_head_foot.h"

#include <array>
#include <cmath>

#include "data/numfmt.h"

namespace pyx {
namespace {

void replaceAll(std::string& text, const std::string& what, const std::string& with)
{
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

std::string wholeText(double v)
{
    return std::to_string(toLong(v).value_or(0));
}

std::string prefix(const RtfHeadFootSource& s)
{
    const double centre = std::nearbyint((static_cast<double>(s.textRight) + s.textLeft) / 2) - s.textLeft;
    std::string p = "\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033 {\\fonttbl{\\f999 " + s.fontName +
                    ";}}\\li0\\tqc\\tx" + wholeText(centre) + "\\tqr\\tx" +
                    std::to_string(s.textRight - s.textLeft) + "\\f999\\fs" + wholeText(2 * s.fontSize);
    if (s.bold)
        p += "\\b";
    if (s.italic)
        p += "\\i";
    if (s.underline)
        p += "\\ul";
    return p;
}

std::string group(const char* kind, const std::string& p, std::string text)
{
    replaceAll(text, "\\", "\\\\");
    replaceAll(text, "%d", "{\\field{\\*\\fldinst PAGE}}");
    std::array<std::string, 3> parts;
    std::size_t start = 0;
    for (std::string& part : parts) {
        const std::size_t bar = text.find('|', start);
        part = text.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return std::string("{\\") + kind + "{" + p + " " + parts[0] + " \\tab " + parts[1] + " \\tab " +
           parts[2] + "\\par }}";
}

} // namespace

std::string RtfHeadFoot(const RtfHeadFootSource& s)
{
    if (s.exportFile.empty() || s.exportFormat < kFirstRtfFormat)
        return std::string();
    const std::string p = prefix(s);
    std::string out;
    if (!s.footer.empty())
        out += group("footer", p, s.footer);
    if (!s.header.empty())
        out += group("header", p, s.header);
    return out;
}

} // namespace pyx
