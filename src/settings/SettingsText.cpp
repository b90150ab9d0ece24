#include "SettingsText.h"

#include "ByteHelpers.h"
#include "SettingsRules.h"
#include "cConvert.h"

qint64 TSettingsTextReader::ReadField(int width, bool isSigned)
{
    const qsizetype start = FPos;
    FPos = static_cast<quint16>(FPos + width);
    if (width != 2 && width != 4 && width != 6)
        return 0;
    if (start + width > FText.size())
        return 0;

    quint8 pairs[3] = {};
    for (int i = 0; i < width / 2; ++i) {
        try {
            pairs[i] = static_cast<quint8>(HexToInt(QStringView(FText).mid(start + 2 * i, 2)));
        } catch (const EConvertError &) {
            return 0;
        }
    }
    switch (width) {
    case 2:
        return pairs[0];
    case 4:
        return isSigned ? MakeSignedWord(pairs[0], pairs[1]) : MakeWord(pairs[0], pairs[1]);
    default:
        return MakeLong(0, pairs[0], pairs[1], pairs[2]);
    }
}

void TRecordSettingsTarget::WeightUnitChanged(DeviceSettings &s)
{
    FLastWeightUnit = static_cast<quint8>(s.WeightUnit);
}

void ApplySettingsText(const QString &text, DeviceSettings &s, ISettingsTextTarget &target)
{
    if (text.isEmpty())
        return;
    TSettingsTextReader r(text);
    using namespace SettingsRanges;

    s.Odo1 = Odo.Crop(r.ReadField(6));
    s.Odo2 = Odo.Crop(r.ReadField(6));
    s.Wheel1 = Wheel.Crop(r.ReadField(4));
    s.Wheel2 = Wheel.Crop(r.ReadField(4));

    // The weight is always stored in pounds; the flags later in the text say
    // which unit it is shown in.
    const int pounds = Weight.Crop(r.ReadField(4));

    s.HomeAlt = HomeAlt.Crop(r.ReadField(4, true));
    s.HRUpper = HeartRate.Crop(r.ReadField(2));
    s.HRLower = HeartRate.Crop(r.ReadField(2));
    // Kept even outside the list of modes, so that it is sent back unchanged.
    s.LapMode = static_cast<int>(r.ReadField(2));
    s.LapDist = CropLapDist(double(r.ReadField(4)) / 10.0);

    const int lapMinute = BcdToInt(static_cast<quint8>(r.ReadField(2)));
    const int lapHour = static_cast<int>(r.ReadField(2));
    // An hour of 10 to 23 keeps its minutes at hour 9, as the device is sent it.
    s.LapTime = (lapHour < 24 && lapMinute < 60) ? SettingsRules::LapTimeRule(QTime(lapHour, lapMinute, 0))
                                                 : QTime(2, 0);

    const quint32 flags = static_cast<quint32>(r.ReadField(2));
    s.Sex = IsBitSet(flags, 1) ? int(TSex::Female) : int(TSex::Male);
    target.SexChanged(s);
    s.SpeedUnit = IsBitSet(flags, 2) ? int(TSpeedUnit::Mph) : int(TSpeedUnit::Kmh);
    const int weightUnit = IsBitSet(flags, 3) ? int(TWeightUnit::Kg) : int(TWeightUnit::Lb);
    // Pounds are taken as they stand; kilograms are converted once, whatever
    // unit the record showed before, so that a load never drifts the weight.
    s.Weight = weightUnit == int(TWeightUnit::Kg) ? WeightKg.CropWhole(TConvertClass::LbToKg(pounds)) : pounds;
    if (weightUnit != s.WeightUnit) {
        s.WeightUnit = weightUnit;
        target.WeightUnitChanged(s);
    }
    s.TempUnit = IsBitSet(flags, 4) ? int(TTempUnit::Fahrenheit) : int(TTempUnit::Celsius);
    s.TimeFormat = IsBitSet(flags, 5) ? int(TTimeFormat::H24) : int(TTimeFormat::H12);
    s.SampleRate = int(TSampleRate::Sec5);
    if (IsBitSet(flags, 6))
        s.SampleRate = int(TSampleRate::Sec10);
    if (IsBitSet(flags, 7))
        s.SampleRate = int(TSampleRate::Sec20);

    const bool pcTime = r.ReadField(2) == 1;
    if (pcTime != s.PCTime) {
        s.PCTime = pcTime;
        target.PCTimeChanged(s);
    }
}

void ApplySettingsText(const QString &text, DeviceSettings &s)
{
    TRecordSettingsTarget target(static_cast<quint8>(s.WeightUnit));
    ApplySettingsText(text, s, target);
}
