#pragma once
#include <QByteArray>
#include <QString>

// Windows-1252, the 8-bit character set of the configuration, settings and
// language files. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D are undefined there and
// map to the C1 control characters of the same value, so that any byte string
// survives a round trip.
namespace Cp1252 {

QString ToUnicode(const QByteArray &bytes);

// Characters outside Windows-1252 become '?'.
QByteArray FromUnicode(const QString &text);

}  // namespace Cp1252
