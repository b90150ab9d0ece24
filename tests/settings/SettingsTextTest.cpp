#include "SettingsPayload.h"
#include "SettingsText.h"
#include "SettingsPrinter.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

const QString kExampleText = QStringLiteral("0000000000000852080000B0000096820000140002A801");

const QDateTime kClock(QDate(2010, 8, 10), QTime(14, 35, 12));

// Records what a window would have to do besides storing values.
class TRecordingTarget : public TRecordSettingsTarget {
public:
    using TRecordSettingsTarget::TRecordSettingsTarget;
    void WeightUnitChanged(DeviceSettings &s) override
    {
        ++WeightUnitChanges;
        TRecordSettingsTarget::WeightUnitChanged(s);
    }
    void SexChanged(const DeviceSettings &) override { ++SexChanges; }
    void PCTimeChanged(const DeviceSettings &) override { ++PcTimeChanges; }
    int WeightUnitChanges = 0;
    int SexChanges = 0;
    int PcTimeChanges = 0;
};

// The example text with one field replaced.
QString WithField(int pos, const QString &field)
{
    QString t = kExampleText;
    return t.replace(pos, field.size(), field);
}

}  // namespace

TEST(ReadField, FixedWidthBigEndianFields)
{
    TSettingsTextReader r(QStringLiteral("0852ff9cFF9C0186a0"));
    EXPECT_EQ(r.ReadField(4), 2130);
    EXPECT_EQ(r.ReadField(4, true), -100);
    EXPECT_EQ(r.ReadField(4, false), 0xFF9C);
    EXPECT_EQ(r.ReadField(6), 100000);
    EXPECT_EQ(r.Position(), 18);
    EXPECT_EQ(r.ReadField(2), 0);  // past the end
    EXPECT_EQ(r.Position(), 20);

    // A bad pair spoils its field only; the next field is read at its place.
    TSettingsTextReader bad(QStringLiteral("0G12 0123x"));
    EXPECT_EQ(bad.ReadField(4), 0);
    EXPECT_EQ(bad.ReadField(2), 0);  // " 0"
    EXPECT_EQ(bad.ReadField(2), 0x12);
    EXPECT_EQ(bad.ReadField(4), 0);  // "3x" runs into the end
    EXPECT_EQ(bad.Position(), 12);

    TSettingsTextReader partial(QStringLiteral("12345"));
    EXPECT_EQ(partial.ReadField(6), 0);  // partly beyond the end
}

TEST(ApplySettingsText, ControlCharactersSpoilOnlyTheirField)
{
    for (const char16_t control : {u'\0', u'\x01', u'\t', u'\n', u'\r', u'\x1f', u'\x7f'}) {
        SCOPED_TRACE(int(control));
        QString text = kExampleText;
        text[13] = QChar(control);  // inside the wheel of bike 1
        DeviceSettings s(kClock);
        ApplySettingsText(text, s);
        DeviceSettings expected(kClock);
        expected.Wheel1 = 0;
        EXPECT_EQ(s, expected);

        DeviceSettings allControl(kClock);
        ApplySettingsText(QString(46, QChar(control)), allControl);
        EXPECT_EQ(allControl.Wheel1, 0);
        EXPECT_EQ(allControl.HRUpper, 0);
        EXPECT_EQ(allControl.LapTime, QTime(0, 0));
    }
}

TEST(ApplySettingsText, ExampleTextGivesTheDefaults)
{
    DeviceSettings s(kClock);
    s.Odo1 = 500;
    s.Weight = 60;
    s.LapMode = 2;
    s.SampleRate = 0;
    TRecordingTarget target(0);
    ApplySettingsText(kExampleText, s, target);
    EXPECT_EQ(s, DeviceSettings(kClock));
    EXPECT_EQ(target.SexChanges, 1);  // runs whether or not the sex changed
    EXPECT_EQ(target.WeightUnitChanges, 0);
    EXPECT_EQ(target.PcTimeChanges, 0);
}

TEST(ApplySettingsText, WeightAndUnitInterplay)
{
    struct TCase {
        const char *Name;
        QString Text;
        int ShownUnit;  // unit of the record before the load
        int Weight, Unit;
        int UnitChanges;
    };
    // The weight field is in pounds; flags 20 clear bit 3 (lb), flags A8 set it (kg).
    const QString lbFlags = QStringLiteral("20");
    const TCase cases[] = {
        {"kg text into kg", kExampleText, 0, 80, 0, 0},
        {"kg text into lb", kExampleText, 1, 80, 0, 1},
        {"177 lb into kg stays 177 lb", WithField(20, "00B1").replace(42, 2, lbFlags), 0, 177, 1, 1},
        {"177 lb into lb", WithField(20, "00B1").replace(42, 2, lbFlags), 1, 177, 1, 0},
        {"100 lb into kg stays 100 lb", WithField(20, "0064").replace(42, 2, lbFlags), 0, 100, 1, 1},
        {"weight 0 is cropped to 1", WithField(20, "0000"), 0, 1, 0, 0},
        {"1 lb named kg stays at the minimum", WithField(20, "0001"), 1, 1, 0, 1},
        {"heavy weight in lb capped at 485", WithField(20, "0800").replace(42, 2, lbFlags), 0, 485, 1, 1},
        {"heavy weight in kg capped at 220", WithField(20, "0800"), 1, 220, 0, 1},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        DeviceSettings s(kClock);
        s.WeightUnit = c.ShownUnit;
        TRecordingTarget target(static_cast<quint8>(c.ShownUnit));
        ApplySettingsText(c.Text, s, target);
        EXPECT_EQ(s.Weight, c.Weight);
        EXPECT_EQ(s.WeightUnit, c.Unit);
        EXPECT_EQ(target.WeightUnitChanges, c.UnitChanges);
        EXPECT_EQ(target.LastWeightUnit(), c.Unit);
    }
}

TEST(SettingsTextRoundTrip, EveryPoundWeightSurvivesAnyNumberOfLoads)
{
    // Each pound value goes out as it came in, whichever unit the record showed.
    for (int pounds = 1; pounds <= 485; ++pounds) {
        const QString text = WithField(20, QStringLiteral("%1").arg(pounds, 4, 16, QChar('0')).toUpper())
                                 .replace(42, 2, QStringLiteral("20"));
        for (int shownUnit : {0, 1}) {
            DeviceSettings s(kClock);
            s.WeightUnit = shownUnit;
            QString current = text;
            for (int load = 0; load < 3; ++load) {
                ApplySettingsText(current, s);
                TSettingsPayload p;
                BuildSettings(s, p);
                current = p.Text;
            }
            ASSERT_EQ(current, text) << pounds << " lb, shown in unit " << shownUnit;
        }
    }
}

TEST(ApplySettingsText, FieldVectors)
{
    struct TCase {
        const char *Name;
        QString Text;
        std::function<void(DeviceSettings &)> Expect;  // applied to the defaults
    };
    const TCase cases[] = {
        {"odometers, wheels, altitude and limits",
         QStringLiteral("01869F0004D2081407D000B0FF9CA0780000140002A801"), [](auto &s) {
             s.Odo1 = 99999; s.Odo2 = 1234; s.Wheel1 = 2068; s.Wheel2 = 2000; s.HomeAlt = -100;
             s.HRUpper = 160; s.HRLower = 120;
         }},
        {"values above the ranges are cropped",
         QStringLiteral("FFFFFFFFFFFFFFFFFFFF00B07FFFFFFF00FFFF0002A801"), [](auto &s) {
             s.Odo1 = 99999; s.Odo2 = 99999; s.Wheel1 = 3999; s.Wheel2 = 3999; s.HomeAlt = 6000;
             s.HRUpper = 240; s.HRLower = 240; s.LapDist = 99.9;
         }},
        {"home altitude below the range", WithField(24, "8000"), [](auto &s) { s.HomeAlt = -381; }},
        {"lap mode, distance and time in lower case", WithField(32, "01007d4501"), [](auto &s) {
             s.LapMode = 1; s.LapDist = 12.5; s.LapTime = QTime(1, 45);
         }},
        {"stored lap distance 25 reads as 2.50", WithField(34, "0019"), [](auto &s) { s.LapDist = 2.5; }},
        {"lap minute not BCD but a valid minute", WithField(38, "3B"), [](auto &s) { s.LapTime = QTime(2, 59); }},
        {"lap minute 75 is no valid time", WithField(38, "75"), [](auto &s) { s.LapTime = QTime(2, 0); }},
        {"lap hour 24 is no valid time", WithField(38, "0018"), [](auto &s) { s.LapTime = QTime(2, 0); }},
        {"lap hour 15 keeps its minutes at hour 9", WithField(38, "300F"), [](auto &s) { s.LapTime = QTime(9, 30); }},
        {"lap hour 23 likewise", WithField(38, "5917"), [](auto &s) { s.LapTime = QTime(9, 59); }},
        {"lap mode outside the list is kept", WithField(32, "07"), [](auto &s) { s.LapMode = 7; }},
        {"second choices of every flag", WithField(42, "5600"), [](auto &s) {
             s.Sex = 1; s.SpeedUnit = 1; s.WeightUnit = 1; s.Weight = 176; s.TempUnit = 1; s.TimeFormat = 1;
             s.SampleRate = 1; s.PCTime = false;
         }},
        {"both sample-rate bits: 20 s wins", WithField(42, "E8"), [](auto &s) { s.SampleRate = 2; s.TimeFormat = 0; }},
        {"PC clock only for exactly 01", WithField(44, "02"), [](auto &s) { s.PCTime = false; }},
        {"characters after the 46th are ignored", kExampleText + "FFFFFFFF", [](auto &) {}},
        {"short text: later fields read as 0", QStringLiteral("0000010000020852080000B0"), [](auto &s) {
             s.Odo1 = 1; s.Odo2 = 2; s.Weight = 176; s.WeightUnit = 1; s.HRUpper = 0; s.HRLower = 0;
             s.LapDist = 0; s.LapTime = QTime(0, 0); s.TimeFormat = 1; s.SampleRate = 0; s.PCTime = false;
         }},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        DeviceSettings s(kClock);
        ApplySettingsText(c.Text, s);
        DeviceSettings expected(kClock);
        c.Expect(expected);
        EXPECT_EQ(s, expected);
    }
}

TEST(ApplySettingsText, TwentyCharactersKeepOnlyOdometersAndWheels)
{
    DeviceSettings s(kClock);
    s.SpeedUnit = 1;
    s.LapMode = 2;
    ApplySettingsText(QStringLiteral("00000A00000B08000801"), s);
    EXPECT_EQ(s.Odo1, 10);
    EXPECT_EQ(s.Odo2, 11);
    EXPECT_EQ(s.Wheel1, 2048);
    EXPECT_EQ(s.Wheel2, 2049);
    EXPECT_EQ(s.HomeAlt, 0);
    EXPECT_EQ(s.HRUpper, 0);
    EXPECT_EQ(s.HRLower, 0);
    EXPECT_EQ(s.LapMode, 0);
    EXPECT_EQ(s.LapDist, 0.0);
    EXPECT_EQ(s.LapTime, QTime(0, 0));
    EXPECT_EQ(s.Sex, 0);
    EXPECT_EQ(s.SpeedUnit, 0);
    EXPECT_EQ(s.WeightUnit, 1);
    EXPECT_EQ(s.TempUnit, 0);
    EXPECT_EQ(s.TimeFormat, 1);
    EXPECT_EQ(s.SampleRate, 0);
    EXPECT_FALSE(s.PCTime);
    EXPECT_EQ(s.ClockDate, kClock.date());
    EXPECT_EQ(s.ClockTime, kClock.time());
}

TEST(ApplySettingsText, EmptyTextChangesNothing)
{
    DeviceSettings s(kClock);
    s.Odo1 = 42;
    TRecordingTarget target(0);
    ApplySettingsText(QString(), s, target);
    EXPECT_EQ(s.Odo1, 42);
    EXPECT_EQ(target.SexChanges, 0);
}

TEST(ApplySettingsText, PCClockChangeIsReportedOnlyWhenItChanges)
{
    DeviceSettings s(kClock);
    TRecordingTarget target(0);
    ApplySettingsText(WithField(44, "00"), s, target);
    EXPECT_EQ(target.PcTimeChanges, 1);
    ApplySettingsText(WithField(44, "00"), s, target);
    EXPECT_EQ(target.PcTimeChanges, 1);
    ApplySettingsText(kExampleText, s, target);
    EXPECT_EQ(target.PcTimeChanges, 2);
    EXPECT_TRUE(s.PCTime);
}

TEST(SettingsTextRoundTrip, DecodeThenEncodeGivesTheSameText)
{
    const QString texts[] = {
        kExampleText,
        QStringLiteral("01869F0004D2081407D001E5FF9CA078020064450956FF"),  // PC-clock byte other than 01
        QStringLiteral("000001000000000000000002FE83F0F0C703E7590000"),    // short, lap mode C7
    };
    for (const QString &text : texts) {
        SCOPED_TRACE(text.toStdString());
        DeviceSettings s(kClock);
        ApplySettingsText(text, s);
        TSettingsPayload p;
        BuildSettings(s, p);
        DeviceSettings again(kClock);
        ApplySettingsText(p.Text, again);
        EXPECT_EQ(again, s);
        TSettingsPayload q;
        BuildSettings(again, q);
        EXPECT_EQ(q.Text, p.Text);
        EXPECT_EQ(q.Bytes, p.Bytes);
    }
    // A text built from in-range values comes back character for character.
    DeviceSettings s(kClock);
    ApplySettingsText(QStringLiteral("01869F0004D2081407D001E5FF9CA078C7006445090000"), s);
    TSettingsPayload p;
    BuildSettings(s, p);
    EXPECT_EQ(p.Text, "01869F0004D2081407D001E5FF9CA078C7006445090000");
}

TEST(ApplySettingsText, AnyTextDecodesIntoCroppedValues)
{
    QRandomGenerator rng(20101);
    const QString alphabet = QStringLiteral("0123456789abcdefABCDEFxyz -+$\u00e9\u20ac\U0001F600\t\n\r");
    for (int i = 0; i < 2000; ++i) {
        QString text;
        const int length = rng.bounded(0, 80);
        for (int k = 0; k < length; ++k) {
            if (rng.bounded(8) == 0)
                text += QChar(char16_t(rng.bounded(0, 0x10000)));  // any unit, lone surrogates too
            else
                text += alphabet.at(rng.bounded(alphabet.size()));
        }
        DeviceSettings s(kClock);
        if (i % 2)
            s.WeightUnit = 1;
        ApplySettingsText(text, s);
        ASSERT_GE(s.Odo1, 0);
        ASSERT_LE(s.Odo1, 99999);
        ASSERT_LE(s.Odo2, 99999);
        ASSERT_LE(s.Wheel1, 3999);
        ASSERT_LE(s.Wheel2, 3999);
        ASSERT_GE(s.Weight, 1);
        ASSERT_LE(s.Weight, 485);
        ASSERT_GE(s.HomeAlt, -381);
        ASSERT_LE(s.HomeAlt, 6000);
        ASSERT_LE(s.HRUpper, 240);
        ASSERT_LE(s.HRLower, 240);
        ASSERT_GE(s.LapMode, 0);
        ASSERT_LE(s.LapMode, 255);
        ASSERT_GE(s.LapDist, 0.0);
        ASSERT_LE(s.LapDist, 99.9);
        ASSERT_TRUE(s.LapTime.isValid());
        TSettingsPayload p;
        BuildSettings(s, p);
        ASSERT_EQ(p.Text.size(), 46);
    }
}
