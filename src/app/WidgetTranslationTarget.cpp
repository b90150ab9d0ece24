#include "WidgetTranslationTarget.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace {

enum class Property { None, Caption, Hint, Items, Lines, HtmlText, Text };

Property propertyOf(const QString &name)
{
    static const struct {
        const char *name;
        Property property;
    } kNames[] = {
        {"Caption", Property::Caption}, {"Hint", Property::Hint},
        {"Items", Property::Items},     {"Lines", Property::Lines},
        {"HTMLText", Property::HtmlText}, {"Text", Property::Text},
    };
    for (const auto &entry : kNames) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.property;
    }
    return Property::None;
}

const char *const kPictureProperty = "ternuPicture";

bool isPicture(QObject *object)
{
    return object->property(kPictureProperty).toBool();
}

QLabel *richLabel(QObject *object)
{
    auto *label = qobject_cast<QLabel *>(object);
    return label && label->textFormat() == Qt::RichText ? label : nullptr;
}

QComboBox *editableCombo(QObject *object)
{
    auto *combo = qobject_cast<QComboBox *>(object);
    return combo && combo->isEditable() ? combo : nullptr;
}

QStringList linesOf(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

// The kind of a property of one object, before any text is read or written.
TranslationTarget::PropertyKind kindOf(QObject *object, Property property)
{
    using Kind = TranslationTarget::PropertyKind;
    switch (property) {
    case Property::Caption:
        if (isPicture(object))
            return Kind::None;
        if (qobject_cast<QAbstractButton *>(object) || qobject_cast<QGroupBox *>(object)
            || qobject_cast<QMenu *>(object) || qobject_cast<QAction *>(object)
            || (qobject_cast<QLabel *>(object) && !richLabel(object)))
            return Kind::Text;
        if (auto *widget = qobject_cast<QWidget *>(object); widget && widget->isWindow())
            return Kind::Text;
        return Kind::None;
    case Property::Hint:
        return qobject_cast<QWidget *>(object) || qobject_cast<QAction *>(object) ? Kind::Text : Kind::None;
    case Property::Items:
        return qobject_cast<QComboBox *>(object) ? Kind::Lines : Kind::None;
    case Property::Lines:
        return qobject_cast<QPlainTextEdit *>(object) ? Kind::Lines : Kind::None;
    case Property::HtmlText:
        return richLabel(object) ? Kind::Lines : Kind::None;
    case Property::Text:
        return editableCombo(object) || qobject_cast<QLineEdit *>(object) ? Kind::Text : Kind::None;
    case Property::None:
        break;
    }
    return Kind::None;
}

}  // namespace

void MarkAsPicture(QWidget *picture)
{
    picture->setProperty(kPictureProperty, true);
}

TWidgetTranslationTarget::TWidgetTranslationTarget(QWidget *window) : FWindow(window) {}

void TWidgetTranslationTarget::addTextField(const QString &control, const QString &property, QString *text)
{
    FFields.append({control, property, text});
}

QString *TWidgetTranslationTarget::field(const QString &control, const QString &property) const
{
    for (const Field &f : FFields) {
        if (f.control.compare(control, Qt::CaseInsensitive) == 0
            && f.property.compare(property, Qt::CaseInsensitive) == 0)
            return f.text;
    }
    return nullptr;
}

QObject *TWidgetTranslationTarget::object(const QString &control) const
{
    if (control.isEmpty())
        return FWindow;
    // The language files spell the names as the window does: looked up as they
    // stand first, which needs no list of the window's hundreds of objects.
    // The names are unique in any case, so either way finds the same control.
    if (QObject *named = FWindow->findChild<QObject *>(control))
        return named;
    const QList<QObject *> children = FWindow->findChildren<QObject *>();
    for (QObject *child : children) {
        if (child->objectName().compare(control, Qt::CaseInsensitive) == 0)
            return child;
    }
    return nullptr;
}

bool TWidgetTranslationTarget::hasControl(const QString &control) const
{
    for (const Field &f : FFields) {
        if (f.control.compare(control, Qt::CaseInsensitive) == 0)
            return true;
    }
    return object(control) != nullptr;
}

TranslationTarget::PropertyKind TWidgetTranslationTarget::propertyKind(const QString &control,
                                                                       const QString &property) const
{
    if (field(control, property))
        return PropertyKind::Text;
    QObject *target = object(control);
    return target ? kindOf(target, propertyOf(property)) : PropertyKind::None;
}

QString TWidgetTranslationTarget::text(const QString &control, const QString &property) const
{
    if (QString *f = field(control, property))
        return *f;
    QObject *target = object(control);
    switch (propertyOf(property)) {
    case Property::Caption:
        if (auto *button = qobject_cast<QAbstractButton *>(target))
            return button->text();
        if (auto *group = qobject_cast<QGroupBox *>(target))
            return group->title();
        if (auto *menu = qobject_cast<QMenu *>(target))
            return menu->title();
        if (auto *action = qobject_cast<QAction *>(target))
            return action->text();
        if (auto *label = qobject_cast<QLabel *>(target))
            return label->text();
        if (auto *widget = qobject_cast<QWidget *>(target))
            return widget->windowTitle();
        break;
    case Property::Hint:
        if (auto *action = qobject_cast<QAction *>(target))
            return action->toolTip();
        if (auto *widget = qobject_cast<QWidget *>(target))
            return widget->toolTip();
        break;
    case Property::Text:
        if (auto *combo = qobject_cast<QComboBox *>(target))
            return combo->currentText();
        if (auto *edit = qobject_cast<QLineEdit *>(target))
            return edit->text();
        break;
    default:
        break;
    }
    return QString();
}

void TWidgetTranslationTarget::setText(const QString &control, const QString &property, const QString &value)
{
    if (QString *f = field(control, property)) {
        *f = value;
        return;
    }
    QObject *target = object(control);
    const QSignalBlocker noHandlers(target);
    switch (propertyOf(property)) {
    case Property::Caption:
        if (auto *button = qobject_cast<QAbstractButton *>(target))
            button->setText(value);
        else if (auto *group = qobject_cast<QGroupBox *>(target))
            group->setTitle(value);
        else if (auto *menu = qobject_cast<QMenu *>(target))
            menu->setTitle(value);
        else if (auto *action = qobject_cast<QAction *>(target))
            action->setText(value);
        else if (auto *label = qobject_cast<QLabel *>(target))
            label->setText(value);
        else if (auto *widget = qobject_cast<QWidget *>(target))
            widget->setWindowTitle(value);
        break;
    case Property::Hint:
        if (auto *action = qobject_cast<QAction *>(target))
            action->setToolTip(value);
        else if (auto *widget = qobject_cast<QWidget *>(target))
            widget->setToolTip(value);
        break;
    case Property::Text:
        if (auto *combo = qobject_cast<QComboBox *>(target))
            combo->setCurrentText(value);
        else if (auto *edit = qobject_cast<QLineEdit *>(target))
            edit->setText(value);
        break;
    default:
        break;
    }
}

QStringList TWidgetTranslationTarget::lines(const QString &control, const QString &property) const
{
    QObject *target = object(control);
    switch (propertyOf(property)) {
    case Property::Items:
        if (auto *combo = qobject_cast<QComboBox *>(target)) {
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items.append(combo->itemText(i));
            return items;
        }
        break;
    case Property::Lines:
        if (auto *memo = qobject_cast<QPlainTextEdit *>(target))
            return linesOf(memo->toPlainText());
        break;
    case Property::HtmlText:
        if (QLabel *label = richLabel(target))
            return linesOf(label->text());
        break;
    default:
        break;
    }
    return {};
}

void TWidgetTranslationTarget::replaceLinesInPlace(const QString &control, const QString &property,
                                                   const QStringList &items)
{
    QObject *target = object(control);
    const QSignalBlocker noHandlers(target);
    switch (propertyOf(property)) {
    case Property::Items:
        if (auto *combo = qobject_cast<QComboBox *>(target)) {
            const int selected = combo->currentIndex();
            for (int i = 0; i < items.size(); ++i) {
                if (i < combo->count())
                    combo->setItemText(i, items[i]);
                else
                    combo->addItem(items[i]);
            }
            while (combo->count() > items.size())
                combo->removeItem(combo->count() - 1);
            combo->setCurrentIndex(selected < combo->count() ? selected : -1);
        }
        break;
    case Property::Lines:
        if (auto *memo = qobject_cast<QPlainTextEdit *>(target)) {
            // Wrapping is off while the text changes, so the lines stay as given.
            const auto wrap = memo->lineWrapMode();
            memo->setLineWrapMode(QPlainTextEdit::NoWrap);
            memo->setPlainText(items.join(u'\n'));
            memo->setLineWrapMode(wrap);
        }
        break;
    case Property::HtmlText:
        if (QLabel *label = richLabel(target))
            label->setText(items.join(u'\n'));
        break;
    default:
        break;
    }
}
