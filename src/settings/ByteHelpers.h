#pragma once
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <cstdint>
#include <stdexcept>

// Small stateless helpers for the device's byte layout: little-endian words,
// BCD bytes, bit flags and the two roundings the settings codec uses.

// A text that is not a hexadecimal number.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TWordBytes {
    quint8 Hi = 0;
    quint8 Lo = 0;
};

// Negative values are taken as their 16-bit two's complement (v + 65536).
// Values from -32768 to 65535 split exactly; outside that only the low 16 bits count.
TWordBytes SplitWord(qint64 v);

// {b3, b2, b1, b0}, b3 the most significant byte of the low 32 bits of v.
std::array<quint8, 4> SplitLong(qint64 v);

quint32 MakeLong(quint8 a, quint8 b, quint8 c, quint8 d);
int MakeWord(quint8 hi, quint8 lo);
int MakeSignedWord(quint8 hi, quint8 lo);

bool IsBitSet(quint32 v, int bit);
quint32 SetBit(quint32 v, int bit);

// The text as hexadecimal digits (either case, no sign, no prefix, at most 8 digits).
// Throws EConvertError for anything else, including the empty text.
quint32 HexToInt(QStringView s);

// A BCD byte read back as a number: 0x45 gives 45. A byte with a digit above 9
// is not BCD and is returned as it is (0x3B gives 59).
int BcdToInt(quint8 b);

// The BCD byte of n; n is limited to 0..99 first.
quint8 IntToBcd(int n);

// Nearest integer, ties to even (22.5 gives 22, 23.5 gives 24).
qint64 Round(double x);

// Nearest integer, ties away from zero (2.5 gives 3, -2.5 gives -3).
qint64 RoundHalfAway(double x);
