#pragma once
#include <QString>

// Where this tool keeps its per-user files. On Linux the per-user application-data
// folder is the generic config location ($XDG_CONFIG_HOME, else ~/.config).
namespace DataFolder {

// The per-user application-data folder, or empty when the system names none.
QString appDataFolder();

// appDataFolder() + "/Orvan/SetupTool"; the relative "Orvan/SetupTool" when there
// is no application-data folder.
QString path();

// The folder of port aliases inside a data folder: dataFolder + "/Ports".
QString portsFolder(const QString &dataFolder);

}  // namespace DataFolder
