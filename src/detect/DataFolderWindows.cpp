#include "DataFolder.h"

#include <QDir>

#include <shlobj.h>

namespace DataFolder {

// The roaming application-data folder (%APPDATA%), as the system names it.
QString AppDataFolder()
{
    PWSTR path = nullptr;
    QString folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path)))
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    CoTaskMemFree(path);
    return folder;
}

}  // namespace DataFolder
