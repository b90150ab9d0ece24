#pragma once
#include <QString>

// Where this tool keeps its per-user files: in the per-user application-data
// folder, which is the roaming application-data folder on Windows (%APPDATA%) and
// the generic config location on Linux ($XDG_CONFIG_HOME, else ~/.config). Paths
// are built with "/", which Qt takes on every platform.
namespace DataFolder {

// The per-user application-data folder, or empty when the system names none.
QString AppDataFolder();

// AppDataFolder() + "/Orvan/SetupTool"; the relative "Orvan/SetupTool" when there
// is no application-data folder.
QString Path();

// The folder of port aliases inside a data folder: dataFolder + "/Ports".
QString PortsFolder(const QString &dataFolder);

}  // namespace DataFolder
