#pragma once
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QtGlobal>

#include <algorithm>

// The settings of the cycling computer as the user edits them. Numeric fields
// always hold values inside their ranges (see SettingsRanges); the choice fields
// hold their index in the list of choices.

// An inclusive range of a whole-number field.
struct TIntRange {
    int Min;
    int Max;

    int Crop(qint64 v) const { return static_cast<int>(std::clamp<qint64>(v, Min, Max)); }
    // A fractional value given to a whole-number field: nearest whole number,
    // halves away from zero, then cropped.
    int CropWhole(double v) const;
};

namespace SettingsRanges {
inline constexpr TIntRange Odo{0, 99999};        // km
inline constexpr TIntRange Wheel{0, 3999};       // mm
inline constexpr TIntRange Weight{1, 485};       // lb, the most the device takes
inline constexpr TIntRange WeightKg{1, 220};     // kg: the same 485 lb
inline constexpr TIntRange HeartRate{0, 240};    // bpm
inline constexpr TIntRange HomeAlt{-381, 6000};  // m
inline constexpr double LapDistMin = 0.0;       // km
inline constexpr double LapDistMax = 99.9;
inline constexpr int LapDistDecimals = 2;
// Lap time: hours and minutes, 00:00 to 09:59 when the user sets it.
inline constexpr int LapHourMax = 9;
}  // namespace SettingsRanges

// Cropped to 0..99.9 and rounded to the two decimals the field shows.
double CropLapDist(double km);

enum class TSex : int { Male = 0, Female = 1 };
enum class TLapMode : int { Manual = 0, AutoDistance = 1, AutoTime = 2 };
enum class TSampleRate : int { Sec5 = 0, Sec10 = 1, Sec20 = 2 };
enum class TSpeedUnit : int { Kmh = 0, Mph = 1 };
enum class TWeightUnit : int { Kg = 0, Lb = 1 };
enum class TTempUnit : int { Celsius = 0, Fahrenheit = 1 };
enum class TTimeFormat : int { H24 = 0, H12 = 1 };

namespace SettingsRanges {
// The range of the weight in the unit it is shown in.
constexpr TIntRange WeightIn(int weightUnit)
{
    return weightUnit == int(TWeightUnit::Kg) ? WeightKg : Weight;
}
}  // namespace SettingsRanges

struct DeviceSettings {
    // Defaults, with the device clock set to `now`.
    explicit DeviceSettings(const QDateTime &now = QDateTime::currentDateTime())
        : ClockTime(now.time()), ClockDate(now.date())
    {
    }

    int Odo1 = 0;
    int Wheel1 = 2130;
    int Odo2 = 0;
    int Wheel2 = 2048;
    int Sex = int(TSex::Male);
    int Weight = 80;  // in the unit WeightUnit names
    QTime ClockTime;  // hours and minutes are sent
    QDate ClockDate;
    bool PCTime = true;
    // 0..2 from the window; a settings text may bring any byte, which is kept so
    // that it goes back to the device unchanged.
    int LapMode = int(TLapMode::Manual);
    double LapDist = 2.0;            // km
    QTime LapTime = QTime(2, 0);     // hours and minutes
    int HRUpper = 150;
    int HRLower = 130;
    int SampleRate = int(TSampleRate::Sec20);
    int HomeAlt = 0;
    int SpeedUnit = int(TSpeedUnit::Kmh);
    int WeightUnit = int(TWeightUnit::Kg);
    int TempUnit = int(TTempUnit::Celsius);
    int TimeFormat = int(TTimeFormat::H24);

    bool operator==(const DeviceSettings &) const = default;
};
