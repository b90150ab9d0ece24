#include "ByteHelpers.h"

#include <algorithm>
#include <cmath>
#include <limits>

TWordBytes SplitWord(qint64 v)
{
    const quint16 word = static_cast<quint16>(v & 0xFFFF);
    return {static_cast<quint8>(word >> 8), static_cast<quint8>(word & 0xFF)};
}

std::array<quint8, 4> SplitLong(qint64 v)
{
    const quint32 u = static_cast<quint32>(v & 0xFFFFFFFF);
    const TWordBytes high = SplitWord(u >> 16);
    const TWordBytes low = SplitWord(u & 0xFFFF);
    return {high.Hi, high.Lo, low.Hi, low.Lo};
}

quint32 MakeLong(quint8 a, quint8 b, quint8 c, quint8 d)
{
    return (quint32(a) << 24) | (quint32(b) << 16) | (quint32(c) << 8) | quint32(d);
}

int MakeWord(quint8 hi, quint8 lo)
{
    return 256 * hi + lo;
}

int MakeSignedWord(quint8 hi, quint8 lo)
{
    const int v = MakeWord(hi, lo);
    return hi > 127 ? v - 65536 : v;
}

bool IsBitSet(quint32 v, int bit)
{
    return bit >= 0 && bit < 32 && (v >> bit) & 1u;
}

quint32 SetBit(quint32 v, int bit)
{
    return (bit >= 0 && bit < 32) ? v | (1u << bit) : v;
}

namespace {
int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}
}  // namespace

quint32 HexToInt(QStringView s)
{
    if (s.isEmpty() || s.size() > 8)
        throw EConvertError("'" + s.toString().toStdString() + "' is not a valid hexadecimal number");
    quint32 value = 0;
    for (QChar c : s) {
        const int digit = HexDigit(c);
        if (digit < 0)
            throw EConvertError("'" + s.toString().toStdString() + "' is not a valid hexadecimal number");
        value = (value << 4) | quint32(digit);
    }
    return value;
}

int BcdToInt(quint8 b)
{
    const int high = b >> 4;
    const int low = b & 0x0F;
    if (high > 9 || low > 9)
        return b;
    return high * 10 + low;
}

quint8 IntToBcd(int n)
{
    n = qBound(0, n, 99);
    return static_cast<quint8>(((n / 10) << 4) | (n % 10));
}

namespace {
// Keeps a conversion to an integer defined for any double (NaN gives 0).
qint64 ToInteger(double x)
{
    if (std::isnan(x))
        return 0;
    constexpr double limit = 9.0e18;
    return static_cast<qint64>(std::clamp(x, -limit, limit));
}
}  // namespace

qint64 Round(double x)
{
    const double below = std::floor(x);
    const double fraction = x - below;
    double result = below;
    if (fraction > 0.5)
        result = below + 1;
    else if (fraction == 0.5)
        result = std::fmod(below, 2.0) == 0 ? below : below + 1;
    return ToInteger(result);
}

// Decided on the exact fraction rather than by the C library's round(), which
// some libraries get wrong just below one half.
qint64 RoundHalfAway(double x)
{
    const double below = std::floor(x);
    const double fraction = x - below;  // exact
    double result = below;
    if (fraction > 0.5 || (fraction == 0.5 && x > 0))
        result = below + 1;
    return ToInteger(result);
}
