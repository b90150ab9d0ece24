// The window's accessibility: each field is named by the label in front of it and
// described by the unit beside it; the device photo and its three prompt labels are
// one button that starts the connection test; the link state tells its changes.
#include "Accessibility.h"

#include "Controls.h"
#include "FormTernuSetup.h"
#include "SpinEdit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>

namespace {

const QStringList kPromptLabels = {QStringLiteral("lblDev1"), QStringLiteral("lblDev2"), QStringLiteral("lblDev3")};

// The device photo: a button named by the prompt written on it.
class TAccessiblePhoto : public QAccessibleWidget {
public:
    explicit TAccessiblePhoto(TClickLabel *photo) : QAccessibleWidget(photo, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
            return QAccessibleWidget::text(t);
        QStringList words;
        for (const QString &name : kPromptLabels) {
            if (auto *label = widget()->parentWidget()->findChild<QLabel *>(name, Qt::FindDirectChildrenOnly))
                words << label->text().simplified();
        }
        words.removeAll(QString());
        return words.join(QLatin1Char(' '));
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName != pressAction()) {
            QAccessibleWidget::doAction(actionName);
            return;
        }
        if (widget()->isEnabled())
            emit static_cast<TClickLabel *>(widget())->clicked();
    }
};

// The prompt labels on the photo are part of its button, not objects of their own.
class TAccessiblePhotoPrompt : public QAccessibleWidget {
public:
    explicit TAccessiblePhotoPrompt(QWidget *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        return s;
    }
    QStringList actionNames() const override { return {}; }
};

// A caption as it reads: "&&" is one "&", a single "&" marks the access key.
QString WithoutAccessKeys(const QString &caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

QAccessibleInterface *WindowAccessibleFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    const QString name = object->objectName();
    if (className == QLatin1String("TClickLabel")) {
        if (name == QLatin1String("imgDevice"))
            return new TAccessiblePhoto(static_cast<TClickLabel *>(object));
        if (kPromptLabels.contains(name))
            return new TAccessiblePhotoPrompt(static_cast<QWidget *>(object));
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(WindowAccessibleFactory);
        return true;
    }();
    (void)installed;
}

void AnnounceLabelChange(QLabel *label)
{
    QAccessibleEvent changed(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void TFTernuSetup::ConnectAccessibility()
{
    InstallAccessibleFactory();

    for (const auto &[label, field] : LabelledFields())
        label->setBuddy(field);

    // The photo is a keyboard stop just before the device buttons.
    imgDevice->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(btnUnits, imgDevice);
    QWidget::setTabOrder(imgDevice, btnSend);

    // The units follow the weight unit and the lap mode; queued, so that they run
    // after the handlers have rewritten the unit labels.
    connect(rgWeight, &TRadioGroup::itemIndexChanged, this, &TFTernuSetup::UpdateAccessibleTexts,
            Qt::QueuedConnection);
    connect(cboLapMode, &QComboBox::currentIndexChanged, this, &TFTernuSetup::UpdateAccessibleTexts,
            Qt::QueuedConnection);
    UpdateAccessibleTexts();
}

QList<std::pair<QLabel *, QWidget *>> TFTernuSetup::LabelledFields() const
{
    return {
        {lblTime, dtpTime},    {lblDate, dtpDate},    {lblSex, cboSex},      {lblUWeight, edWeight},
        {lblOdo1, edOdo1},     {lblWSize1, edWheel1}, {lblOdo2, edOdo2},     {lblWSize2, edWheel2},
        {lblMode, cboLapMode}, {lblHFU, edHRUpper},   {lblHFL, edHRLower},   {lblHAlt, edHomeAlt},
        {lblLang, cboLang},    {lblMonitor, moMonitor},
    };
}

void TFTernuSetup::UpdateAccessibleTexts()
{
    // Named by the label in front; a drop-down list would otherwise be named by
    // its chosen item.
    for (const auto &[label, field] : LabelledFields())
        field->setAccessibleName(WithoutAccessKeys(label->text()));

    const std::pair<QWidget *, QLabel *> units[] = {
        {dtpTime, lblTime2}, {edWeight, lbKG},    {edOdo1, lblkm1},     {edWheel1, lblmm1},
        {edOdo2, lblkm2},    {edWheel2, lblmm2},  {edHRUpper, lnlHFU2}, {edHRLower, lnlHFL2},
        {edHomeAlt, lblHAltm}, {edLapDist, lblStop}, {edLapTime, lblStop},
    };
    for (const auto &[field, unit] : units)
        field->setAccessibleDescription(unit->text());

    // The unit groups by their own titles, not by the group around them.
    for (TRadioGroup *group : {rgSpeed, rgWeight, rgTemp, rgTime, grpSampleRate})
        group->setAccessibleName(WithoutAccessKeys(group->title()));

    // The lap value has only an arrow in front of it: it is named by its lap mode.
    edLapDist->setAccessibleName(cboLapMode->itemText(1));
    edLapTime->setAccessibleName(cboLapMode->itemText(2));

    // The gear buttons show only a picture: their hint names them.
    btnWheel1->setAccessibleName(btnWheel1->toolTip());
    btnwheel2->setAccessibleName(btnwheel2->toolTip());
}
