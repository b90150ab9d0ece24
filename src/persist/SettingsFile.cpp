#include "SettingsFile.h"

#include "ProfileFile.h"

namespace SettingsFile {
namespace {

const QString kSection = QStringLiteral("DEVICE");
const QString kKey = QStringLiteral("Settings_TERNU");

}  // namespace

QString readSettingsText(const QString &fileName)
{
    return TProfileFile(fileName).readString(kSection, kKey, QString());
}

void writeSettingsText(const QString &fileName, const QString &text)
{
    TProfileFile(fileName).writeString(kSection, kKey, text);
}

}  // namespace SettingsFile
