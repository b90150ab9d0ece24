#include "CliSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include "CliErrors.h"
#include "PayloadReport.h"
#include "SettingsFile.h"
#include "SettingsPayload.h"
#include "SettingsText.h"
#include "ToolConfig.h"

namespace CliSettings {
namespace {

constexpr int kTextLength = 46;

[[noreturn]] void Refuse(const QString &fileName, const QString &why)
{
    throw ECliError{ExitCode::Usage, fileName + QStringLiteral(": ") + why};
}

// Every text the window writes is 46 hexadecimal digits; anything else would be
// decoded into values nobody chose, so it is not sent to a device.
void CheckText(const QString &fileName, const QString &text)
{
    if (text.isEmpty())
        Refuse(fileName, QStringLiteral("no settings text ([DEVICE] Settings_TERNU)"));
    bool allHex = text.size() == kTextLength;
    for (QChar c : text)
        allHex = allHex && QStringLiteral("0123456789ABCDEFabcdef").contains(c);
    if (!allHex)
        Refuse(fileName, QStringLiteral("the settings text is not %1 hexadecimal digits").arg(kTextLength));
}

}  // namespace

QString ReadSettingsFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        Refuse(fileName, QStringLiteral("no such file"));
    if (!info.isFile())
        Refuse(fileName, QStringLiteral("not a file"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        Refuse(fileName, QStringLiteral("cannot be read (%1)").arg(file.errorString()));
    if (file.size() > kMaxFileSize)
        Refuse(fileName, QStringLiteral("too large for a settings file"));
    file.close();
    const QString text = SettingsFile::ReadSettingsText(fileName);
    CheckText(fileName, text);
    return text;
}

QString ReadStoredSettings(const QString &dataFolder)
{
    const QString ini = ToolConfig::FilePath(dataFolder);
    if (!QFileInfo::exists(ini))
        throw ECliError{ExitCode::Usage,
                        QStringLiteral("no stored settings (%1 does not exist); name a settings file").arg(ini)};
    return ReadSettingsFile(ini);
}

DeviceSettings Decode(const QString &text, const QDateTime &now)
{
    DeviceSettings s(now);
    ApplySettingsText(text, s);
    return s;
}

QByteArray TransferPayload(const QString &text, const QDateTime &now)
{
    DeviceSettings s = Decode(text, now);
    TSettingsPayload payload;
    BuildSettings(s, payload);
    return QByteArray(reinterpret_cast<const char *>(payload.Bytes.data()), TSettingsPayload::Size);
}

QStringList Describe(const QString &text, const QDateTime &now)
{
    return DescribePayload(TransferPayload(text, now));
}

QByteArray DescribeJson(const QString &text, const QDateTime &now)
{
    DeviceSettings s = Decode(text, now);
    TSettingsPayload payload;
    BuildSettings(s, payload);  // with the corrections the device gets
    const auto choice = [](int index, std::initializer_list<const char *> names) -> QJsonValue {
        if (index < 0 || index >= int(names.size()))
            return index;
        return QString::fromLatin1(names.begin()[index]);
    };
    QJsonObject o;
    o[QStringLiteral("odo1")] = s.Odo1;
    o[QStringLiteral("odo2")] = s.Odo2;
    o[QStringLiteral("wheel1")] = s.Wheel1;
    o[QStringLiteral("wheel2")] = s.Wheel2;
    o[QStringLiteral("sex")] = choice(s.Sex, {"male", "female"});
    o[QStringLiteral("weight")] = s.Weight;
    o[QStringLiteral("weightUnit")] = choice(s.WeightUnit, {"kg", "lb"});
    o[QStringLiteral("homeAltitude")] = s.HomeAlt;
    o[QStringLiteral("hrUpper")] = s.HRUpper;
    o[QStringLiteral("hrLower")] = s.HRLower;
    o[QStringLiteral("lapMode")] = choice(s.LapMode, {"manual", "distance", "time"});
    o[QStringLiteral("lapDistance")] = s.LapDist;
    o[QStringLiteral("lapTime")] = s.LapTime.toString(QStringLiteral("HH:mm"));
    o[QStringLiteral("sampleRate")] = choice(s.SampleRate, {"5s", "10s", "20s"});
    o[QStringLiteral("speedUnit")] = choice(s.SpeedUnit, {"km/h", "mph"});
    o[QStringLiteral("tempUnit")] = choice(s.TempUnit, {"C", "F"});
    o[QStringLiteral("timeFormat")] = choice(s.TimeFormat, {"24h", "12h"});
    o[QStringLiteral("pcTime")] = s.PCTime;
    o[QStringLiteral("text")] = payload.Text;
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

}  // namespace CliSettings
