#pragma once
#include <QString>
#include <stdexcept>

// Errors of the serial port. Each carries the code of the operation that failed;
// EComPortExt also carries the system's error number.
enum class TComOperation : int {
    Open = 1,
    Write = 2,
    Read = 3,
    AsyncParameter = 4,
    Purge = 5,
    LineSettings = 7,
    Timeouts = 8,
    QueueSizes = 9,
    QueueCount = 10,
    PortList = 23,
};

// The user-visible description of a failed operation ("Unable to open com port").
QString ComOperationDescription(TComOperation operation);

// "<port> Error: <description>"
class EComPort : public std::runtime_error {
public:
    EComPort(TComOperation operation, const QString &portName);
    TComOperation Operation() const { return FOperation; }

protected:
    EComPort(TComOperation operation, const std::string &message);

private:
    TComOperation FOperation;
};

// "COM Port Error: <description> on <port>", then on further lines what to do
// when the system tells why (advice).
class EComPortExt : public EComPort {
public:
    EComPortExt(TComOperation operation, int systemError, const QString &portName,
                const QString &advice = QString());
    int SystemError() const { return FSystemError; }

private:
    int FSystemError;
};
