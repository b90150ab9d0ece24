// The window's accessibility: each field is named by the label in front of it and
// described by the unit beside it; a drop-down list tells its chosen item, also
// when the arrow keys change it; the device photo is a button named by the prompt
// written on it, whose labels are no objects of their own; the link state tells its
// changes.
#include "Accessibility.h"

#include "Controls.h"
#include "FormTernuSetup.h"
#include "PhotoButton.h"
#include "SpinEdit.h"

#include <QAbstractItemView>
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

// A choice changed with the arrow keys goes unheard on the accessibility bus of
// Linux and the BSDs: the toolkit reports it as a new name and selection of the
// box, which screen readers pass over for a drop-down list. Elsewhere the
// toolkit's own report is heard.
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
constexpr bool kAnnounceChoices = true;
#else
constexpr bool kAnnounceChoices = false;
#endif

// The prompt on the photo is the photo button's name, not objects of its own.
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

// A drop-down list as screen readers read it: the label in front through the
// labelled-by relation, the chosen item as its value. Screen readers on the
// accessibility bus take the value of such a box from its selected child or else
// from its text; the toolkit offers neither, so the chosen item is its text too.
class TAccessibleDropDownList : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TAccessibleDropDownList(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return Chosen();
#ifdef Q_OS_UNIX
        // Named by the chosen item, as the toolkit names it here.
        if (t == QAccessible::Name)
            return Chosen();
#endif
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Box()->view()->isVisible();
        return s;
    }

    // The list of items is its one child.
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == Box()->view() ? 0 : -1;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &actionName) override
    {
        if (actionName != showMenuAction() && actionName != pressAction()) {
            QAccessibleWidget::doAction(actionName);
            return;
        }
        if (Box()->view()->isVisible())
            Box()->hidePopup();
        else
            Box()->showPopup();
    }

    // The chosen item as read-only text without a cursor of its own.
    QString text(int startOffset, int endOffset) const override
    {
        return Chosen().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(Chosen().size()); }
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QComboBox *Box() const { return static_cast<QComboBox *>(widget()); }
    QString Chosen() const { return Box()->currentText(); }
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

// A unit as the description of its field. Screen readers leave a description
// unsaid that the field's name already contains, taking it for a repetition of the
// name; a unit that is only part of a word there ("m" in "Heimhöhe") is set apart
// by a no-break space in front, which is not heard.
QString UnitDescription(const QString &unit, const QString &name)
{
    if (!unit.isEmpty() && name.contains(unit, Qt::CaseInsensitive))
        return QChar(QChar::Nbsp) + unit;
    return unit;
}

// Chosen by class, as the toolkit chooses its own interfaces; the toolkit asks with
// the name of each class from the object's own up to QObject.
QAccessibleInterface *WindowAccessibleFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String(TDropDownList::staticMetaObject.className()))
        return new TAccessibleDropDownList(static_cast<QComboBox *>(object));
    if (className == QLatin1String(TPhotoPrompt::staticMetaObject.className()))
        return new TAccessiblePhotoPrompt(static_cast<QWidget *>(object));
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

void AnnounceChoice(QComboBox *box)
{
    if (!QAccessible::isActive() || !box->hasFocus() || box->view()->isVisible() || box->currentIndex() < 0)
        return;
    // Told as the focus moving to the item, as it does in the open list.
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(box->view());
    QAccessibleTableInterface *rows = list ? list->tableInterface() : nullptr;
    QAccessibleInterface *item = rows ? rows->cellAt(box->currentIndex(), box->modelColumn()) : nullptr;
    if (!item)
        return;
    QAccessibleEvent focus(item, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

void TFTernuSetup::ConnectAccessibility()
{
    for (const auto &[label, field] : LabelledFields())
        label->setBuddy(field);

    if (kAnnounceChoices) {
        for (QComboBox *box : {cboSex, cboLapMode, cboLang})
            connect(box, &QComboBox::currentIndexChanged, this, [box] { AnnounceChoice(box); });
    }

    // The photo is a keyboard stop just before the device buttons.
    imgDevice->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(btnUnits, imgDevice);
    QWidget::setTabOrder(imgDevice, btnSend);

    // The units follow the weight unit and the lap mode; queued, so that they run
    // after the handlers have rewritten the unit labels.
    connect(rgWeight, &TRadioGroup::ItemIndexChanged, this, &TFTernuSetup::UpdateAccessibleTexts,
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
    // Named by the label in front. A drop-down list keeps its own name, its chosen
    // item; its label is told through the labelled-by relation of the label's buddy.
    for (const auto &[label, field] : LabelledFields()) {
        if (!qobject_cast<QComboBox *>(field))
            field->setAccessibleName(WithoutAccessKeys(label->text()));
    }

    // The lap value has only an arrow in front of it: it is named by its lap mode.
    edLapDist->setAccessibleName(cboLapMode->itemText(1));
    edLapTime->setAccessibleName(cboLapMode->itemText(2));

    const std::pair<QWidget *, QLabel *> units[] = {
        {dtpTime, lblTime2}, {edWeight, lbKG},    {edOdo1, lblkm1},     {edWheel1, lblmm1},
        {edOdo2, lblkm2},    {edWheel2, lblmm2},  {edHRUpper, lnlHFU2}, {edHRLower, lnlHFL2},
        {edHomeAlt, lblHAltm}, {edLapDist, lblStop}, {edLapTime, lblStop},
    };
    for (const auto &[field, unit] : units)
        field->setAccessibleDescription(UnitDescription(unit->text(), field->accessibleName()));

    // The unit groups by their own titles, not by the group around them.
    for (TRadioGroup *group : {rgSpeed, rgWeight, rgTemp, rgTime, grpSampleRate})
        group->setAccessibleName(WithoutAccessKeys(group->title()));

    // The photo shows only a picture: the prompt written on it names it.
    QStringList prompt;
    for (const QLabel *line : {lblDev1, lblDev2, lblDev3})
        prompt << line->text().simplified();
    prompt.removeAll(QString());
    imgDevice->setAccessibleName(prompt.join(QLatin1Char(' ')));

    // The gear buttons show only a picture: their hint names them.
    btnWheel1->setAccessibleName(btnWheel1->toolTip());
    btnwheel2->setAccessibleName(btnwheel2->toolTip());
}
