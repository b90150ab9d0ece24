// The device settings on the window's controls: reading and writing the record,
// the editing rules, the payload and the settings text.
#include "FormTernuSetup.h"

#include "Controls.h"
#include "SettingsPayload.h"
#include "SettingsRules.h"
#include "SettingsText.h"
#include "SpinEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QToolButton>

#include <functional>
#include <utility>

namespace {

// Applies a settings text to the controls, running the window's own handlers for
// the steps that are more than storing a value.
class TWindowSettingsTarget : public ISettingsTextTarget {
public:
    TWindowSettingsTarget(QComboBox *sex, QCheckBox *pcTime, std::function<void()> sexChanged)
        : FSex(sex), FPCTime(pcTime), FSexChanged(std::move(sexChanged))
    {
    }

    // The weight already comes in the text's unit; SettingsToControls shows both.
    void WeightUnitChanged(DeviceSettings &) override {}

    void SexChanged(const DeviceSettings &s) override
    {
        {
            const QSignalBlocker block(FSex);
            FSex->setCurrentIndex(s.Sex);
        }
        FSexChanged();
    }

    void PCTimeChanged(const DeviceSettings &s) override
    {
        FPCTime->setChecked(s.PCTime);  // runs chkPCTimeClick
    }

private:
    QComboBox *FSex;
    QCheckBox *FPCTime;
    std::function<void()> FSexChanged;  // the window's cboSexChange
};

}  // namespace

void TFTernuSetup::ConnectSettingsHandlers()
{
    ConnectGuarded(btnUnits, &QPushButton::clicked, &TFTernuSetup::btnUnitsClick);
    ConnectGuarded(rgWeight, &TRadioGroup::ItemIndexChanged, &TFTernuSetup::rgWeightClick);
    ConnectGuarded(btnWheel1, &QToolButton::clicked, &TFTernuSetup::btnWheel1Click);
    ConnectGuarded(btnwheel2, &QToolButton::clicked, &TFTernuSetup::btnwheel2Click);
    ConnectGuarded(mnuWheel, &QMenu::triggered, &TFTernuSetup::N700x20c1Click);
    // Emitted when the field loses the focus (and on Enter, which moves it on).
    ConnectGuarded(edHRLower, &TSpinEdit::editingFinished, &TFTernuSetup::edHRLowerExit);
    ConnectGuarded(edHRUpper, &TSpinEdit::editingFinished, &TFTernuSetup::edHRUpperExit);
    // activated: only a choice by the user, never a change made by the program.
    ConnectGuarded(cboLapMode, &QComboBox::activated, &TFTernuSetup::cboLapModeChange);
    ConnectGuarded(cboSex, &QComboBox::activated, &TFTernuSetup::cboSexChange);
    // Programmatic changes of the lap time are made under a signal blocker.
    ConnectGuarded(edLapTime, &QTimeEdit::timeChanged, &TFTernuSetup::edLapTimeChange);
}

DeviceSettings TFTernuSetup::SettingsFromControls() const
{
    // A number still being typed counts as what the field will show once left.
    for (QAbstractSpinBox *field : std::initializer_list<QAbstractSpinBox *>{
             edOdo1, edWheel1, edOdo2, edWheel2, edWeight, edHRUpper, edHRLower, edHomeAlt, edLapDist})
        field->interpretText();

    DeviceSettings s(QDateTime(dtpDate->date(), dtpTime->time()));
    s.Odo1 = edOdo1->value();
    s.Wheel1 = edWheel1->value();
    s.Odo2 = edOdo2->value();
    s.Wheel2 = edWheel2->value();
    s.Sex = qMax(0, cboSex->currentIndex());
    s.Weight = edWeight->value();
    s.PCTime = chkPCTime->isChecked();
    const int lapMode = cboLapMode->currentIndex();
    s.LapMode = lapMode >= 0 ? lapMode : qMax(0, FForeignLapMode);
    s.LapDist = edLapDist->value();
    s.LapTime = edLapTime->time();
    s.HRUpper = edHRUpper->value();
    s.HRLower = edHRLower->value();
    s.SampleRate = grpSampleRate->ItemIndex();
    s.HomeAlt = edHomeAlt->value();
    s.SpeedUnit = rgSpeed->ItemIndex();
    s.WeightUnit = rgWeight->ItemIndex();
    s.TempUnit = rgTemp->ItemIndex();
    s.TimeFormat = rgTime->ItemIndex();
    return s;
}

void TFTernuSetup::SettingsToControls(const DeviceSettings &s)
{
    // The units first: a change of the weight unit converts the weight shown and
    // moves the field's range, then the record's weight replaces it.
    rgSpeed->SetItemIndex(s.SpeedUnit);
    rgWeight->SetItemIndex(s.WeightUnit);
    rgTemp->SetItemIndex(s.TempUnit);
    rgTime->SetItemIndex(s.TimeFormat);
    grpSampleRate->SetItemIndex(s.SampleRate);

    edOdo1->setValue(s.Odo1);
    edWheel1->setValue(s.Wheel1);
    edOdo2->setValue(s.Odo2);
    edWheel2->setValue(s.Wheel2);
    edWeight->setValue(s.Weight);
    edHRUpper->setValue(s.HRUpper);
    edHRLower->setValue(s.HRLower);
    edHomeAlt->setValue(s.HomeAlt);
    edLapDist->setValue(s.LapDist);
    {
        const QSignalBlocker blockSex(cboSex), blockLapMode(cboLapMode), blockLapTime(edLapTime);
        cboSex->setCurrentIndex(s.Sex);
        // A lap mode outside the list shows no mode and is kept to be sent back as it came.
        const bool listed = s.LapMode >= 0 && s.LapMode < cboLapMode->count();
        cboLapMode->setCurrentIndex(listed ? s.LapMode : -1);
        FForeignLapMode = listed ? -1 : s.LapMode;
        edLapTime->setTime(s.LapTime);
    }
    chkPCTime->setChecked(s.PCTime);  // runs chkPCTimeClick when it changes
}

void TFTernuSetup::btnUnitsClick()
{
    DeviceSettings s = SettingsFromControls();
    SettingsRules::SwitchUnits(s, FUnitToggle);
    rgSpeed->SetItemIndex(s.SpeedUnit);
    rgWeight->SetItemIndex(s.WeightUnit);  // runs rgWeightClick when the unit changes
    rgTemp->SetItemIndex(s.TempUnit);
    rgTime->SetItemIndex(s.TimeFormat);
    UpdateWeightUnit();
}

void TFTernuSetup::rgWeightClick()
{
    UpdateWeightUnit();
}

void TFTernuSetup::UpdateWeightUnit()
{
    edWeight->interpretText();
    DeviceSettings s;
    s.Weight = edWeight->value();
    s.WeightUnit = rgWeight->ItemIndex();
    SettingsRules::UpdateWeightUnit(s, FLastWeightUnit);
    lbKG->setText(SettingsRules::WeightUnitLabel(s.WeightUnit));
    lbKG->adjustSize();
    // The field never holds more than the device takes, in either unit.
    const TIntRange range = SettingsRanges::WeightIn(s.WeightUnit);
    edWeight->setRange(range.Min, range.Max);
    edWeight->setValue(s.Weight);
}

namespace {
// The bottom-left corner of a button, on the screen.
QPoint BelowButton(const QWidget *button)
{
    return button->parentWidget()->mapToGlobal(QPoint(button->x(), button->y() + button->height()));
}
}  // namespace

void TFTernuSetup::btnWheel1Click()
{
    FWheelTarget = 1;
    mnuWheel->popup(BelowButton(btnWheel1));
}

void TFTernuSetup::btnwheel2Click()
{
    FWheelTarget = 2;
    mnuWheel->popup(BelowButton(btnwheel2));
}

void TFTernuSetup::N700x20c1Click(QAction *item)
{
    if (!item)
        return;
    const int circumference = item->data().toInt();
    if (FWheelTarget == 1)
        edWheel1->setValue(circumference);
    else if (FWheelTarget == 2)
        edWheel2->setValue(circumference);
}

void TFTernuSetup::edHRLowerExit()
{
    if (edHRLower->value() > edHRUpper->value())
        edHRLower->setValue(edHRUpper->value());
}

void TFTernuSetup::edHRUpperExit()
{
    if (edHRUpper->value() < edHRLower->value())
        edHRUpper->setValue(edHRLower->value());
}

void TFTernuSetup::cboLapModeChange()
{
    const int index = cboLapMode->currentIndex();
    const auto view = SettingsRules::LapModeDisplay(index >= 0 ? index : FForeignLapMode);
    if (!view)
        return;
    edLapDist->setVisible(view->ShowDistance);
    edLapTime->setVisible(view->ShowTime);
    lblLapMode->setVisible(view->ShowArrow);
    lblStop->setText(view->UnitLabel);
    lblStop->adjustSize();
}

void TFTernuSetup::edLapTimeChange()
{
    const QTime typed = edLapTime->time();
    const QTime allowed = SettingsRules::LapTimeRule(typed);
    if (allowed != typed) {
        const QSignalBlocker block(edLapTime);
        edLapTime->setTime(allowed);
    }
}

void TFTernuSetup::cboSexChange()
{
    UpdateSexImage();
}

void TFTernuSetup::UpdateSexImage()
{
    imgUserSex->setPixmap(imgSex.value(cboSex->currentIndex()));
}

void TFTernuSetup::BuildSettings()
{
    DeviceSettings s = SettingsFromControls();
    FBuiltPayload = TSettingsPayload();
    ::BuildSettings(s, FBuiltPayload);
    SettingsToControls(s);  // the corrections become visible
}

void TFTernuSetup::ApplySettingsText(const QString &text)
{
    if (text.isEmpty())
        return;
    // A load never reports: whatever fails ends it quietly.
    try {
        DeviceSettings s = SettingsFromControls();
        TWindowSettingsTarget target(cboSex, chkPCTime, [this] { cboSexChange(); });
        ::ApplySettingsText(text, s, target);
        SettingsToControls(s);
    } catch (const std::exception &) {
    }
}
