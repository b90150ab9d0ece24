#include "SpinEdit.h"

#include <QLineEdit>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// A sign alone, or nothing, is a number still being typed.
bool IsUnfinishedNumber(const QString &text)
{
    return text.isEmpty() || text == QLatin1String("-") || text == QLatin1String("+");
}

// Plain digits, with a sign and a decimal part at most: a number even when it is
// too large for any type, which then counts as the farthest value of its sign.
bool IsPlainNumber(const QString &text, const QString &point)
{
    qsizetype pos = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    const qsizetype firstDigit = pos;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9')
        ++pos;
    if (pos == firstDigit)
        return false;
    if (!point.isEmpty() && QStringView(text).mid(pos).startsWith(point)) {
        pos += point.size();
        while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9')
            ++pos;
    }
    return pos == text.size();
}

// A typed number for a whole-number field. Decimals are rounded away, halves away
// from zero; a number too large for any type counts as the farthest value of its sign.
std::optional<qlonglong> TypedInteger(const QLocale &locale, QString text)
{
    bool ok = false;
    const qlonglong typed = locale.toLongLong(text, &ok);
    if (ok)
        return typed;
    const QString point = locale.decimalPoint();
    if (!IsPlainNumber(text, point))
        return std::nullopt;
    if (text.endsWith(point))
        text.chop(point.size());
    const double value = locale.toDouble(text, &ok);
    constexpr double kWithinLongLong = 9.0e18;
    if (ok && std::abs(value) < kWithinLongLong)
        return qlonglong(std::round(value));
    return text.startsWith(u'-') ? std::numeric_limits<qlonglong>::min() : std::numeric_limits<qlonglong>::max();
}

// A typed decimal number, rounded to the decimals the field shows.
std::optional<double> TypedDecimal(const QLocale &locale, const QString &text, int decimals)
{
    if (text.contains(locale.groupSeparator()))
        return std::nullopt;
    bool ok = false;
    const double typed = locale.toDouble(text, &ok);
    if (ok && std::isfinite(typed)) {
        const double scale = std::pow(10.0, decimals);
        return std::round(typed * scale) / scale;
    }
    if (IsPlainNumber(text, locale.decimalPoint()))
        return text.startsWith(u'-') ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    return std::nullopt;
}

}  // namespace

TSpinEdit::TSpinEdit(QWidget *parent) : QSpinBox(parent)
{
    setSingleStep(1);
}

void TSpinEdit::SetValueRounded(double value)
{
    if (std::isnan(value))
        return;
    const double cropped = std::clamp(value, double(minimum()), double(maximum()));
    setValue(int(std::round(cropped)));  // std::round: halves away from zero
}

QValidator::State TSpinEdit::validate(QString &input, int &pos) const
{
    const QString text = input.trimmed();
    if (IsUnfinishedNumber(text))
        return QValidator::Intermediate;
    const QString point = locale().decimalPoint();
    if (text.endsWith(point) && text.indexOf(point) == text.size() - point.size())
        return QValidator::Intermediate;  // decimals may follow; they are rounded away
    const std::optional<qlonglong> typed = TypedInteger(locale(), text);
    if (!typed)
        return QValidator::Invalid;
    // Decimals in a whole-number field are rounded away like a value out of range.
    if (!text.contains(point) && *typed >= minimum() && *typed <= maximum())
        return QValidator::Acceptable;
    if (FCropMode == TCropMode::CropOnLeave)
        return QValidator::Intermediate;  // fixup() crops when the field is left
    input = textFromValue(int(std::clamp<qlonglong>(*typed, minimum(), maximum())));
    pos = int(input.size());
    return QValidator::Acceptable;
}

void TSpinEdit::fixup(QString &input) const
{
    if (const std::optional<qlonglong> typed = TypedInteger(locale(), input.trimmed()))
        input = textFromValue(int(std::clamp<qlonglong>(*typed, minimum(), maximum())));
}

TFloatSpinEdit::TFloatSpinEdit(QWidget *parent) : QDoubleSpinBox(parent)
{
    setDecimals(2);
    setSingleStep(1);
}

QValidator::State TFloatSpinEdit::validate(QString &input, int &pos) const
{
    const QString text = input.trimmed();
    if (IsUnfinishedNumber(text))
        return QValidator::Intermediate;
    const QString point = locale().decimalPoint();
    if (text.endsWith(point))
        return QValidator::Intermediate;
    const std::optional<double> typed = TypedDecimal(locale(), text, decimals());
    if (!typed)
        return QValidator::Invalid;
    // More decimals than the field shows are rounded away like a value out of range.
    const qsizetype at = text.indexOf(point);
    const bool extraDecimals = at >= 0 && text.size() - at - point.size() > decimals();
    if (!extraDecimals && *typed >= minimum() && *typed <= maximum())
        return QValidator::Acceptable;
    if (FCropMode == TCropMode::CropOnLeave)
        return QValidator::Intermediate;
    input = textFromValue(std::clamp(*typed, minimum(), maximum()));
    pos = int(input.size());
    return QValidator::Acceptable;
}

void TFloatSpinEdit::fixup(QString &input) const
{
    if (const std::optional<double> typed = TypedDecimal(locale(), input.trimmed(), decimals()))
        input = textFromValue(std::clamp(*typed, minimum(), maximum()));
}
