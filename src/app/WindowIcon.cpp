#include "WindowIcon.h"

#include <QGuiApplication>
#include <QIcon>

#include <utility>

void EnsureWindowIcon()
{
    static bool done = false;
    if (std::exchange(done, true))
        return;
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(kDesktopId)));
}
