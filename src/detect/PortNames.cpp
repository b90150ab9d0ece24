#include "PortNames.h"

#include <QRegularExpression>

namespace PortNames {

QString ComName(int number)
{
    return QStringLiteral("COM%1").arg(number);
}

int NumberFromName(const QString &name)
{
    const QString digits = name.mid(3).trimmed();
    bool ok = false;
    const int n = digits.toInt(&ok, 10);
    return ok ? n : -1;
}

std::optional<TUsbIdentity> ParseIdentity(const QString &line)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*([0-9A-Fa-f]{1,4}):([0-9A-Fa-f]{1,4})(?:\\s+(\\S+))?\\s*$"));
    const auto m = re.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    TUsbIdentity id;
    id.VendorId = static_cast<quint16>(m.captured(1).toUInt(nullptr, 16));
    id.ProductId = static_cast<quint16>(m.captured(2).toUInt(nullptr, 16));
    id.SerialNumber = m.captured(3);
    return id;
}

QString FormatIdentity(const TUsbIdentity &identity)
{
    const auto hex4 = [](quint16 v) {
        return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')).toUpper();
    };
    return hex4(identity.VendorId) + QLatin1Char(':') + hex4(identity.ProductId)
        + QLatin1Char(' ') + identity.SerialNumber;
}

QString Resolve(const QString &comName, const QString &portsFolder)
{
    if (!comName.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return {};
    const int number = NumberFromName(comName);
    if (number < 1)
        return {};
    for (const TPortAlias &alias : ReadAliases(portsFolder)) {
        if (alias.Number == number)
            return alias.DevicePath;
    }
    return DefaultDeviceForNumber(number);
}

}  // namespace PortNames
