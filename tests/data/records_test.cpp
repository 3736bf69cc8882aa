#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "base/byte_io.h"
#include "data/records.h"

namespace pyx {
namespace {

std::string patterned(std::size_t n)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    return s;
}

TEST(Records, EveryLayoutRoundTripsByteForByte)
{
    // Arbitrary bytes, including invalid text bytes and NaN patterns, come back unchanged.
    for (int seed = 0; seed < 3; ++seed) {
        std::string jlb = patterned(kJlbRecSize + seed);
        jlb.resize(kJlbRecSize);
        EXPECT_EQ(encodeJlbRec(decodeJlbRec(jlb)), jlb);
        const std::string old = patterned(kYsRecOldSize);
        EXPECT_EQ(encodeYsRecOld(decodeYsRecOld(old)), old);
        const std::string raw = patterned(kYsRecSize);
        EXPECT_EQ(encodeYsRec(decodeYsRec(raw)), raw);
    }
    EXPECT_EQ(encodeJlbRec(JlbRec{}).size(), kJlbRecSize);
    EXPECT_EQ(encodeYsRecOld(YsRecOld{}).size(), kYsRecOldSize);
    EXPECT_EQ(encodeYsRec(YsRec{}).size(), kYsRecSize);
}

TEST(Records, FieldsSitAtTheirOffsets)
{
    JlbRec r;
    r.sj.set("08:30");
    r.hz = 50.0f;
    r.xh = -2;
    r.ds[7] = 1.5f;
    r.cs = 3.0f;
    r.cstr.set("工程");
    const std::string b = encodeJlbRec(r);
    EXPECT_EQ(b.substr(0, 10), "08:30     ");
    float hz;
    std::memcpy(&hz, b.data() + 10, 4);
    EXPECT_EQ(hz, 50.0f);
    EXPECT_EQ(static_cast<unsigned char>(b[14]), 0xFE);
    EXPECT_EQ(static_cast<unsigned char>(b[15]), 0xFF);
    float ds7;
    std::memcpy(&ds7, b.data() + 16 + 28, 4);
    EXPECT_EQ(ds7, 1.5f);
    EXPECT_EQ(b.substr(72, 4), "\xb9\xa4\xb3\xcc");

    YsRec y;
    y.v[13] = 5.0f;
    y.sj2.set("10:15");
    y.u[1] = -100.0f;
    y.zt.setRaw("\x41");
    const std::string yb = encodeYsRec(y);
    float v13;
    std::memcpy(&v13, yb.data() + 5 + 13 * 4, 4);
    EXPECT_EQ(v13, 5.0f);
    EXPECT_EQ(yb.substr(202, 5), "10:15");
    float u1;
    std::memcpy(&u1, yb.data() + 207 + 4, 4);
    EXPECT_EQ(u1, -100.0f);
    EXPECT_EQ(yb[291], '\x41');
}

TEST(Records, ShortInputReadsAsZerosAndBlanks)
{
    const JlbRec r = decodeJlbRec(std::string_view("12:00", 5));
    EXPECT_EQ(r.sj.trimmed(), "12:00");
    EXPECT_EQ(r.hz, 0.0f);
    EXPECT_EQ(r.cstr.bytes(), std::string(40, ' '));
    const YsRec y = decodeYsRec({});
    EXPECT_EQ(y.v[0], 0.0f);
    EXPECT_EQ(y.zt.bytes(), std::string(20, ' '));
}

TEST(ByteReader, ReportsOverrunAndNeverReadsPastTheEnd)
{
    const std::string three("\x01\x02\x03", 3);
    ByteReader in(three);
    EXPECT_EQ(in.u16(), 0x0201);
    EXPECT_FALSE(in.overran());
    EXPECT_EQ(in.u16(), 0x0003);
    EXPECT_TRUE(in.overran());
    EXPECT_EQ(in.text(2), "  ");
}

TEST(FixedText, AssignmentCutsAndPadsAndTrimsOnRead)
{
    FixedText<5> sj;
    sj.set("12:30:45.000"); // a 12-character time keeps its first 5 characters
    EXPECT_EQ(sj.text(), "12:30");
    FixedText<10> t;
    t.set(" 8:30");
    EXPECT_EQ(t.text(), " 8:30     ");
    EXPECT_EQ(t.trimmed(), "8:30");
    FixedText<3> cn;
    cn.set("工程"); // the second character does not fit in 3 bytes
    EXPECT_EQ(cn.bytes(), "\xb9\xa4 ");
    EXPECT_EQ(cn.trimmed(), "工");
}

} // namespace
} // namespace pyx
