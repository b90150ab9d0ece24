#pragma once
#include <QString>

// The tool configuration file "Ternu_SetupTool.ini": the tool's own choices in
// [MISC] and the window placement in [FTernuSetup]. The settings text of the
// [DEVICE] section is read and written through SettingsFile.h.
namespace ToolConfig {

inline constexpr char kFileName[] = "Ternu_SetupTool.ini";

// The tool configuration file of a data folder: dataFolder + "/" + kFileName.
QString FilePath(const QString &dataFolder);

// [MISC] as read: each key falls back to its default when missing or not a
// number. The integers keep the low bits of the 32-bit value read.
struct TMiscValues {
    qint16 ComPortNo = -1;  // CPort; -1 = detect the interface's port automatically
    quint8 Style = 0;       // Layout
    QString Language = QStringLiteral("German");  // Language
};

TMiscValues ReadMisc(const QString &iniFile);

// Writes CPort, Layout and Language, in that order, key by key. Throws
// EProfileWriteError at the first key that cannot be written.
void WriteMisc(const QString &iniFile, qint16 comPortNo, quint8 style, const QString &language);

// The window's normal rectangle (right and bottom exclusive) and whether the
// window was maximised.
struct TPlacementRecord {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Maximized = false;

    friend bool operator==(const TPlacementRecord &, const TPlacementRecord &) = default;
};

// [FTernuSetup]; every missing or unreadable key keeps its value from defaults.
TPlacementRecord ReadPlacement(const QString &iniFile, const TPlacementRecord &defaults);

// Writes Left, Top, Right, Bottom and Maximized ("1" or "0"), in that order.
void WritePlacement(const QString &iniFile, const TPlacementRecord &placement);

}  // namespace ToolConfig
