#pragma once
#include "DeviceSettings.h"

#include <ostream>

// Readable failure messages for comparisons of whole records.
inline void PrintTo(const DeviceSettings &s, std::ostream *os)
{
    *os << "{Odo " << s.Odo1 << "/" << s.Odo2 << ", Wheel " << s.Wheel1 << "/" << s.Wheel2
        << ", Sex " << s.Sex << ", Weight " << s.Weight << " unit " << s.WeightUnit
        << ", Clock " << s.ClockDate.toString(Qt::ISODate).toStdString() << " "
        << s.ClockTime.toString(Qt::ISODate).toStdString() << ", PCTime " << s.PCTime
        << ", Lap " << s.LapMode << " " << s.LapDist << " " << s.LapTime.toString("HH:mm:ss").toStdString()
        << ", HR " << s.HRUpper << "/" << s.HRLower << ", Sample " << s.SampleRate
        << ", Alt " << s.HomeAlt << ", Units " << s.SpeedUnit << s.TempUnit << s.TimeFormat << "}";
}
