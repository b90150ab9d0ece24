#include "PortNames.h"

#include <QRegularExpression>

namespace PortNames {

QString comName(int number)
{
    return QStringLiteral("COM%1").arg(number);
}

int numberFromName(const QString &name)
{
    const QString digits = name.mid(3).trimmed();
    bool ok = false;
    const int n = digits.toInt(&ok, 10);
    return ok ? n : -1;
}

std::optional<UsbIdentity> parseIdentity(const QString &line)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*([0-9A-Fa-f]{1,4}):([0-9A-Fa-f]{1,4})(?:\\s+(\\S+))?\\s*$"));
    const auto m = re.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    UsbIdentity id;
    id.vendorId = static_cast<quint16>(m.captured(1).toUInt(nullptr, 16));
    id.productId = static_cast<quint16>(m.captured(2).toUInt(nullptr, 16));
    id.serialNumber = m.captured(3);
    return id;
}

QString formatIdentity(const UsbIdentity &identity)
{
    const auto hex4 = [](quint16 v) {
        return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')).toUpper();
    };
    return hex4(identity.vendorId) + QLatin1Char(':') + hex4(identity.productId)
        + QLatin1Char(' ') + identity.serialNumber;
}

QString resolve(const QString &comName, const QString &portsFolder)
{
    if (!comName.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return {};
    const int number = numberFromName(comName);
    if (number < 1)
        return {};
    for (const PortAlias &alias : readAliases(portsFolder)) {
        if (alias.number == number)
            return alias.devicePath;
    }
    return defaultDeviceForNumber(number);
}

}  // namespace PortNames
