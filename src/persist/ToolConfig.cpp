#include "ToolConfig.h"

#include "ProfileFile.h"

namespace ToolConfig {
namespace {

const QString kMisc = QStringLiteral("MISC");
const QString kPlacement = QStringLiteral("FTernuSetup");

}  // namespace

QString FilePath(const QString &dataFolder)
{
    QString base = dataFolder;
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + QString::fromLatin1(kFileName);
}

TMiscValues ReadMisc(const QString &iniFile)
{
    const TProfileFile ini(iniFile);
    TMiscValues values;
    values.ComPortNo = static_cast<qint16>(ini.ReadInteger(kMisc, QStringLiteral("CPort"), -1));
    values.Style = static_cast<quint8>(ini.ReadInteger(kMisc, QStringLiteral("Layout"), 0));
    values.Language = ini.ReadString(kMisc, QStringLiteral("Language"), QStringLiteral("German"));
    return values;
}

void WriteMisc(const QString &iniFile, qint16 comPortNo, quint8 style, const QString &language)
{
    TProfileFile ini(iniFile);
    ini.WriteInteger(kMisc, QStringLiteral("CPort"), comPortNo);
    ini.WriteInteger(kMisc, QStringLiteral("Layout"), style);
    ini.WriteString(kMisc, QStringLiteral("Language"), language);
}

TPlacementRecord ReadPlacement(const QString &iniFile, const TPlacementRecord &defaults)
{
    const TProfileFile ini(iniFile);
    TPlacementRecord placement;
    placement.Left = ini.ReadInteger(kPlacement, QStringLiteral("Left"), defaults.Left);
    placement.Top = ini.ReadInteger(kPlacement, QStringLiteral("Top"), defaults.Top);
    placement.Right = ini.ReadInteger(kPlacement, QStringLiteral("Right"), defaults.Right);
    placement.Bottom = ini.ReadInteger(kPlacement, QStringLiteral("Bottom"), defaults.Bottom);
    placement.Maximized =
        ini.ReadInteger(kPlacement, QStringLiteral("Maximized"), defaults.Maximized ? 1 : 0) != 0;
    return placement;
}

void WritePlacement(const QString &iniFile, const TPlacementRecord &placement)
{
    TProfileFile ini(iniFile);
    ini.WriteInteger(kPlacement, QStringLiteral("Left"), placement.Left);
    ini.WriteInteger(kPlacement, QStringLiteral("Top"), placement.Top);
    ini.WriteInteger(kPlacement, QStringLiteral("Right"), placement.Right);
    ini.WriteInteger(kPlacement, QStringLiteral("Bottom"), placement.Bottom);
    ini.WriteInteger(kPlacement, QStringLiteral("Maximized"), placement.Maximized ? 1 : 0);
}

}  // namespace ToolConfig
