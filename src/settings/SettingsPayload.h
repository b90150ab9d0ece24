#pragma once
#include "DeviceSettings.h"

#include <QString>
#include <QtGlobal>

#include <array>

// The settings in the device's 28-byte layout, with the running byte sum that
// the settings frame ends with, and the same settings as the storable text of
// 46 upper-case hexadecimal digits.
struct TSettingsPayload {
    static constexpr int Size = 28;

    std::array<quint8, Size> Bytes{};
    quint8 Checksum = 0;  // sum of every byte added since the last reset, modulo 256
    quint16 Length = 0;   // bytes added since the last reset; next write position
    QString Text;

    // Adds a byte to the sum and the count without storing it (the command byte
    // of the frame is counted this way).
    void AddToChecksum(quint8 b);
    // Stores b at the next position and counts it. Past the last byte only the
    // sum and the count change.
    void Append(quint8 b);
};

// Rewrites the payload, the sum and the text from the record in one pass. A few
// values the device cannot take are corrected on the way; home altitude, the
// heart-rate limits and the lap distance are corrected in the record too, the
// weight, the calendar and the lap time only in the payload and text.
void BuildSettings(DeviceSettings &s, TSettingsPayload &p);

// The flags byte: sex, units and sample rate.
quint8 SettingsFlags(const DeviceSettings &s);
