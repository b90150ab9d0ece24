#pragma once
#include <QDoubleSpinBox>
#include <QSpinBox>

// When a typed value outside the field's range is replaced by the nearest bound.
enum class TCropMode {
    CropWhileTyping,  // after every change of the text
    CropOnLeave,      // when the field loses the focus
};

// A whole-number field that accepts any typed number and crops it to its range,
// instead of refusing the keystroke. Values set by the program are always cropped.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget *parent = nullptr);

    void SetCropMode(TCropMode mode) { FCropMode = mode; }
    TCropMode CropMode() const { return FCropMode; }

    // Rounds halves away from zero (2.5 -> 3, -2.5 -> -3), then crops.
    void SetValueRounded(double value);

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    TCropMode FCropMode = TCropMode::CropWhileTyping;
};

// The same for the one decimal field; two decimals, more typed ones rounded away.
class TFloatSpinEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit TFloatSpinEdit(QWidget *parent = nullptr);

    void SetCropMode(TCropMode mode) { FCropMode = mode; }
    TCropMode CropMode() const { return FCropMode; }

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    TCropMode FCropMode = TCropMode::CropOnLeave;
};
