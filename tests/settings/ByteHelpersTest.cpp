#include "ByteHelpers.h"
#include "cConvert.h"

#include <gtest/gtest.h>

TEST(ByteHelpers, SplitAndMakeWords)
{
    struct Case {
        qint64 v;
        quint8 hi, lo;
    };
    for (const Case &c : {Case{0, 0x00, 0x00}, Case{2130, 0x08, 0x52}, Case{-100, 0xFF, 0x9C},
                          Case{-32768, 0x80, 0x00}, Case{65535, 0xFF, 0xFF}, Case{6000, 0x17, 0x70}}) {
        const WordBytes w = SplitWord(c.v);
        EXPECT_EQ(w.hi, c.hi) << c.v;
        EXPECT_EQ(w.lo, c.lo) << c.v;
    }
    EXPECT_EQ(MakeWord(0x08, 0x52), 2130);
    EXPECT_EQ(MakeWord(0xFF, 0x9C), 65436);
    EXPECT_EQ(MakeSignedWord(0xFF, 0x9C), -100);
    EXPECT_EQ(MakeSignedWord(0x7F, 0xFF), 32767);
    EXPECT_EQ(MakeSignedWord(0x80, 0x00), -32768);

    const auto b = SplitLong(99999);  // 0x0001869F
    EXPECT_EQ(b, (std::array<quint8, 4>{0x00, 0x01, 0x86, 0x9F}));
    EXPECT_EQ(MakeLong(b[0], b[1], b[2], b[3]), 99999u);
    EXPECT_EQ(SplitLong(-1), (std::array<quint8, 4>{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(ByteHelpers, Bits)
{
    EXPECT_TRUE(IsBitSet(0xA8, 3));
    EXPECT_FALSE(IsBitSet(0xA8, 2));
    EXPECT_FALSE(IsBitSet(0xFF, 40));
    EXPECT_EQ(SetBit(0x80, 5), 0xA0u);
    EXPECT_EQ(SetBit(0x80, 7), 0x80u);
}

TEST(ByteHelpers, HexToIntAcceptsOnlyHexDigits)
{
    EXPECT_EQ(HexToInt(u"0852"), 2130u);
    EXPECT_EQ(HexToInt(u"ff9c"), 0xFF9Cu);
    EXPECT_EQ(HexToInt(u"aB"), 0xABu);
    EXPECT_EQ(HexToInt(u"FFFFFFFF"), 0xFFFFFFFFu);
    for (const char16_t *bad : {u"", u"G1", u" 1", u"+1", u"-1", u"$1", u"0x", u"1\u0661", u"123456789"})
        EXPECT_THROW(HexToInt(bad), EConvertError) << QString::fromUtf16(bad).toStdString();
}

TEST(ByteHelpers, Bcd)
{
    EXPECT_EQ(BcdToInt(0x45), 45);
    EXPECT_EQ(BcdToInt(0x00), 0);
    EXPECT_EQ(BcdToInt(0x99), 99);
    EXPECT_EQ(BcdToInt(0x3B), 59);  // not BCD: the byte itself
    EXPECT_EQ(BcdToInt(0xA1), 0xA1);
    EXPECT_EQ(IntToBcd(45), 0x45);
    EXPECT_EQ(IntToBcd(9), 0x09);
    EXPECT_EQ(IntToBcd(99), 0x99);
    EXPECT_EQ(IntToBcd(-5), 0x00);
    EXPECT_EQ(IntToBcd(150), 0x99);
}

TEST(ByteHelpers, Roundings)
{
    struct Case {
        double x;
        qint64 even, away;
    };
    for (const Case &c : {Case{22.5, 22, 23}, Case{23.5, 24, 24}, Case{2.5, 2, 3}, Case{-2.5, -2, -3},
                          Case{-3.5, -4, -4}, Case{0.0, 0, 0}, Case{0.49999999999999994, 0, 0},
                          Case{176.3698, 176, 176}, Case{-0.6, -1, -1}, Case{1e300, 9000000000000000000, 9000000000000000000}}) {
        EXPECT_EQ(Round(c.x), c.even) << c.x;
        EXPECT_EQ(RoundHalfAway(c.x), c.away) << c.x;
    }
    EXPECT_EQ(Round(std::nan("")), 0);
}

TEST(ByteHelpers, WeightConversion)
{
    EXPECT_DOUBLE_EQ(TConvertClass::KgToLb(80), 176.369809748);
    EXPECT_DOUBLE_EQ(TConvertClass::LbToKg(2.20462262185), 1.0);
    EXPECT_EQ(RoundHalfAway(TConvertClass::LbToKg(176)), 80);
    EXPECT_EQ(RoundHalfAway(TConvertClass::KgToLb(485)), 1069);
}
