#pragma once
#include "DeviceSettings.h"

#include <QString>
#include <QTime>

#include <array>
#include <optional>

// The editing rules that keep the settings consistent while the user works on
// them. The window binds them to its controls; they work on a plain record so
// that they run without it.
namespace SettingsRules {

// "kg" or "lb", the label beside the weight.
QString WeightUnitLabel(int weightUnit);

// Converts Weight into the unit WeightUnit names when the weight shown so far was
// in the other unit (lastWeightUnit), then remembers the unit. The converted value
// is rounded halves away from zero and cropped to the range of its unit (1 to
// 220 kg, 1 to 485 lb): 80 kg -> 176 lb -> 80 kg; 220 kg -> 485 lb -> 220 kg.
void UpdateWeightUnit(DeviceSettings &s, quint8 &lastWeightUnit);

// The metric/imperial button alternates on its own state, not on the current
// choices: it inverts unitToggle and then selects km/h, kg, deg C and 24 h when the
// toggle is now true, else m/h, lb, deg F and 12 h. Only sets the four choices;
// the caller runs what a change of the weight unit runs.
void SwitchUnits(DeviceSettings &s, bool &unitToggle);

// Leaving a heart-rate field: the field just edited yields to the other.
void HRLowerExit(DeviceSettings &s);
void HRUpperExit(DeviceSettings &s);

// A lap time typed with an hour above 9 keeps its minutes at hour 9 (11:45 -> 09:45).
QTime LapTimeRule(QTime t);

// Which lap controls a lap mode shows; no value for a mode outside the list.
struct TLapModeView {
    bool ShowDistance;
    bool ShowTime;
    bool ShowArrow;
    QString UnitLabel;
};
std::optional<TLapModeView> LapModeDisplay(int lapMode);

struct TWheelPreset {
    const char *ObjectName;
    const char *Caption;
    int Circumference;  // mm
    int Marker;         // picture of the menu's image list, -1 = none
};
inline constexpr std::array<TWheelPreset, 14> WheelPresets{{
    {"N700x20c1", "700x20c", 2086, -1},
    {"N700x23c1", "700x23c", 2096, 0},
    {"N700x25c1", "700x25c", 2105, -1},
    {"N700x28c1", "700x28c", 2136, -1},
    {"N700x32c1", "700x32c", 2155, -1},
    {"N700x35c1", "700x35c", 2168, -1},
    {"N700x38c1", "700x38c", 2180, -1},
    {"N650x23c1", "650x23c", 1930, -1},
    {"N26x151", "26x1.5", 2010, -1},
    {"N26x1901", "26x1.90", 2045, 1},
    {"N26x1951", "26x1.95", 2050, -1},
    {"N26x201", "26x2.0", 2055, -1},
    {"N26x211", "26x2.1", 2068, -1},
    {"N26x221", "26x2.2", 2075, -1},
}};

// Puts a preset circumference into the wheel of bike 1 or 2; any other target
// changes nothing.
void ApplyWheelPreset(DeviceSettings &s, int wheelTarget, int circumference);

}  // namespace SettingsRules
