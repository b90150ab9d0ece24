#include "ToolConfig.h"

#include "ProfileFile.h"

namespace ToolConfig {
namespace {

const QString kMisc = QStringLiteral("MISC");
const QString kPlacement = QStringLiteral("FTernuSetup");

}  // namespace

QString filePath(const QString &dataFolder)
{
    QString base = dataFolder;
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + QString::fromLatin1(kFileName);
}

TMiscValues readMisc(const QString &iniFile)
{
    const TProfileFile ini(iniFile);
    TMiscValues values;
    values.comPortNo = static_cast<qint16>(ini.readInteger(kMisc, QStringLiteral("CPort"), -1));
    values.style = static_cast<quint8>(ini.readInteger(kMisc, QStringLiteral("Layout"), 0));
    values.language = ini.readString(kMisc, QStringLiteral("Language"), QStringLiteral("German"));
    return values;
}

void writeMisc(const QString &iniFile, qint16 comPortNo, quint8 style, const QString &language)
{
    TProfileFile ini(iniFile);
    ini.writeInteger(kMisc, QStringLiteral("CPort"), comPortNo);
    ini.writeInteger(kMisc, QStringLiteral("Layout"), style);
    ini.writeString(kMisc, QStringLiteral("Language"), language);
}

TPlacementRecord readPlacement(const QString &iniFile, const TPlacementRecord &defaults)
{
    const TProfileFile ini(iniFile);
    TPlacementRecord placement;
    placement.left = ini.readInteger(kPlacement, QStringLiteral("Left"), defaults.left);
    placement.top = ini.readInteger(kPlacement, QStringLiteral("Top"), defaults.top);
    placement.right = ini.readInteger(kPlacement, QStringLiteral("Right"), defaults.right);
    placement.bottom = ini.readInteger(kPlacement, QStringLiteral("Bottom"), defaults.bottom);
    placement.maximized =
        ini.readInteger(kPlacement, QStringLiteral("Maximized"), defaults.maximized ? 1 : 0) != 0;
    return placement;
}

void writePlacement(const QString &iniFile, const TPlacementRecord &placement)
{
    TProfileFile ini(iniFile);
    ini.writeInteger(kPlacement, QStringLiteral("Left"), placement.left);
    ini.writeInteger(kPlacement, QStringLiteral("Top"), placement.top);
    ini.writeInteger(kPlacement, QStringLiteral("Right"), placement.right);
    ini.writeInteger(kPlacement, QStringLiteral("Bottom"), placement.bottom);
    ini.writeInteger(kPlacement, QStringLiteral("Maximized"), placement.maximized ? 1 : 0);
}

}  // namespace ToolConfig
