#pragma once
#include <QString>

#include <optional>

// Integers in profile files: "0x" or "0X" followed by at least one more
// character is hexadecimal, as is a leading "$"; anything else is decimal. An
// optional sign may precede a decimal number only. A text that is not a whole number in the
// signed 32-bit range has no value.
std::optional<qint32> ParseProfileInteger(const QString &text);

// ParseProfileInteger, or the default when the text has no value.
qint32 ProfileIntegerOr(const QString &text, qint32 defaultValue);
