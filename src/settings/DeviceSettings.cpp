#include "DeviceSettings.h"

#include "ByteHelpers.h"

#include <cmath>

int IntRange::cropWhole(double v) const
{
    if (std::isnan(v))
        return crop(0);
    return crop(RoundHalfAway(v));
}

double CropLapDist(double km)
{
    if (std::isnan(km))
        return SettingsRanges::LapDistMin;
    const double cropped = qBound(SettingsRanges::LapDistMin, km, SettingsRanges::LapDistMax);
    return std::round(cropped * 100.0) / 100.0;
}
