#pragma once
#include "TranslationTarget.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <stdexcept>

// An in-memory window for the translation pass: controls with text and list
// properties, a selected index per list, and a record of every write.
class TFakeTarget : public TTranslationTarget {
public:
    struct TControl {
        QMap<QString, QString> Texts;      // property (lower case) -> text
        QMap<QString, QStringList> Lists;  // property (lower case) -> lines
        int SelectedIndex = -1;
        bool RefuseWrites = false;
    };

    QMap<QString, TControl> Controls;  // name (lower case) -> control; "" is the window
    QStringList Writes;               // "control.Property" of every write, in order

    TControl &Add(const QString &name) { return Controls[name.toLower()]; }
    const TControl &Get(const QString &name) const { return Controls.find(name.toLower()).value(); }

    bool HasControl(const QString &control) const override
    {
        return Controls.contains(control.toLower());
    }
    TPropertyKind PropertyKind(const QString &control, const QString &property) const override
    {
        const TControl &c = Get(control);
        if (c.Texts.contains(property.toLower()))
            return TPropertyKind::Text;
        if (c.Lists.contains(property.toLower()))
            return TPropertyKind::Lines;
        return TPropertyKind::None;
    }
    QString text(const QString &control, const QString &property) const override
    {
        return Get(control).Texts.value(property.toLower());
    }
    void setText(const QString &control, const QString &property, const QString &value) override
    {
        TControl &c = Controls[control.toLower()];
        if (c.RefuseWrites)
            throw std::runtime_error("refused");
        Writes.append(control + u'.' + property);
        c.Texts[property.toLower()] = value;
    }
    QStringList Lines(const QString &control, const QString &property) const override
    {
        return Get(control).Lists.value(property.toLower());
    }
    void ReplaceLinesInPlace(const QString &control, const QString &property,
                             const QStringList &items) override
    {
        TControl &c = Controls[control.toLower()];
        Writes.append(control + u'.' + property);
        QStringList &list = c.Lists[property.toLower()];
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i < list.size())
                list[i] = items[i];
            else
                list.append(items[i]);
        }
        while (list.size() > items.size())
            list.removeLast();
        if (c.SelectedIndex >= list.size())
            c.SelectedIndex = -1;
    }
};
