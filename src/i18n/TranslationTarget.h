#pragma once
#include <QString>
#include <QStringList>

// What the translation pass needs of a window, so that the pass runs without
// widgets. A control is addressed by its object name, compared without regard
// to case; the empty name means the window itself. Property names (Caption,
// Hint, Items, Lines, Text, HTMLText, Filter, ...) are compared without regard
// to case as well.
class TranslationTarget {
public:
    enum class PropertyKind {
        None,  // the control has no such property that can be read and written
        Text,  // a single text
        Lines  // a list of lines
    };

    virtual ~TranslationTarget() = default;

    virtual bool hasControl(const QString &control) const = 0;
    virtual PropertyKind propertyKind(const QString &control, const QString &property) const = 0;

    virtual QString text(const QString &control, const QString &property) const = 0;
    // May throw; the pass then goes on with the next entry.
    virtual void setText(const QString &control, const QString &property, const QString &value) = 0;

    virtual QStringList lines(const QString &control, const QString &property) const = 0;
    // Line i becomes items[i], further items are appended and surplus lines removed
    // from the end; a list keeps the index of its selected item.
    virtual void replaceLinesInPlace(const QString &control, const QString &property,
                                     const QStringList &items) = 0;
};
