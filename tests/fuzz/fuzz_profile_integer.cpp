// Integers of profile files: any text either has no value or the value its
// digits spell, checked against an independent reading: a sign only before
// decimal digits, "$" or "0x" before hexadecimal ones, nothing else.
#include "ProfileInteger.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool AllDigits(const std::string &s, size_t from, int base)
{
    if (from >= s.size())
        return false;
    for (size_t i = from; i < s.size(); ++i) {
        const char c = s[i];
        const bool digit = (c >= '0' && c <= '9')
                           || (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
        if (!digit)
            return false;
    }
    return true;
}

// The value std::from_chars gives a decimal or unsigned hexadecimal text; no
// value for any other form, a sign before "$" or "0x" among them.
std::optional<std::optional<qint32>> Reference(const std::string &s)
{
    auto parse = [&](size_t from, int base, bool negative) -> std::optional<qint32> {
        // Leading zeros must not count against the range.
        size_t first = from;
        while (first + 1 < s.size() && s[first] == '0')
            ++first;
        if (s.size() - first > 12)
            return std::nullopt;
        long long magnitude = 0;
        std::from_chars(s.data() + first, s.data() + s.size(), magnitude, base);
        const long long value = negative ? -magnitude : magnitude;
        if (value < INT32_MIN || value > INT32_MAX)
            return std::nullopt;
        return qint32(value);
    };
    const bool sign = !s.empty() && (s[0] == '+' || s[0] == '-');
    if (AllDigits(s, sign ? 1 : 0, 10))
        return parse(sign ? 1 : 0, 10, sign && s[0] == '-');
    if (s.size() > 1 && s[0] == '$' && AllDigits(s, 1, 16))
        return parse(1, 16, false);
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X') && AllDigits(s, 2, 16))
        return parse(2, 16, false);
    return std::optional<qint32>{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const std::optional<qint32> value = ParseProfileInteger(QString::fromLatin1(bytes));
    if (const auto expected = Reference(bytes); expected && *expected != value)
        std::abort();
    if (value) {
        // Whatever has a value is made of a sign, "$" or "0x", and digits only.
        for (char c : bytes) {
            if (!std::isxdigit(static_cast<unsigned char>(c)) && c != '+' && c != '-'
                && c != '$' && c != 'x' && c != 'X')
                std::abort();
        }
    }
    return 0;
}
