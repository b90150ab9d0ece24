#include "TernuApplication.h"

#include "QtDialogs.h"

#include <QWidget>
#include <exception>

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv), FDialogs(&QtDialogs())
{
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        FDialogs->ShowError(activeWindow(), QString::fromUtf8(e.what()));
    }
    return false;
}
