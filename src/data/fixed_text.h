#pragma once
// A fixed-length text field as the files hold it: N bytes of code page 936 text,
// padded with blanks. The bytes are kept as read, so a save writes back exactly what
// an open read, even bytes that are not valid text.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "data/cp936.h"

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
        for (std::size_t i = 0; i < N; ++i)
            bytes_[i] = i < cp936.size() ? cp936[i] : ' ';
    }
    void clear() { bytes_.fill(' '); }

    // The whole field as text, blanks included.
    std::string text() const { return decodeCp936(std::string_view(bytes_.data(), N)); }
    // The field as every reader sees it: blanks trimmed at both ends.
    std::string trimmed() const { return trimBlanks(text()); }
    bool is(std::string_view utf8) const { return trimmed() == utf8; }

    std::string_view bytes() const { return std::string_view(bytes_.data(), N); }
    static constexpr std::size_t size() { return N; }

    friend bool operator==(const FixedText&, const FixedText&) = default;

private:
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
