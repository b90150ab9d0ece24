#include "ProfileInteger.h"

#include <limits>

std::optional<qint32> ParseProfileInteger(const QString &text)
{
    QString s = text;
    if (s.size() > 2 && (s.startsWith(QLatin1String("0x")) || s.startsWith(QLatin1String("0X"))))
        s = QLatin1Char('$') + s.mid(2);

    // A sign is allowed only before decimal digits: "-$10" has no value.
    qsizetype pos = 0;
    bool negative = false;
    int base = 10;
    if (pos < s.size() && s[pos] == u'$') {
        base = 16;
        ++pos;
    } else if (pos < s.size() && (s[pos] == u'+' || s[pos] == u'-')) {
        negative = s[pos] == u'-';
        ++pos;
    }
    if (pos == s.size())
        return std::nullopt;

    // The magnitude may reach 2^31 (for the most negative value); stop well
    // before a 64-bit overflow.
    constexpr qint64 kLimit = qint64(1) << 32;
    qint64 magnitude = 0;
    for (; pos < s.size(); ++pos) {
        const char16_t c = s[pos].unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > kLimit)
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

qint32 ProfileIntegerOr(const QString &text, qint32 defaultValue)
{
    return ParseProfileInteger(text).value_or(defaultValue);
}
