#include "ComPortErrors.h"

QString ComOperationDescription(TComOperation operation)
{
    switch (operation) {
    case TComOperation::Open: return QStringLiteral("Unable to open com port");
    case TComOperation::Write: return QStringLiteral("WriteFile function failed");
    case TComOperation::Read: return QStringLiteral("ReadFile function failed");
    case TComOperation::AsyncParameter: return QStringLiteral("Invalid Async parameter");
    case TComOperation::Purge: return QStringLiteral("PurgeComm function failed");
    case TComOperation::LineSettings: return QStringLiteral("SetCommState function failed");
    case TComOperation::Timeouts: return QStringLiteral("SetCommTimeouts failed");
    case TComOperation::QueueSizes: return QStringLiteral("SetupComm function failed");
    case TComOperation::QueueCount: return QStringLiteral("ClearCommError function failed");
    case TComOperation::PortList: return QStringLiteral("Registry error");
    }
    return QString();
}

EComPort::EComPort(TComOperation operation, const QString &portName)
    : EComPort(operation,
               (portName + QStringLiteral(" Error: ") + ComOperationDescription(operation))
                   .toStdString())
{
}

EComPort::EComPort(TComOperation operation, const std::string &message)
    : std::runtime_error(message), FOperation(operation)
{
}

EComPortExt::EComPortExt(TComOperation operation, int systemError, const QString &portName,
                         const QString &advice)
    : EComPort(operation,
               (QStringLiteral("COM Port Error: ") + ComOperationDescription(operation)
                + QStringLiteral(" on ") + portName
                + (advice.isEmpty() ? QString() : QLatin1Char('\n') + advice))
                   .toStdString()),
      FSystemError(systemError)
{
}
