#include "uWinstuff.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QWidget>

QString WithTrailingBackslash(const QString &path)
{
    const QString separator = QDir::separator();
    if (path.isEmpty() || path.endsWith(separator))
        return path;
    return path + separator;
}

QEvent::Type TNextControlEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool FocusNextOnEnter(QKeyEvent *key, QWidget *window)
{
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    const bool backward = key->modifiers().testFlag(Qt::ShiftModifier);
    QCoreApplication::postEvent(window, new TNextControlEvent(backward));
    key->accept();
    return true;
}
