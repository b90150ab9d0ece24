#include <gtest/gtest.h>

#include "DeviceResponder.h"
#include "PayloadReport.h"

namespace {

using TKind = TReceivedFrame::TKind;

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(text);
}

const QByteArray kSettingsFrame =
    Hex("0C00000000000052080008B0000000968235141008100014000002A80065");

TEST(EmulatedDevice, CutsInputIntoFramesAndAnswers)
{
    TDeviceResponder device;
    // Frames may arrive in pieces and several at once; junk is reported and skipped.
    QList<TReceivedFrame> frames = device.Feed(Hex("0600"));
    EXPECT_TRUE(frames.isEmpty());
    frames += device.Feed(Hex("06FFFE0B000B") + kSettingsFrame.left(10));
    frames += device.Feed(kSettingsFrame.mid(10) + Hex("0A8690"));
    frames += device.Feed(Hex("060007"));  // wrong checksum

    struct TExpected {
        TKind Kind;
        QByteArray Reply;
    };
    const TExpected expected[] = {
        {TKind::Ping, Hex("860086")},   {TKind::Junk, {}},
        {TKind::Clear, Hex("8B008B")},  {TKind::Settings, Hex("8C008C")},
        {TKind::FollowUp, {}},          {TKind::Malformed, {}},
    };
    ASSERT_EQ(frames.size(), qsizetype(std::size(expected)));
    for (qsizetype i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frames[i].Kind, expected[i].Kind);
        EXPECT_EQ(frames[i].Reply, expected[i].Reply);
    }
    EXPECT_EQ(frames[1].Bytes, Hex("FFFE"));
    EXPECT_EQ(frames[3].Bytes, kSettingsFrame);

    QByteArray corrupted = kSettingsFrame;
    corrupted[5] = char(0x01);
    EXPECT_EQ(device.Feed(corrupted).front().Kind, TKind::Malformed);

    device.Feed(Hex("0C0102"));
    EXPECT_TRUE(device.HasPartial());
    EXPECT_EQ(device.TakePartial(), Hex("0C0102"));
    EXPECT_EQ(device.Feed(Hex("060006")).front().Kind, TKind::Ping);
}

TEST(EmulatedDevice, SilentAndWrongAnswers)
{
    TDeviceResponder silent({.Silent = true, .Wrong = false});
    for (const TReceivedFrame &f : silent.Feed(Hex("060006") + kSettingsFrame + Hex("0B000B")))
        EXPECT_TRUE(f.Reply.isEmpty());

    TDeviceResponder wrong({.Silent = false, .Wrong = true});
    const auto frames = wrong.Feed(Hex("060006") + kSettingsFrame + Hex("0B000B"));
    ASSERT_EQ(frames.size(), 3);
    EXPECT_NE(quint8(frames[0].Reply.front()), 0x86);
    EXPECT_EQ(frames[1].Reply, Hex("8B008B"));
    EXPECT_EQ(frames[2].Reply, Hex("8C008C"));
}

TEST(EmulatedDevice, DescribesReceivedSettings)
{
    const QStringList lines = DescribePayload(kSettingsFrame.mid(1, 28));
    EXPECT_EQ(lines, QStringList({
                         "odometer 1: 0 km, odometer 2: 0 km",
                         "wheel 1: 2130 mm, wheel 2: 2048 mm",
                         "rider weight: 176 lb",
                         "home altitude: 0 m",
                         "heart-rate limits: upper 150 bpm, lower 130 bpm",
                         "clock: 14:35, date: 10.08.2010",
                         "lap mode: 0, lap distance: 2.0 km, lap time: 2:00",
                         QString::fromUtf8("flags A8: male, km/h, kg, °C, 24 h, sample rate 20 s"),
                     }));
    QByteArray other(28, '\0');
    other[12] = char(0x9C);  // -100 m
    other[13] = char(0xFF);
    other[26] = char(0x56);  // female, m/h, °F, 10 s
    EXPECT_EQ(DescribePayload(other).at(3), "home altitude: -100 m");
    EXPECT_EQ(DescribePayload(other).last(),
              QString::fromUtf8("flags 56: female, m/h, lb, °F, 12 h, sample rate 10 s"));
    EXPECT_TRUE(DescribePayload(other.left(27)).isEmpty());
    EXPECT_EQ(HexBytes(Hex("0C0A86")), "0C 0A 86");
}

}  // namespace
