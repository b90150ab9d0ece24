#pragma once
#include "DeviceSettings.h"

#include <QString>
#include <QtGlobal>

// Reading a settings text (fixed-width big-endian hexadecimal fields, see
// TSettingsPayload) back into the settings record.

// Reads the fields of one text in order. Nothing in the text marks where a field
// begins: every read consumes its width, whatever the characters are.
class TSettingsTextReader {
public:
    explicit TSettingsTextReader(QString text) : FText(std::move(text)) {}

    // width 2, 4 or 6; isSigned only matters for width 4. A field with a character
    // that is not a hexadecimal digit, or that runs past the end of the text, reads
    // as 0. The position advances by `width` in every case.
    qint64 ReadField(int width, bool isSigned = false);

    quint16 Position() const { return FPos; }

private:
    QString FText;
    quint16 FPos = 0;
};

// What applying a text needs from whoever holds the settings, for the steps that
// are more than storing a value.
class ISettingsTextTarget {
public:
    virtual ~ISettingsTextTarget() = default;
    // WeightUnit has just taken a new value; Weight is already in it.
    virtual void WeightUnitChanged(DeviceSettings &s) = 0;
    // Sex has just been set (changed or not).
    virtual void SexChanged(const DeviceSettings &s) = 0;
    // PCTime has just taken a new value.
    virtual void PCTimeChanged(const DeviceSettings &s) = 0;
};

// A record with no window: remembers the unit the weight is expressed in.
class TRecordSettingsTarget : public ISettingsTextTarget {
public:
    explicit TRecordSettingsTarget(quint8 lastWeightUnit) : FLastWeightUnit(lastWeightUnit) {}

    void WeightUnitChanged(DeviceSettings &s) override;
    void SexChanged(const DeviceSettings &) override {}
    void PCTimeChanged(const DeviceSettings &) override {}

    quint8 LastWeightUnit() const { return FLastWeightUnit; }

private:
    quint8 FLastWeightUnit;
};

// Applies a settings text to the record. An empty text changes nothing. Every
// value is cropped to its field; the clock and calendar are left as they are.
// The stored weight is in pounds (1 to 485): a text that names lb keeps it as it
// stands, one that names kg has it converted to kg once. The result does not
// depend on the unit the record had before.
// Any text decodes, whatever its length or characters.
void ApplySettingsText(const QString &text, DeviceSettings &s, ISettingsTextTarget &target);

// The same for a record without a window, whose weight is in the unit it names.
void ApplySettingsText(const QString &text, DeviceSettings &s);
