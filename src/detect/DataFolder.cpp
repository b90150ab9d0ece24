#include "DataFolder.h"

namespace DataFolder {

QString path()
{
    QString base = appDataFolder();
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + QStringLiteral("Orvan/SetupTool");
}

QString portsFolder(const QString &dataFolder)
{
    QString base = dataFolder;
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + QStringLiteral("Ports");
}

}  // namespace DataFolder
