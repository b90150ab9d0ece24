#include "WindowEnvironment.h"

#include "QtDialogs.h"

#include <QCoreApplication>
#include <QFileInfo>

static QString RunningProgramFolder()
{
    const QString exe = QCoreApplication::applicationFilePath();
    const QString resolved = QFileInfo(exe).canonicalFilePath();
    return QFileInfo(resolved.isEmpty() ? exe : resolved).absolutePath();
}

TWindowEnvironment::TWindowEnvironment()
    : ProgramFolder(RunningProgramFolder()), Dialogs(&QtDialogs())
{
}
