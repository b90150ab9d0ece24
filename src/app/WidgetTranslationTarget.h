#pragma once
#include "TranslationTarget.h"

#include <QList>
#include <QString>

class QObject;
class QWidget;

// Makes a control a picture (a label showing one, the device photo): it has no
// caption, so a language file's caption for it is skipped and the picture stays;
// its hint still translates.
void MarkAsPicture(QWidget *picture);

// The translation table's property names on the window's Qt controls, in one place:
//   Caption   button and label text, group box title, action text, menu title
//             (not of a label marked as a picture)
//   Hint      tool tip
//   Items     combo box items
//   Lines     memo lines
//   HTMLText  rich-text label, one text line per line
//   Text      text of an editable combo box or a line edit
//   Filter    and any other registered text field that is not a Qt object
// A drop-down list that accepts only its own items has no Text: assigning it would
// move the selection without the window noticing, so the pass leaves it alone.
// Controls are found by object name among the window's descendants in any case.
class TWidgetTranslationTarget : public TTranslationTarget {
public:
    explicit TWidgetTranslationTarget(QWidget *window);

    // Makes *text the property of a control that is not a Qt object (a dialog's filter).
    void AddTextField(const QString &control, const QString &property, QString *text);

    bool HasControl(const QString &control) const override;
    TPropertyKind PropertyKind(const QString &control, const QString &property) const override;
    QString text(const QString &control, const QString &property) const override;
    void setText(const QString &control, const QString &property, const QString &value) override;
    QStringList Lines(const QString &control, const QString &property) const override;
    void ReplaceLinesInPlace(const QString &control, const QString &property,
                             const QStringList &items) override;

private:
    struct TField {
        QString Control;
        QString Property;
        QString *Text;
    };

    QObject *Object(const QString &control) const;
    QString *Field(const QString &control, const QString &property) const;

    QWidget *FWindow;
    QList<TField> FFields;
};
