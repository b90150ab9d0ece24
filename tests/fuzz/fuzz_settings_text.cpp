// Settings texts: any text decodes into values inside their ranges, and a record
// the device can take comes back unchanged from the text it is encoded into.
#include "FuzzInput.h"
#include "SettingsPayload.h"
#include "SettingsText.h"

#include <cstdlib>

namespace {

const QDateTime kClock(QDate(2010, 8, 10), QTime(14, 35));

void ExpectInRanges(const DeviceSettings &s)
{
    const bool ok = s.Odo1 >= 0 && s.Odo1 <= 99999 && s.Odo2 >= 0 && s.Odo2 <= 99999
                    && s.Wheel1 >= 0 && s.Wheel1 <= 3999 && s.Wheel2 >= 0 && s.Wheel2 <= 3999
                    && s.Weight >= 1 && s.Weight <= 485 && s.HomeAlt >= -381 && s.HomeAlt <= 6000
                    && s.HRUpper >= 0 && s.HRUpper <= 240 && s.HRLower >= 0 && s.HRLower <= 240
                    && s.LapMode >= 0 && s.LapMode <= 255 && s.LapDist >= 0.0 && s.LapDist <= 99.9
                    && s.LapTime.isValid();
    if (!ok)
        std::abort();
}

// A record with every field inside what the text can carry: the weight at most
// 485 lb (220 kg), the lap distance in tenths, the lap time up to 09:59.
DeviceSettings RecordFrom(TInputReader &in)
{
    DeviceSettings s(kClock);
    s.Odo1 = in.InRange(0, 99999);
    s.Odo2 = in.InRange(0, 99999);
    s.Wheel1 = in.InRange(0, 3999);
    s.Wheel2 = in.InRange(0, 3999);
    s.WeightUnit = in.InRange(0, 1);
    s.Weight = in.InRange(1, s.WeightUnit == int(TWeightUnit::Kg) ? 220 : 485);
    s.HomeAlt = in.InRange(-381, 6000);
    s.HRUpper = in.InRange(0, 240);
    s.HRLower = in.InRange(0, 240);
    s.LapMode = in.InRange(0, 255);
    s.LapDist = CropLapDist(in.InRange(0, 999) / 10.0);
    s.LapTime = QTime(in.InRange(0, 9), in.InRange(0, 59));
    s.Sex = in.InRange(0, 1);
    s.SpeedUnit = in.InRange(0, 1);
    s.TempUnit = in.InRange(0, 1);
    s.TimeFormat = in.InRange(0, 1);
    s.SampleRate = in.InRange(0, 2);
    s.PCTime = in.Flag();
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TInputReader in(data, size);

    // Any text, as units, into a record in either weight unit.
    DeviceSettings decoded(kClock);
    decoded.WeightUnit = in.InRange(0, 1);
    ApplySettingsText(UnitsOf(in.Rest(), in.Left()), decoded);
    ExpectInRanges(decoded);

    // Encoding corrects a few values in the record itself (heart-rate limits,
    // altitude, lap distance); the corrected record must come back whole.
    DeviceSettings record = RecordFrom(in);
    TSettingsPayload payload;
    BuildSettings(record, payload);
    DeviceSettings back(kClock);
    back.WeightUnit = record.WeightUnit;
    ApplySettingsText(payload.Text, back);
    if (!(back == record))
        std::abort();
    return 0;
}
