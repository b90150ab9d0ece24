#include "SettingsPayload.h"
#include "SettingsPrinter.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The defaults with the device clock at 14:35 on 10 August 2010.
DeviceSettings ExampleSettings()
{
    return DeviceSettings(QDateTime(QDate(2010, 8, 10), QTime(14, 35, 12)));
}

std::string HexBytes(const TSettingsPayload &p, int from, int count)
{
    QStringList parts;
    for (int i = from; i < from + count; ++i)
        parts << QStringLiteral("%1").arg(p.Bytes[i], 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(' ').toStdString();
}

}  // namespace

TEST(BuildSettings, DefaultsGiveTheKnownPayloadTextAndChecksum)
{
    DeviceSettings s = ExampleSettings();
    TSettingsPayload p;
    BuildSettings(s, p);

    EXPECT_EQ(HexBytes(p, 0, 28),
              "00 00 00 00 00 00 52 08 00 08 B0 00 00 00 96 82 35 14 10 08 10 00 14 00 00 02 A8 00");
    EXPECT_EQ(p.Checksum, 0x59);
    EXPECT_EQ(p.Length, 28);
    EXPECT_EQ(p.Text, "0000000000000852080000B0000096820000140002A801");
    EXPECT_EQ(s, ExampleSettings());  // nothing to correct

    // The settings frame counts its command byte into the same sum.
    p.AddToChecksum(0x0C);
    EXPECT_EQ(p.Checksum, 0x65);
    EXPECT_EQ(p.Length, 29);

    // Everything is reset on each build.
    TSettingsPayload again = p;
    BuildSettings(s, again);
    EXPECT_EQ(again.Bytes, p.Bytes);
    EXPECT_EQ(again.Checksum, 0x59);
    EXPECT_EQ(again.Length, 28);
    EXPECT_EQ(again.Text, p.Text);
}

TEST(BuildSettings, FieldEncodings)
{
    struct TCase {
        const char *Name;
        std::function<void(DeviceSettings &)> edit;
        int Offset;             // payload bytes to check
        const char *Bytes;
        int TextPos;            // text field to check, -1 = none
        const char *TextField;
    };
    const TCase cases[] = {
        {"odometer 1 at its maximum", [](auto &s) { s.Odo1 = 99999; }, 0, "9F 86 01", 0, "01869F"},
        {"odometer 2", [](auto &s) { s.Odo2 = 4660; }, 3, "34 12 00", 6, "001234"},
        {"wheel 2 preset", [](auto &s) { s.Wheel2 = 2068; }, 8, "14 08", 16, "0814"},
        {"negative home altitude", [](auto &s) { s.HomeAlt = -100; }, 12, "9C FF", 24, "FF9C"},
        {"lowest home altitude", [](auto &s) { s.HomeAlt = -381; }, 12, "83 FE", 24, "FE83"},
        {"highest home altitude", [](auto &s) { s.HomeAlt = 6000; }, 12, "70 17", 24, "1770"},
        {"weight 485 lb", [](auto &s) { s.WeightUnit = 1; s.Weight = 485; }, 10, "E5 01", 20, "01E5"},
        {"weight 485 kg is capped in pounds", [](auto &s) { s.Weight = 485; }, 10, "E5 01", 20, "01E5"},
        {"weight 1 kg", [](auto &s) { s.Weight = 1; }, 10, "02 00", 20, "0002"},
        {"lap distance 12.5 km", [](auto &s) { s.LapDist = 12.5; }, 22, "7D 00", 34, "007D"},
        {"lap distance tie goes to even", [](auto &s) { s.LapDist = 2.25; }, 22, "16 00", 34, "0016"},
        {"lap distance 99.9 km", [](auto &s) { s.LapDist = 99.9; }, 22, "E7 03", 34, "03E7"},
        {"lap mode by time", [](auto &s) { s.LapMode = 2; }, 21, "02", 32, "02"},
        {"lap mode outside the list goes out unchanged", [](auto &s) { s.LapMode = 0xC7; }, 21, "C7", 32, "C7"},
        {"lap time minutes in BCD", [](auto &s) { s.LapTime = QTime(1, 45); }, 24, "45 01", 38, "4501"},
        {"lap hour above 9 is sent as 9", [](auto &s) { s.LapTime = QTime(15, 30); }, 24, "30 09", 38, "3009"},
        {"clock and calendar", [](auto &s) { s.ClockTime = QTime(9, 5, 59); s.ClockDate = QDate(2009, 12, 31); },
         16, "05 09 31 0C 09", -1, ""},
        {"October is plain binary", [](auto &s) { s.ClockDate = QDate(2023, 10, 7); }, 18, "07 0A 23", -1, ""},
        {"year after 2099", [](auto &s) { s.ClockDate = QDate(2150, 1, 1); }, 20, "99", -1, ""},
        {"year before 2000", [](auto &s) { s.ClockDate = QDate(1999, 6, 5); }, 18, "05 06 00", -1, ""},
        {"flags of the second choices", [](auto &s) {
             s.Sex = 1; s.SampleRate = 1; s.WeightUnit = 1; s.SpeedUnit = 1; s.TempUnit = 1; s.TimeFormat = 1;
         }, 26, "56", 42, "56"},
        {"flags with 5 s", [](auto &s) { s.SampleRate = 0; }, 26, "28", 42, "28"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        DeviceSettings s = ExampleSettings();
        c.edit(s);
        TSettingsPayload p;
        BuildSettings(s, p);
        const int count = (int(strlen(c.Bytes)) + 1) / 3;
        EXPECT_EQ(HexBytes(p, c.Offset, count), c.Bytes);
        if (c.TextPos >= 0) {
            EXPECT_EQ(p.Text.mid(c.TextPos, int(strlen(c.TextField))).toStdString(), c.TextField);
        }
        EXPECT_EQ(p.Text.size(), 46);
        EXPECT_EQ(p.Length, 28);
        EXPECT_EQ(p.Bytes[27], 0);
        int sum = 0;
        for (quint8 b : p.Bytes)
            sum += b;
        EXPECT_EQ(p.Checksum, sum % 256);
    }
}

TEST(BuildSettings, PCClockOptionOnlyInTheText)
{
    DeviceSettings on = ExampleSettings();
    DeviceSettings off = ExampleSettings();
    off.PCTime = false;
    TSettingsPayload withClock, withoutClock;
    BuildSettings(on, withClock);
    BuildSettings(off, withoutClock);
    EXPECT_TRUE(withClock.Text.endsWith("01"));
    EXPECT_TRUE(withoutClock.Text.endsWith("00"));
    EXPECT_EQ(withClock.Bytes, withoutClock.Bytes);
}

TEST(BuildSettings, CorrectionsWrittenBackIntoTheRecord)
{
    struct TCase {
        const char *Name;
        std::function<void(DeviceSettings &)> edit;
        int Upper, Lower;  // in the record and in payload bytes 14, 15
        int HomeAlt;
        double LapDist;
    };
    const TCase cases[] = {
        {"lower limit raised to 30", [](auto &s) { s.HRLower = 20; }, 150, 30, 0, 2.0},
        {"lower raised first, then upper follows it", [](auto &s) { s.HRUpper = 20; s.HRLower = 25; }, 30, 30, 0, 2.0},
        {"upper between 25 and 30 still follows", [](auto &s) { s.HRUpper = 28; s.HRLower = 0; }, 30, 30, 0, 2.0},
        {"upper below lower", [](auto &s) { s.HRUpper = 100; s.HRLower = 120; }, 120, 120, 0, 2.0},
        {"home altitude below the range", [](auto &s) { s.HomeAlt = -500; }, 150, 130, -381, 2.0},
        {"home altitude above the range", [](auto &s) { s.HomeAlt = 7000; }, 150, 130, 6000, 2.0},
        {"lap distance above the range", [](auto &s) { s.LapDist = 150.0; }, 150, 130, 0, 99.9},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        DeviceSettings s = ExampleSettings();
        c.edit(s);
        TSettingsPayload p;
        BuildSettings(s, p);
        EXPECT_EQ(s.HRUpper, c.Upper);
        EXPECT_EQ(s.HRLower, c.Lower);
        EXPECT_EQ(p.Bytes[14], c.Upper);
        EXPECT_EQ(p.Bytes[15], c.Lower);
        EXPECT_EQ(p.Text.mid(28, 4), QStringLiteral("%1%2").arg(c.Upper, 2, 16, QChar('0')).arg(c.Lower, 2, 16, QChar('0')).toUpper());
        EXPECT_EQ(s.HomeAlt, c.HomeAlt);
        EXPECT_DOUBLE_EQ(s.LapDist, c.LapDist);
    }

    // Weight, calendar and lap hour are corrected only on the way out.
    DeviceSettings s = ExampleSettings();
    s.Weight = 485;
    s.LapTime = QTime(15, 30);
    s.ClockDate = QDate(1999, 6, 5);
    TSettingsPayload p;
    BuildSettings(s, p);
    EXPECT_EQ(s.Weight, 485);
    EXPECT_EQ(s.LapTime, QTime(15, 30));
    EXPECT_EQ(s.ClockDate, QDate(1999, 6, 5));
}
