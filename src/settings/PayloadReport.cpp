#include "PayloadReport.h"

#include "ByteHelpers.h"

namespace {

quint8 At(const QByteArray &p, int offset)
{
    return quint8(p.at(offset));
}

quint32 ThreeBytes(const QByteArray &p, int offset)
{
    return MakeLong(0, At(p, offset + 2), At(p, offset + 1), At(p, offset));
}

int Word(const QByteArray &p, int offset)
{
    return MakeWord(At(p, offset + 1), At(p, offset));
}

QString TwoDigits(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString HexBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QStringList DescribePayload(const QByteArray &p)
{
    if (p.size() != 28)
        return {};
    const quint8 flags = At(p, 26);
    const auto choice = [flags](int bit, const char *set, const char *clear) {
        return QString::fromUtf8(IsBitSet(flags, bit) ? set : clear);
    };
    const QString sampleRate = IsBitSet(flags, 7)   ? QStringLiteral("20 s")
                               : IsBitSet(flags, 6) ? QStringLiteral("10 s")
                                                    : QStringLiteral("5 s");
    const int lapDistTenths = Word(p, 22);
    return {
        QStringLiteral("odometer 1: %1 km, odometer 2: %2 km")
            .arg(ThreeBytes(p, 0)).arg(ThreeBytes(p, 3)),
        QStringLiteral("wheel 1: %1 mm, wheel 2: %2 mm").arg(Word(p, 6)).arg(Word(p, 8)),
        QStringLiteral("rider weight: %1 lb").arg(Word(p, 10)),
        QStringLiteral("home altitude: %1 m").arg(MakeSignedWord(At(p, 13), At(p, 12))),
        QStringLiteral("heart-rate limits: upper %1 bpm, lower %2 bpm").arg(At(p, 14)).arg(At(p, 15)),
        QStringLiteral("clock: %1:%2, date: %3.%4.20%5")
            .arg(TwoDigits(BcdToInt(At(p, 17))), TwoDigits(BcdToInt(At(p, 16))),
                 TwoDigits(BcdToInt(At(p, 18))), TwoDigits(At(p, 19)),
                 TwoDigits(BcdToInt(At(p, 20)))),
        QStringLiteral("lap mode: %1, lap distance: %2.%3 km, lap time: %4:%5")
            .arg(At(p, 21))
            .arg(lapDistTenths / 10)
            .arg(lapDistTenths % 10)
            .arg(At(p, 25))
            .arg(TwoDigits(BcdToInt(At(p, 24)))),
        QStringLiteral("flags %1: %2, %3, %4, %5, %6, sample rate %7")
            .arg(QStringLiteral("%1").arg(flags, 2, 16, QLatin1Char('0')).toUpper(),
                 choice(1, "female", "male"), choice(2, "m/h", "km/h"),
                 choice(3, "kg", "lb"), choice(4, "°F", "°C"), choice(5, "24 h", "12 h"),
                 sampleRate),
    };
}
