#include "SpinEdit.h"

#include <QLineEdit>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

// A sign alone, or nothing, is a number still being typed.
bool IsUnfinishedNumber(const QString &text)
{
    return text.isEmpty() || text == QLatin1String("-") || text == QLatin1String("+");
}

}  // namespace

TSpinEdit::TSpinEdit(QWidget *parent) : QSpinBox(parent)
{
    setSingleStep(1);
}

void TSpinEdit::setValueRounded(double value)
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
    bool ok = false;
    const qlonglong typed = locale().toLongLong(text, &ok);
    if (!ok)
        return QValidator::Invalid;
    if (typed >= minimum() && typed <= maximum())
        return QValidator::Acceptable;
    if (FCropMode == TCropMode::CropOnLeave)
        return QValidator::Intermediate;  // fixup() crops when the field is left
    input = textFromValue(int(std::clamp<qlonglong>(typed, minimum(), maximum())));
    pos = int(input.size());
    return QValidator::Acceptable;
}

void TSpinEdit::fixup(QString &input) const
{
    bool ok = false;
    const qlonglong typed = locale().toLongLong(input.trimmed(), &ok);
    if (ok)
        input = textFromValue(int(std::clamp<qlonglong>(typed, minimum(), maximum())));
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
    const qsizetype at = text.indexOf(point);
    if (at >= 0 && text.size() - at - point.size() > decimals())
        return QValidator::Invalid;
    if (text.endsWith(point))
        return QValidator::Intermediate;
    bool ok = false;
    const double typed = locale().toDouble(text, &ok);
    if (!ok || text.contains(locale().groupSeparator()))
        return QValidator::Invalid;
    if (typed >= minimum() && typed <= maximum())
        return QValidator::Acceptable;
    if (FCropMode == TCropMode::CropOnLeave)
        return QValidator::Intermediate;
    input = textFromValue(std::clamp(typed, minimum(), maximum()));
    pos = int(input.size());
    return QValidator::Acceptable;
}

void TFloatSpinEdit::fixup(QString &input) const
{
    bool ok = false;
    const double typed = locale().toDouble(input.trimmed(), &ok);
    if (ok)
        input = textFromValue(std::clamp(typed, minimum(), maximum()));
}
