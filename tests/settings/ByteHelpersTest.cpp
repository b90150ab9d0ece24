#include "ByteHelpers.h"
#include "cConvert.h"

#include <gtest/gtest.h>

TEST(ByteHelpers, SplitAndMakeWords)
{
    struct TCase {
        qint64 V;
        quint8 Hi, Lo;
    };
    for (const TCase &c : {TCase{0, 0x00, 0x00}, TCase{2130, 0x08, 0x52}, TCase{-100, 0xFF, 0x9C},
                          TCase{-32768, 0x80, 0x00}, TCase{65535, 0xFF, 0xFF}, TCase{6000, 0x17, 0x70}}) {
        const TWordBytes w = SplitWord(c.V);
        EXPECT_EQ(w.Hi, c.Hi) << c.V;
        EXPECT_EQ(w.Lo, c.Lo) << c.V;
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
    struct TCase {
        double X;
        qint64 Even, Away;
    };
    for (const TCase &c : {TCase{22.5, 22, 23}, TCase{23.5, 24, 24}, TCase{2.5, 2, 3}, TCase{-2.5, -2, -3},
                          TCase{-3.5, -4, -4}, TCase{0.0, 0, 0}, TCase{0.49999999999999994, 0, 0},
                          TCase{176.3698, 176, 176}, TCase{-0.6, -1, -1}, TCase{1e300, 9000000000000000000, 9000000000000000000}}) {
        EXPECT_EQ(Round(c.X), c.Even) << c.X;
        EXPECT_EQ(RoundHalfAway(c.X), c.Away) << c.X;
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
