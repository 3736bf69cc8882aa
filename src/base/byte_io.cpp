#include "base/byte_io.h"

#include <bit>
#include <cstring>

namespace pyx {

bool ByteReader::take(void* out, std::size_t n)
{
    auto* dst = static_cast<unsigned char*>(out);
    std::memset(dst, 0, n);
    bool complete = true;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t at = pos_ + i;
        if (at < buf_.size())
            dst[i] = static_cast<unsigned char>(buf_[at]);
        else
            complete = false;
    }
    pos_ += n;
    if (!complete)
        overran_ = true;
    return complete;
}

float ByteReader::f32()
{
    unsigned char b[4];
    take(b, 4);
    const std::uint32_t bits = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                               std::uint32_t(b[3]) << 24;
    return std::bit_cast<float>(bits);
}

std::uint16_t ByteReader::u16()
{
    unsigned char b[2];
    take(b, 2);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::int16_t ByteReader::i16()
{
    return std::bit_cast<std::int16_t>(u16());
}

std::string ByteReader::text(std::size_t n)
{
    std::string s(n, ' ');
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t at = pos_ + i;
        if (at < buf_.size())
            s[i] = buf_[at];
        else
            overran_ = true;
    }
    pos_ += n;
    return s;
}

void ByteWriter::f32(float v)
{
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out_.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

void ByteWriter::u16(std::uint16_t v)
{
    out_.push_back(static_cast<char>(v & 0xFF));
    out_.push_back(static_cast<char>(v >> 8));
}

void ByteWriter::i16(std::int16_t v)
{
    u16(std::bit_cast<std::uint16_t>(v));
}

} // namespace pyx
