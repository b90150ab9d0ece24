#include "DeviceSettings.h"
#include "SettingsRules.h"

#include <gtest/gtest.h>

using namespace SettingsRules;

TEST(SettingsRecord, CropsAndRoundsWholeNumbers)
{
    EXPECT_EQ(SettingsRanges::Weight.CropWhole(0.45), 1);
    EXPECT_EQ(SettingsRanges::Weight.CropWhole(661.4), 485);
    EXPECT_EQ(SettingsRanges::Weight.CropWhole(79.5), 80);
    EXPECT_EQ(SettingsRanges::HomeAlt.CropWhole(-400.5), -381);
    EXPECT_EQ(SettingsRanges::HomeAlt.CropWhole(-2.5), -3);
    EXPECT_EQ(SettingsRanges::Odo.Crop(0xFFFFFF), 99999);
    EXPECT_DOUBLE_EQ(CropLapDist(6553.5), 99.9);
    EXPECT_DOUBLE_EQ(CropLapDist(-1), 0.0);
    EXPECT_DOUBLE_EQ(CropLapDist(2.345678), 2.35);
}

TEST(SettingsRules, WeightFollowsItsUnit)
{
    struct TCase {
        int Weight;
        int From, To;
        int Expected;
    };
    // kg = 0, lb = 1
    for (const TCase &c : {TCase{80, 0, 1, 176}, TCase{176, 1, 0, 80}, TCase{220, 0, 1, 485}, TCase{485, 1, 0, 220},
                          TCase{1, 1, 0, 1}, TCase{80, 0, 0, 80}, TCase{80, 1, 1, 80}}) {
        DeviceSettings s;
        s.Weight = c.Weight;
        s.WeightUnit = c.To;
        quint8 last = static_cast<quint8>(c.From);
        UpdateWeightUnit(s, last);
        EXPECT_EQ(s.Weight, c.Expected) << c.Weight << " " << c.From << "->" << c.To;
        EXPECT_EQ(last, c.To);
    }
    EXPECT_EQ(WeightUnitLabel(0), "kg");
    EXPECT_EQ(WeightUnitLabel(1), "lb");
}

TEST(SettingsRules, UnitSwitchAlternatesOnItsOwnState)
{
    DeviceSettings s;
    bool toggle = false;
    SwitchUnits(s, toggle);  // first press: metric, which the defaults already are
    EXPECT_TRUE(toggle);
    EXPECT_EQ((std::array{s.SpeedUnit, s.WeightUnit, s.TempUnit, s.TimeFormat}), (std::array{0, 0, 0, 0}));
    SwitchUnits(s, toggle);
    EXPECT_FALSE(toggle);
    EXPECT_EQ((std::array{s.SpeedUnit, s.WeightUnit, s.TempUnit, s.TimeFormat}), (std::array{1, 1, 1, 1}));
    // The current choices do not matter, only the toggle.
    s.WeightUnit = 0;
    SwitchUnits(s, toggle);
    EXPECT_EQ(s.WeightUnit, 0);
}

TEST(SettingsRules, HeartRateFieldJustLeftYields)
{
    DeviceSettings s;  // upper 150, lower 130
    s.HRLower = 170;
    HRLowerExit(s);
    EXPECT_EQ(s.HRLower, 150);
    EXPECT_EQ(s.HRUpper, 150);

    s = DeviceSettings();
    s.HRUpper = 100;
    HRUpperExit(s);
    EXPECT_EQ(s.HRUpper, 130);
    EXPECT_EQ(s.HRLower, 130);

    s = DeviceSettings();
    HRLowerExit(s);
    HRUpperExit(s);
    EXPECT_EQ(s.HRUpper, 150);
    EXPECT_EQ(s.HRLower, 130);
}

TEST(SettingsRules, LapTimeHourAtMostNine)
{
    EXPECT_EQ(LapTimeRule(QTime(23, 10)), QTime(9, 10));
    EXPECT_EQ(LapTimeRule(QTime(11, 45, 30)), QTime(9, 45, 0));
    EXPECT_EQ(LapTimeRule(QTime(9, 59)), QTime(9, 59));
    EXPECT_EQ(LapTimeRule(QTime(0, 0)), QTime(0, 0));
}

TEST(SettingsRules, LapModeDisplay)
{
    const auto manual = LapModeDisplay(0);
    ASSERT_TRUE(manual);
    EXPECT_FALSE(manual->ShowDistance || manual->ShowTime || manual->ShowArrow);
    EXPECT_EQ(manual->UnitLabel, "");
    const auto distance = LapModeDisplay(1);
    ASSERT_TRUE(distance);
    EXPECT_TRUE(distance->ShowDistance && distance->ShowArrow && !distance->ShowTime);
    EXPECT_EQ(distance->UnitLabel, "km");
    const auto time = LapModeDisplay(2);
    ASSERT_TRUE(time);
    EXPECT_TRUE(!time->ShowDistance && time->ShowArrow && time->ShowTime);
    EXPECT_EQ(time->UnitLabel, "hh:mm");
    EXPECT_FALSE(LapModeDisplay(3));
    EXPECT_FALSE(LapModeDisplay(-1));
}

TEST(SettingsRules, WheelPresetFillsOnlyTheChosenBike)
{
    DeviceSettings s;
    ApplyWheelPreset(s, 2, 2068);
    EXPECT_EQ(s.Wheel2, 2068);
    EXPECT_EQ(s.Wheel1, 2130);
    ApplyWheelPreset(s, 1, 1930);
    EXPECT_EQ(s.Wheel1, 1930);
    ApplyWheelPreset(s, 0, 2086);
    EXPECT_EQ(s.Wheel1, 1930);
    EXPECT_EQ(s.Wheel2, 2068);
}
