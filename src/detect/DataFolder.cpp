#include "DataFolder.h"

namespace DataFolder {

QString Path()
{
    QString base = AppDataFolder();
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + QStringLiteral("Orvan/SetupTool");
}

QString PortsFolder(const QString &dataFolder)
{
    QString base = dataFolder;
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + QStringLiteral("Ports");
}

}  // namespace DataFolder
