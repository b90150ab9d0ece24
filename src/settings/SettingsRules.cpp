#include "SettingsRules.h"

#include "cConvert.h"

namespace SettingsRules {

QString WeightUnitLabel(int weightUnit)
{
    return weightUnit == int(TWeightUnit::Lb) ? QStringLiteral("lb") : QStringLiteral("kg");
}

void UpdateWeightUnit(DeviceSettings &s, quint8 &lastWeightUnit)
{
    if (s.WeightUnit == int(TWeightUnit::Kg)) {
        if (lastWeightUnit != int(TWeightUnit::Kg))
            s.Weight = SettingsRanges::WeightKg.CropWhole(TConvertClass::LbToKg(s.Weight));
    } else if (s.WeightUnit == int(TWeightUnit::Lb)) {
        if (lastWeightUnit != int(TWeightUnit::Lb))
            s.Weight = SettingsRanges::Weight.CropWhole(TConvertClass::KgToLb(s.Weight));
    }
    lastWeightUnit = static_cast<quint8>(s.WeightUnit);
}

void SwitchUnits(DeviceSettings &s, bool &unitToggle)
{
    unitToggle = !unitToggle;
    const int choice = unitToggle ? 0 : 1;
    s.SpeedUnit = choice;
    s.WeightUnit = choice;
    s.TempUnit = choice;
    s.TimeFormat = choice;
}

void HRLowerExit(DeviceSettings &s)
{
    if (s.HRLower > s.HRUpper)
        s.HRLower = s.HRUpper;
}

void HRUpperExit(DeviceSettings &s)
{
    if (s.HRUpper < s.HRLower)
        s.HRUpper = s.HRLower;
}

QTime LapTimeRule(QTime t)
{
    if (t.isValid() && t.hour() > SettingsRanges::LapHourMax)
        return QTime(SettingsRanges::LapHourMax, t.minute(), 0);
    return t;
}

std::optional<TLapModeView> LapModeDisplay(int lapMode)
{
    switch (lapMode) {
    case int(TLapMode::Manual):
        return TLapModeView{false, false, false, QString()};
    case int(TLapMode::AutoDistance):
        return TLapModeView{true, false, true, QStringLiteral("km")};
    case int(TLapMode::AutoTime):
        return TLapModeView{false, true, true, QStringLiteral("hh:mm")};
    default:
        return std::nullopt;
    }
}

void ApplyWheelPreset(DeviceSettings &s, int wheelTarget, int circumference)
{
    if (wheelTarget == 1)
        s.Wheel1 = SettingsRanges::Wheel.Crop(circumference);
    else if (wheelTarget == 2)
        s.Wheel2 = SettingsRanges::Wheel.Crop(circumference);
}

}  // namespace SettingsRules
