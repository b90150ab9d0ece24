// Port names on Windows: a port's COM name is the system's own, and it opens as
// "\\.\COMn" (which also works for COM10 and above). There are no port aliases.
#include "PortNames.h"

#include <QRegularExpression>

namespace PortNames {

int DefaultNumberForDevice(const QString &deviceNode)
{
    static const QRegularExpression re(QStringLiteral("^(?:\\\\\\\\\\.\\\\)?COM([1-9][0-9]{0,4})$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(deviceNode);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString DefaultDeviceForNumber(int number)
{
    return number >= 1 ? QStringLiteral("\\\\.\\COM%1").arg(number) : QString();
}

QList<TPortAlias> ReadAliases(const QString &)
{
    return {};
}

bool WriteAlias(const QString &, int, const QString &, const std::optional<TUsbIdentity> &)
{
    return false;
}

void RemoveAlias(const QString &, int)
{
}

}  // namespace PortNames
