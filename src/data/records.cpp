#include "data/records.h"

#include <type_traits>

#include "data/byte_io.h"

namespace pyx {
namespace {

template <std::size_t N> void readText(ByteReader& in, FixedText<N>& t)
{
    t.setRaw(in.text(N));
}

template <std::size_t N> void readFloats(ByteReader& in, std::array<float, N>& a)
{
    for (auto& x : a)
        x = in.f32();
}

template <std::size_t N> void writeFloats(ByteWriter& out, const std::array<float, N>& a)
{
    for (float x : a)
        out.f32(x);
}

} // namespace

JlbRec decodeJlbRec(std::string_view bytes)
{
    ByteReader in(bytes);
    JlbRec r;
    readText(in, r.sj);
    r.hz = in.f32();
    r.xh = in.i16();
    readFloats(in, r.ds);
    readText(in, r.bz);
    r.cs = in.f32();
    readText(in, r.cstr);
    return r;
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
template <class Rec> Rec decodeRaw(std::string_view bytes)
{
    ByteReader in(bytes);
    Rec r;
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
    return r;
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

YsRecOld decodeYsRecOld(std::string_view bytes)
{
    return decodeRaw<YsRecOld>(bytes);
}
std::string encodeYsRecOld(const YsRecOld& r)
{
    return encodeRaw(r);
}
YsRec decodeYsRec(std::string_view bytes)
{
    return decodeRaw<YsRec>(bytes);
}
std::string encodeYsRec(const YsRec& r)
{
    return encodeRaw(r);
}

} // namespace pyx
