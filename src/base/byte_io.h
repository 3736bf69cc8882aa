#pragma once
// Bounded little-endian readers and writers over a byte buffer. Every read checks
// the full width against the end of the buffer; a read past the end yields zero
// bytes (blank for texts), as reading past the end of a record file does.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pyx {

class ByteReader
{
public:
    explicit ByteReader(std::string_view buffer) : buf_(buffer) {}

    float f32();
    std::int16_t i16();
    std::uint16_t u16();
    // n bytes; bytes past the end of the buffer read as blanks.
    std::string text(std::size_t n);
    void skip(std::size_t n) { pos_ += n; }

    std::size_t position() const { return pos_; }
    bool overran() const { return overran_; }

private:
    bool take(void* out, std::size_t n);
    std::string_view buf_;
    std::size_t pos_ = 0;
    bool overran_ = false;
};

class ByteWriter
{
public:
    void f32(float v);
    void i16(std::int16_t v);
    void u16(std::uint16_t v);
    void bytes(std::string_view b) { out_.append(b); }
    void zeros(std::size_t n) { out_.append(n, '\0'); }
    const std::string& data() const { return out_; }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

} // namespace pyx
