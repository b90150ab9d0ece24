#pragma once
#include "TranslationTarget.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <stdexcept>

// An in-memory window for the translation pass: controls with text and list
// properties, a selected index per list, and a record of every write.
class FakeTarget : public TranslationTarget {
public:
    struct Control {
        QMap<QString, QString> texts;      // property (lower case) -> text
        QMap<QString, QStringList> lists;  // property (lower case) -> lines
        int selectedIndex = -1;
        bool refuseWrites = false;
    };

    QMap<QString, Control> controls;  // name (lower case) -> control; "" is the window
    QStringList writes;               // "control.Property" of every write, in order

    Control &add(const QString &name) { return controls[name.toLower()]; }
    const Control &get(const QString &name) const { return controls.find(name.toLower()).value(); }

    bool hasControl(const QString &control) const override
    {
        return controls.contains(control.toLower());
    }
    PropertyKind propertyKind(const QString &control, const QString &property) const override
    {
        const Control &c = get(control);
        if (c.texts.contains(property.toLower()))
            return PropertyKind::Text;
        if (c.lists.contains(property.toLower()))
            return PropertyKind::Lines;
        return PropertyKind::None;
    }
    QString text(const QString &control, const QString &property) const override
    {
        return get(control).texts.value(property.toLower());
    }
    void setText(const QString &control, const QString &property, const QString &value) override
    {
        Control &c = controls[control.toLower()];
        if (c.refuseWrites)
            throw std::runtime_error("refused");
        writes.append(control + u'.' + property);
        c.texts[property.toLower()] = value;
    }
    QStringList lines(const QString &control, const QString &property) const override
    {
        return get(control).lists.value(property.toLower());
    }
    void replaceLinesInPlace(const QString &control, const QString &property,
                             const QStringList &items) override
    {
        Control &c = controls[control.toLower()];
        writes.append(control + u'.' + property);
        QStringList &list = c.lists[property.toLower()];
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i < list.size())
                list[i] = items[i];
            else
                list.append(items[i]);
        }
        while (list.size() > items.size())
            list.removeLast();
        if (c.selectedIndex >= list.size())
            c.selectedIndex = -1;
    }
};
