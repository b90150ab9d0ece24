#pragma once
#include <QString>

#include <cstddef>
#include <cstdint>

// Fuzz input as text: every two bytes one UTF-16 unit, so that NULs, control
// characters and lone surrogates all occur.
inline QString UnitsOf(const uint8_t *data, size_t size)
{
    QString text;
    text.reserve(qsizetype(size / 2));
    for (size_t i = 0; i + 1 < size; i += 2)
        text.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
    return text;
}

// Reads small numbers off the front of the input; 0 once it is used up.
class TInputReader {
public:
    TInputReader(const uint8_t *data, size_t size) : FData(data), FSize(size) {}

    // A number from min to max (inclusive).
    int InRange(int min, int max)
    {
        const uint32_t span = uint32_t(max - min) + 1;
        uint32_t raw = 0;
        for (uint32_t bits = 0; bits < 32 && ((span - 1) >> bits) != 0; bits += 8)
            raw = (raw << 8) | Next();
        return min + int(raw % span);
    }
    bool Flag() { return Next() & 1; }
    size_t Left() const { return FSize; }
    const uint8_t *Rest() const { return FData; }

private:
    uint8_t Next()
    {
        if (FSize == 0)
            return 0;
        --FSize;
        return *FData++;
    }

    const uint8_t *FData;
    size_t FSize;
};
