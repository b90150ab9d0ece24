#include "PortDiagnosis.h"

namespace PortDiagnosis {

QString NoSuchPortAdvice(const QString &portName, const QStringList &portsFound)
{
    QString advice = portName.isEmpty()
        ? QStringLiteral("No port is selected: no Ternu interface was detected.")
        : QStringLiteral("There is no port %1 on this computer.").arg(portName);
    if (portsFound.isEmpty())
        advice += QStringLiteral(" No serial ports were found: plug in the PC-link interface.");
    else
        advice += QStringLiteral(" Ports found: %1.").arg(portsFound.join(QStringLiteral(", ")));
    return advice;
}

}  // namespace PortDiagnosis
