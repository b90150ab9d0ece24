#include "SettingsFile.h"

#include "ProfileFile.h"

namespace SettingsFile {
namespace {

const QString kSection = QStringLiteral("DEVICE");
const QString kKey = QStringLiteral("Settings_TERNU");

}  // namespace

QString ReadSettingsText(const QString &fileName)
{
    return TProfileFile(fileName).ReadString(kSection, kKey, QString());
}

void WriteSettingsText(const QString &fileName, const QString &text)
{
    TProfileFile(fileName).WriteString(kSection, kKey, text);
}

}  // namespace SettingsFile
