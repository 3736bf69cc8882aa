#pragma once
// A fixed-length text field as the files hold it: N bytes of code page 936 text,
// padded with blanks. The bytes are kept as read, so a save writes back exactly what
// an open read, even bytes that are not valid text.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "base/cp936.h"

namespace pyx {

template <std::size_t N> class FixedText
{
public:
    FixedText() { bytes_.fill(' '); }
    explicit FixedText(std::string_view utf8) { set(utf8); }

    // Stores a text: encoded, cut to the field without splitting a character, padded.
    void set(std::string_view utf8)
    {
        if (isPlainAscii(utf8)) {
            for (std::size_t i = 0; i < N; ++i)
                bytes_[i] = i < utf8.size() ? utf8[i] : ' ';
            return;
        }
        const std::string fitted = fitField(encodeCp936(utf8), N);
        for (std::size_t i = 0; i < N; ++i)
            bytes_[i] = fitted[i];
    }
    // Takes the bytes of a file field as they are (padded with blanks when short).
    void setRaw(std::string_view cp936)
    {
        const std::size_t n = std::min(N, cp936.size());
        std::copy_n(cp936.data(), n, bytes_.data());
        std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(n), bytes_.end(), ' ');
    }
    void clear() { bytes_.fill(' '); }

    // The whole field as text, blanks included. Bytes below 0x80 are the same in both codes.
    std::string text() const
    {
        if (isPlainAscii(bytes()))
            return std::string(bytes());
        return decodeCp936(bytes());
    }
    // The field as every reader sees it: blanks trimmed at both ends.
    std::string trimmed() const { return trimBlanks(text()); }
    // Whether the trimmed text is `utf8`. A plain ASCII text is compared with the bytes as
    // they are: a byte of 0x80 or more never decodes to ASCII, so such a field cannot match.
    bool is(std::string_view utf8) const
    {
        if (isPlainAscii(utf8))
            return trimmedBytes() == utf8;
        return trimmed() == utf8;
    }

    std::string_view bytes() const { return std::string_view(bytes_.data(), N); }
    static constexpr std::size_t size() { return N; }

    friend bool operator==(const FixedText&, const FixedText&) = default;

private:
    std::string_view trimmedBytes() const
    {
        std::size_t first = 0;
        std::size_t last = N;
        while (first < last && bytes_[first] == ' ')
            ++first;
        while (last > first && bytes_[last - 1] == ' ')
            --last;
        return std::string_view(bytes_.data() + first, last - first);
    }
    static bool isPlainAscii(std::string_view s)
    {
        for (const char c : s)
            if (static_cast<unsigned char>(c) >= 0x80)
                return false;
        return true;
    }
    std::array<char, N> bytes_;
};

} // namespace pyx
