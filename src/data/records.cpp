#include "data/records.h"

#include <bit>
#include <cstdint>
#include <type_traits>

#include "base/byte_io.h"

namespace pyx {
namespace {

// Reads the fields of a record that lies whole in its buffer, without the bounds checks
// and copies of the ByteReader, which reads records cut short.
class WholeRecord
{
public:
    explicit WholeRecord(std::string_view bytes) : p_(reinterpret_cast<const unsigned char*>(bytes.data())) {}

    std::string_view text(std::size_t n)
    {
        const std::string_view t(reinterpret_cast<const char*>(p_), n);
        p_ += n;
        return t;
    }
    float f32()
    {
        const std::uint32_t bits = std::uint32_t(p_[0]) | std::uint32_t(p_[1]) << 8 |
                                   std::uint32_t(p_[2]) << 16 | std::uint32_t(p_[3]) << 24;
        p_ += 4;
        return std::bit_cast<float>(bits);
    }
    std::int16_t i16()
    {
        const auto bits = static_cast<std::uint16_t>(p_[0] | p_[1] << 8);
        p_ += 2;
        return std::bit_cast<std::int16_t>(bits);
    }

private:
    const unsigned char* p_;
};

template <class Reader, std::size_t N> void readText(Reader& in, FixedText<N>& t)
{
    t.setRaw(in.text(N));
}

template <class Reader, std::size_t N> void readFloats(Reader& in, std::array<float, N>& a)
{
    for (auto& x : a)
        x = in.f32();
}

// Decodes a record with the reader that fits the buffer: `Size` bytes or more are read
// directly, a shorter buffer through the ByteReader. Every field of `r` is written.
template <std::size_t Size, class Rec, class Fields>
void decodeWith(std::string_view bytes, Rec& r, Fields fields)
{
    if (bytes.size() >= Size) {
        WholeRecord in(bytes);
        fields(in, r);
    } else {
        ByteReader in(bytes);
        fields(in, r);
    }
}

template <std::size_t N> void writeFloats(ByteWriter& out, const std::array<float, N>& a)
{
    for (float x : a)
        out.f32(x);
}

} // namespace

void decodeJlbRec(std::string_view bytes, JlbRec& into)
{
    decodeWith<kJlbRecSize>(bytes, into, [](auto& in, JlbRec& r) {
        readText(in, r.sj);
        r.hz = in.f32();
        r.xh = in.i16();
        readFloats(in, r.ds);
        readText(in, r.bz);
        r.cs = in.f32();
        readText(in, r.cstr);
    });
}

std::string encodeJlbRec(const JlbRec& r)
{
    ByteWriter out;
    out.bytes(r.sj.bytes());
    out.f32(r.hz);
    out.i16(r.xh);
    writeFloats(out, r.ds);
    out.bytes(r.bz.bytes());
    out.f32(r.cs);
    out.bytes(r.cstr.bytes());
    return out.take();
}

// The two raw layouts share their field order; the newer one adds s20c after s60.
template <std::size_t Size, class Rec> void decodeRaw(std::string_view bytes, Rec& into)
{
    decodeWith<Size>(bytes, into, [](auto& in, Rec& r) {
        readText(in, r.sj);
        readFloats(in, r.v);
        readText(in, r.s5a);
        readText(in, r.s20a);
        readText(in, r.s20b);
        readText(in, r.s60);
        if constexpr (std::is_same_v<Rec, YsRec>)
            readText(in, r.s20c);
        readText(in, r.sj2);
        readFloats(in, r.u);
        readText(in, r.s20d);
        readText(in, r.zt);
    });
}

template <class Rec> std::string encodeRaw(const Rec& r)
{
    ByteWriter out;
    out.bytes(r.sj.bytes());
    writeFloats(out, r.v);
    out.bytes(r.s5a.bytes());
    out.bytes(r.s20a.bytes());
    out.bytes(r.s20b.bytes());
    out.bytes(r.s60.bytes());
    if constexpr (std::is_same_v<Rec, YsRec>)
        out.bytes(r.s20c.bytes());
    out.bytes(r.sj2.bytes());
    writeFloats(out, r.u);
    out.bytes(r.s20d.bytes());
    out.bytes(r.zt.bytes());
    return out.take();
}

void decodeYsRecOld(std::string_view bytes, YsRecOld& into)
{
    decodeRaw<kYsRecOldSize>(bytes, into);
}
std::string encodeYsRecOld(const YsRecOld& r)
{
    return encodeRaw(r);
}
void decodeYsRec(std::string_view bytes, YsRec& into)
{
    decodeRaw<kYsRecSize>(bytes, into);
}
std::string encodeYsRec(const YsRec& r)
{
    return encodeRaw(r);
}

} // namespace pyx
