#pragma once
#include <QString>
#include <QStringList>

// What the translation pass needs of a window, so that the pass runs without
// widgets. A control is addressed by its object name, compared without regard
// to case; the empty name means the window itself. Property names (Caption,
// Hint, Items, Lines, Text, HTMLText, Filter, ...) are compared without regard
// to case as well.
class TTranslationTarget {
public:
    enum class TPropertyKind {
        None,  // the control has no such property that can be read and written
        Text,  // a single text
        Lines  // a list of lines
    };

    virtual ~TTranslationTarget() = default;

    virtual bool HasControl(const QString &control) const = 0;
    virtual TPropertyKind PropertyKind(const QString &control, const QString &property) const = 0;

    virtual QString text(const QString &control, const QString &property) const = 0;
    // May throw; the pass then goes on with the next entry.
    virtual void setText(const QString &control, const QString &property, const QString &value) = 0;

    virtual QStringList Lines(const QString &control, const QString &property) const = 0;
    // Line i becomes items[i], further items are appended and surplus lines removed
    // from the end; a list keeps the index of its selected item.
    virtual void ReplaceLinesInPlace(const QString &control, const QString &property,
                                     const QStringList &items) = 0;
};
