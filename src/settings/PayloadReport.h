#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// Readable forms of what the emulated device receives.

// "0C 00 52 ..." (upper-case pairs separated by blanks).
QString HexBytes(const QByteArray &bytes);

// The settings carried by a 28-byte payload, one topic per line, as the device
// would take them: odometers, wheels, weight, altitude, heart-rate limits, clock,
// lap settings and the flags. Empty when the payload is not 28 bytes long.
QStringList DescribePayload(const QByteArray &payload);
