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

enum class TProperty { None, Caption, Hint, Items, Lines, HtmlText, Text };

TProperty PropertyOf(const QString &name)
{
    static const struct {
        const char *Name;
        TProperty Property;
    } kNames[] = {
        {"Caption", TProperty::Caption}, {"Hint", TProperty::Hint},
        {"Items", TProperty::Items},     {"Lines", TProperty::Lines},
        {"HTMLText", TProperty::HtmlText}, {"Text", TProperty::Text},
    };
    for (const auto &entry : kNames) {
        if (name.compare(QLatin1String(entry.Name), Qt::CaseInsensitive) == 0)
            return entry.Property;
    }
    return TProperty::None;
}

const char *const kPictureProperty = "ternuPicture";

bool IsPicture(QObject *object)
{
    return object->property(kPictureProperty).toBool();
}

QLabel *RichLabel(QObject *object)
{
    auto *label = qobject_cast<QLabel *>(object);
    return label && label->textFormat() == Qt::RichText ? label : nullptr;
}

QComboBox *editableCombo(QObject *object)
{
    auto *combo = qobject_cast<QComboBox *>(object);
    return combo && combo->isEditable() ? combo : nullptr;
}

QStringList LinesOf(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

// The kind of a property of one object, before any text is read or written.
TTranslationTarget::TPropertyKind KindOf(QObject *object, TProperty property)
{
    using TKind = TTranslationTarget::TPropertyKind;
    switch (property) {
    case TProperty::Caption:
        if (IsPicture(object))
            return TKind::None;
        if (qobject_cast<QAbstractButton *>(object) || qobject_cast<QGroupBox *>(object)
            || qobject_cast<QMenu *>(object) || qobject_cast<QAction *>(object)
            || (qobject_cast<QLabel *>(object) && !RichLabel(object)))
            return TKind::Text;
        if (auto *widget = qobject_cast<QWidget *>(object); widget && widget->isWindow())
            return TKind::Text;
        return TKind::None;
    case TProperty::Hint:
        return qobject_cast<QWidget *>(object) || qobject_cast<QAction *>(object) ? TKind::Text : TKind::None;
    case TProperty::Items:
        return qobject_cast<QComboBox *>(object) ? TKind::Lines : TKind::None;
    case TProperty::Lines:
        return qobject_cast<QPlainTextEdit *>(object) ? TKind::Lines : TKind::None;
    case TProperty::HtmlText:
        return RichLabel(object) ? TKind::Lines : TKind::None;
    case TProperty::Text:
        return editableCombo(object) || qobject_cast<QLineEdit *>(object) ? TKind::Text : TKind::None;
    case TProperty::None:
        break;
    }
    return TKind::None;
}

}  // namespace

void MarkAsPicture(QWidget *picture)
{
    picture->setProperty(kPictureProperty, true);
}

TWidgetTranslationTarget::TWidgetTranslationTarget(QWidget *window) : FWindow(window) {}

void TWidgetTranslationTarget::AddTextField(const QString &control, const QString &property, QString *text)
{
    FFields.append({control, property, text});
}

QString *TWidgetTranslationTarget::Field(const QString &control, const QString &property) const
{
    for (const TField &f : FFields) {
        if (f.Control.compare(control, Qt::CaseInsensitive) == 0
            && f.Property.compare(property, Qt::CaseInsensitive) == 0)
            return f.Text;
    }
    return nullptr;
}

QObject *TWidgetTranslationTarget::Object(const QString &control) const
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

bool TWidgetTranslationTarget::HasControl(const QString &control) const
{
    for (const TField &f : FFields) {
        if (f.Control.compare(control, Qt::CaseInsensitive) == 0)
            return true;
    }
    return Object(control) != nullptr;
}

TTranslationTarget::TPropertyKind TWidgetTranslationTarget::PropertyKind(const QString &control,
                                                                       const QString &property) const
{
    if (Field(control, property))
        return TPropertyKind::Text;
    QObject *target = Object(control);
    return target ? KindOf(target, PropertyOf(property)) : TPropertyKind::None;
}

QString TWidgetTranslationTarget::text(const QString &control, const QString &property) const
{
    if (QString *f = Field(control, property))
        return *f;
    QObject *target = Object(control);
    switch (PropertyOf(property)) {
    case TProperty::Caption:
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
    case TProperty::Hint:
        if (auto *action = qobject_cast<QAction *>(target))
            return action->toolTip();
        if (auto *widget = qobject_cast<QWidget *>(target))
            return widget->toolTip();
        break;
    case TProperty::Text:
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
    if (QString *f = Field(control, property)) {
        *f = value;
        return;
    }
    QObject *target = Object(control);
    const QSignalBlocker noHandlers(target);
    switch (PropertyOf(property)) {
    case TProperty::Caption:
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
    case TProperty::Hint:
        if (auto *action = qobject_cast<QAction *>(target))
            action->setToolTip(value);
        else if (auto *widget = qobject_cast<QWidget *>(target))
            widget->setToolTip(value);
        break;
    case TProperty::Text:
        if (auto *combo = qobject_cast<QComboBox *>(target))
            combo->setCurrentText(value);
        else if (auto *edit = qobject_cast<QLineEdit *>(target))
            edit->setText(value);
        break;
    default:
        break;
    }
}

QStringList TWidgetTranslationTarget::Lines(const QString &control, const QString &property) const
{
    QObject *target = Object(control);
    switch (PropertyOf(property)) {
    case TProperty::Items:
        if (auto *combo = qobject_cast<QComboBox *>(target)) {
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items.append(combo->itemText(i));
            return items;
        }
        break;
    case TProperty::Lines:
        if (auto *memo = qobject_cast<QPlainTextEdit *>(target))
            return LinesOf(memo->toPlainText());
        break;
    case TProperty::HtmlText:
        if (QLabel *label = RichLabel(target))
            return LinesOf(label->text());
        break;
    default:
        break;
    }
    return {};
}

void TWidgetTranslationTarget::ReplaceLinesInPlace(const QString &control, const QString &property,
                                                   const QStringList &items)
{
    QObject *target = Object(control);
    const QSignalBlocker noHandlers(target);
    switch (PropertyOf(property)) {
    case TProperty::Items:
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
    case TProperty::Lines:
        if (auto *memo = qobject_cast<QPlainTextEdit *>(target)) {
            // Wrapping is off while the text changes, so the lines stay as given.
            const auto wrap = memo->lineWrapMode();
            memo->setLineWrapMode(QPlainTextEdit::NoWrap);
            memo->setPlainText(items.join(u'\n'));
            memo->setLineWrapMode(wrap);
        }
        break;
    case TProperty::HtmlText:
        if (QLabel *label = RichLabel(target))
            label->setText(items.join(u'\n'));
        break;
    default:
        break;
    }
}
