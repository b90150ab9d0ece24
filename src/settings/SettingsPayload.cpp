#include "SettingsPayload.h"

#include "ByteHelpers.h"
#include "cConvert.h"

namespace {

// Upper-case hexadecimal, at least `digits` digits, zero padded.
QString Hex(qint64 v, int digits)
{
    return QStringLiteral("%1").arg(v, digits, 16, QLatin1Char('0')).toUpper();
}

void AppendWordLE(TSettingsPayload &p, qint64 v)
{
    const TWordBytes w = SplitWord(v);
    p.Append(w.Lo);
    p.Append(w.Hi);
}

void AppendOdometer(TSettingsPayload &p, int odo)
{
    const qint64 v = Round(odo);
    const auto b = SplitLong(v);
    p.Append(b[3]);
    p.Append(b[2]);
    p.Append(b[1]);
    p.Text += Hex(v, 6);
}

}  // namespace

void TSettingsPayload::AddToChecksum(quint8 b)
{
    Checksum = static_cast<quint8>(Checksum + b);
    ++Length;
}

void TSettingsPayload::Append(quint8 b)
{
    if (Length < Size)
        Bytes[Length] = b;
    AddToChecksum(b);
}

quint8 SettingsFlags(const DeviceSettings &s)
{
    quint32 f = 0;
    if (s.Sex == int(TSex::Female))
        f = SetBit(f, 1);
    if (s.SpeedUnit == int(TSpeedUnit::Mph))
        f = SetBit(f, 2);
    if (s.WeightUnit == int(TWeightUnit::Kg))
        f = SetBit(f, 3);
    if (s.TempUnit == int(TTempUnit::Fahrenheit))
        f = SetBit(f, 4);
    if (s.TimeFormat == int(TTimeFormat::H24))
        f = SetBit(f, 5);
    if (s.SampleRate == int(TSampleRate::Sec10))
        f = SetBit(f, 6);
    if (s.SampleRate == int(TSampleRate::Sec20))
        f = SetBit(f, 7);
    return static_cast<quint8>(f);
}

void BuildSettings(DeviceSettings &s, TSettingsPayload &p)
{
    p.Bytes.fill(0);
    p.Checksum = 0;
    p.Length = 0;
    p.Text.clear();

    AppendOdometer(p, s.Odo1);
    AppendOdometer(p, s.Odo2);

    for (int wheel : {s.Wheel1, s.Wheel2}) {
        const qint64 v = Round(wheel);
        AppendWordLE(p, v);
        p.Text += Hex(v, 4);
    }

    // The device takes the weight in pounds, at most 485.
    qint64 pounds = s.WeightUnit == int(TWeightUnit::Kg)
                        ? RoundHalfAway(TConvertClass::KgToLb(s.Weight))
                        : RoundHalfAway(s.Weight);
    if (pounds > SettingsRanges::Weight.Max)
        pounds = SettingsRanges::Weight.Max;
    p.Text += Hex(pounds, 4);
    AppendWordLE(p, pounds);

    s.HomeAlt = SettingsRanges::HomeAlt.Crop(s.HomeAlt);
    const qint64 altitude = Round(s.HomeAlt);
    AppendWordLE(p, altitude);
    p.Text += Hex(altitude >= 0 ? altitude : 65536 + altitude, 4);

    // The lower limit is raised to the least the device accepts first, then the
    // upper limit to at least the lower one, so that upper never lies below lower.
    if (s.HRLower < 30)
        s.HRLower = 30;
    if (s.HRUpper < s.HRLower)
        s.HRUpper = s.HRLower;
    p.Append(static_cast<quint8>(Round(s.HRUpper)));
    p.Text += Hex(quint8(Round(s.HRUpper)), 2);
    p.Append(static_cast<quint8>(Round(s.HRLower)));
    p.Text += Hex(quint8(Round(s.HRLower)), 2);

    p.Append(IntToBcd(s.ClockTime.minute()));
    p.Append(IntToBcd(s.ClockTime.hour()));

    // A year before 2000 goes out as 00, mirroring the cap at 99 above.
    p.Append(IntToBcd(s.ClockDate.day()));
    p.Append(static_cast<quint8>(s.ClockDate.month()));
    p.Append(IntToBcd(qBound(0, s.ClockDate.year() - 2000, 99)));

    p.Append(static_cast<quint8>(s.LapMode));
    p.Text += Hex(quint8(s.LapMode), 2);

    if (s.LapDist * 10 > 999)
        s.LapDist = SettingsRanges::LapDistMax;
    const qint64 tenths = Round(s.LapDist * 10);
    AppendWordLE(p, tenths);
    p.Text += Hex(tenths, 4);

    const quint8 lapMinute = std::min<quint8>(IntToBcd(s.LapTime.minute()), 0x59);
    p.Append(lapMinute);
    p.Text += Hex(lapMinute, 2);
    const quint8 lapHour = static_cast<quint8>(qBound(0, s.LapTime.hour(), SettingsRanges::LapHourMax));
    p.Append(lapHour);
    p.Text += Hex(lapHour, 2);

    const quint8 flags = SettingsFlags(s);
    p.Append(flags);
    p.Text += Hex(flags, 2);

    p.Text += Hex(s.PCTime ? 1 : 0, 2);

    p.Append(0x00);  // reserved
}
