#include "DeviceSettings.h"

#include "ByteHelpers.h"

#include <cmath>

int TIntRange::CropWhole(double v) const
{
    if (std::isnan(v))
        return Crop(0);
    return Crop(RoundHalfAway(v));
}

double CropLapDist(double km)
{
    if (std::isnan(km))
        return SettingsRanges::LapDistMin;
    const double cropped = qBound(SettingsRanges::LapDistMin, km, SettingsRanges::LapDistMax);
    return std::round(cropped * 100.0) / 100.0;
}
