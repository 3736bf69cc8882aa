#include "platform/text_wrap.h"

namespace pyx {
namespace {

// Measured widths are sums of glyph advances; this much over the width still fits.
constexpr double kFitTolerance = 0.5;

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t';
}

// Closing punctuation that never starts a line, opening punctuation that never ends one.
bool closing(char32_t c)
{
    return std::u32string_view(U"，。、：；？！）》」』】〕〉”’").find(c) != std::u32string_view::npos;
}

bool opening(char32_t c)
{
    return std::u32string_view(U"（《「『【〔〈“‘").find(c) != std::u32string_view::npos;
}

// A line may end before character j (j > 0) after a run of blanks: the words of a text.
bool wordBreak(const std::vector<Utf8Char>& cs, std::size_t j)
{
    return isBlank(cs[j - 1].code) && !isBlank(cs[j].code);
}

// Inside a word, a line may end between two characters of which one is wide.
bool wideBreak(const std::vector<Utf8Char>& cs, std::size_t j)
{
    const char32_t a = cs[j - 1].code;
    const char32_t b = cs[j].code;
    if (isBlank(a) || isBlank(b) || (!isWideChar(a) && !isWideChar(b)))
        return false;
    return !closing(b) && !opening(a);
}

class SegmentWrapper
{
public:
    SegmentWrapper(std::string_view seg, double width, const FontSpec& font, const TextMeasure& measure)
        : seg_(seg), cs_(utf8Chars(seg)), width_(width), font_(font), measure_(measure)
    {
    }

    void wrapInto(std::vector<std::string>& lines) const
    {
        const std::size_t n = cs_.size();
        std::size_t start = 0;
        while (start < n) {
            std::string rest = text(start, n);
            if (fits(rest)) {
                lines.push_back(std::move(rest));
                return;
            }
            std::size_t end = lastFit(start, wordBreak);
            if (end == start)
                end = lastFit(start, wideBreak);
            if (end == start) {
                // No break fits: the word is cut where it overflows.
                end = start + 1;
                while (end < n && fits(text(start, end + 1)))
                    ++end;
            }
            lines.push_back(text(start, end));
            start = end;
            while (start < n && isBlank(cs_[start].code))
                ++start;
        }
    }

private:
    // The last break of the kind after `start` up to which the line fits; `start` for none.
    std::size_t lastFit(std::size_t start, bool (*breaks)(const std::vector<Utf8Char>&, std::size_t)) const
    {
        std::size_t end = start;
        for (std::size_t j = start + 1; j < cs_.size(); ++j) {
            if (!breaks(cs_, j))
                continue;
            const std::string candidate = text(start, j);
            if (candidate.empty())
                continue;
            if (!fits(candidate))
                break;
            end = j;
        }
        return end;
    }

    // Characters [from, to) without their trailing blanks.
    std::string text(std::size_t from, std::size_t to) const
    {
        while (to > from && isBlank(cs_[to - 1].code))
            --to;
        if (to == from)
            return {};
        const std::size_t begin = cs_[from].offset;
        const std::size_t end = cs_[to - 1].offset + cs_[to - 1].length;
        return std::string(seg_.substr(begin, end - begin));
    }

    bool fits(const std::string& s) const { return measure_.width(s, font_) <= width_ + kFitTolerance; }

    std::string_view seg_;
    std::vector<Utf8Char> cs_;
    double width_;
    const FontSpec& font_;
    const TextMeasure& measure_;
};

} // namespace

std::vector<std::string> wrapText(std::string_view text, double width, const FontSpec& font,
                                  const TextMeasure& measure)
{
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    std::size_t from = 0;
    while (true) {
        const std::size_t feed = text.find('\n', from);
        std::string_view seg = text.substr(from, feed == std::string_view::npos ? text.npos : feed - from);
        if (!seg.empty() && seg.back() == '\r')
            seg.remove_suffix(1);
        if (seg.empty())
            lines.emplace_back();
        else
            SegmentWrapper(seg, width, font, measure).wrapInto(lines);
        if (feed == std::string_view::npos)
            break;
        from = feed + 1;
    }
    return lines;
}

} // namespace pyx
