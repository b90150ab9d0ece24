#include "DataFolder.h"

#include <QStandardPaths>

namespace DataFolder {

// The generic config location: $XDG_CONFIG_HOME, else ~/.config.
QString AppDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

}  // namespace DataFolder
