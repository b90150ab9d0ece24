#include "PortDiagnosis.h"

#include <windows.h>

namespace PortDiagnosis {

// Windows does not tell an ordinary user which process holds a COM port.
std::optional<THolder> FindHolder(const QString &)
{
    return std::nullopt;
}

QString OpenAdvice(const QString &portName, const QString &, int systemError)
{
    switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return QStringLiteral("There is no port %1 on this computer: plug the interface in, or choose a "
                              "port in Settings > COMPort.")
            .arg(portName);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return QStringLiteral("%1 is in use by another program. End that program or choose another port.")
            .arg(portName);
    default:
        return {};
    }
}

}  // namespace PortDiagnosis
