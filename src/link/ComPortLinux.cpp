#include "ComPort.h"

#include <QDeadlineTimer>
#include <cerrno>
#include <QLoggingCategory>
#include <QMetaObject>
#include <stdexcept>

#include "PortDiagnosis.h"
#include "PortList.h"
#include "PortNames.h"

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

// Diagnostics for a developer (QT_LOGGING_RULES="ternu.link.port.debug=true").
Q_LOGGING_CATEGORY(lcComPort, "ternu.link.port", QtWarningMsg)

namespace {

constexpr int kWriteMsPerByte = 100;
constexpr int kWriteConstantMs = 1000;

int lastSystemError()
{
#ifdef Q_OS_UNIX
    return errno;
#else
    return 0;
#endif
}

// Resets a flag or counter when a scope ends, also by an exception.
template <typename F>
struct ScopeExit {
    F f;
    ~ScopeExit() { f(); }
};
template <typename F>
ScopeExit(F) -> ScopeExit<F>;

}  // namespace

TComPort::TComPort(const QString &portsFolder, QObject *parent)
    : QObject(parent), FPortsFolder(portsFolder)
{
    connect(&FSerial, &QSerialPort::readyRead, this, &TComPort::OnReadyRead);
    connect(&FSerial, &QSerialPort::errorOccurred, this, &TComPort::OnErrorOccurred);
}

TComPort::~TComPort()
{
    blockSignals(true);  // whoever listened may be gone already
    try {
        Close();
    } catch (...) {
        // The device goes away with us either way.
    }
}

void TComPort::SetPort(const QString &name)
{
    if (Connected())
        throw std::logic_error("the port name can only change while the port is closed");
    FPort = name;
}

void TComPort::Open()
{
    if (Connected())
        return;
    ++FGeneration;
    FPending = false;
    FSuspended = false;
    FDeviceLost = false;

    const QString device = PortNames::resolve(FPort, FPortsFolder);
    if (device.isEmpty()) {
        qCDebug(lcComPort) << "CreateFile" << FPort;
        TSystemSerialPortSource ports;
        throw EComPortExt(TComOperation::Open, ENOENT, FPort,
                          PortDiagnosis::NoSuchPortAdvice(FPort, PortList::currentEntries(ports, FPortsFolder)));
    }
    FSerial.setPortName(device);
    FSerial.setReadBufferSize(kInputSize);
    if (!FSerial.open(QIODevice::ReadWrite)) {
        const int systemError = lastSystemError();
        qCDebug(lcComPort) << "CreateFile" << device << FSerial.errorString();
        FSerial.clearError();
        throw EComPortExt(TComOperation::Open, systemError, FPort,
                          PortDiagnosis::OpenAdvice(FPort, device, systemError));
    }
#ifdef Q_OS_UNIX
    // The lock file keeps out programs that honour it; TIOCEXCL keeps out the rest.
    if (::ioctl(FSerial.handle(), TIOCEXCL) == -1)
        FailAndClose(TComOperation::Open, lastSystemError());
#endif
    const bool lineSet = FSerial.setBaudRate(QSerialPort::Baud9600)
        && FSerial.setDataBits(QSerialPort::Data8) && FSerial.setParity(QSerialPort::NoParity)
        && FSerial.setStopBits(QSerialPort::OneStop)
        && FSerial.setFlowControl(QSerialPort::NoFlowControl);
    if (!lineSet)
        FailAndClose(TComOperation::LineSettings, lastSystemError());
    ApplyModemLines();
    // Whatever the device sent while the port was closed is not ours.
    FSerial.clear(QSerialPort::Input);
    FSerial.clearError();
}

void TComPort::ApplyModemLines()
{
#ifdef Q_OS_UNIX
    // A device without modem lines (a pseudo-terminal) is used without them.
    const auto unsupported = [](int error) { return error == ENOTTY || error == EINVAL; };
    int dtr = TIOCM_DTR;
    if (::ioctl(FSerial.handle(), TIOCMBIS, &dtr) == -1) {
        const int error = lastSystemError();
        if (unsupported(error))
            return;
        FailAndClose(TComOperation::LineSettings, error);
    }
    int rts = TIOCM_RTS;
    if (::ioctl(FSerial.handle(), TIOCMBIC, &rts) == -1) {
        const int error = lastSystemError();
        if (!unsupported(error))
            FailAndClose(TComOperation::LineSettings, error);
    }
#else
    const auto check = [this](bool ok) {
        if (!ok && FSerial.error() != QSerialPort::UnsupportedOperationError)
            FailAndClose(TComOperation::LineSettings, 0);
        FSerial.clearError();
    };
    check(FSerial.setDataTerminalReady(true));
    check(FSerial.setRequestToSend(false));
#endif
}

void TComPort::FailAndClose(TComOperation operation, int systemError)
{
    FSerial.close();
    FSerial.clearError();
    ++FGeneration;
    throw EComPortExt(operation, systemError, FPort);
}

void TComPort::Close()
{
    if (!Connected())
        return;
    // A notification already on its way is still delivered while the device is open.
    if (!FDelivering && FWriteDepth == 0 && !FSuspended && !FDeviceLost) {
        if (FPending) {
            DeliverPending();
        } else {
            FSerial.waitForReadyRead(0);  // announces data the system has but we have not read
            FSerial.clearError();
        }
    }
    if (!Connected())  // the handler may have closed it
        return;
    const bool purged = FDeviceLost || FSerial.clear(QSerialPort::AllDirections);
    const int systemError = lastSystemError();
    FSerial.close();
    FSerial.clearError();
    FPending = false;
    ++FGeneration;
    if (!purged)
        throw EComPortExt(TComOperation::Purge, systemError, FPort);
}

int TComPort::WriteBytes(const char *data, int count)
{
    if (!Connected())
        throw EComPortExt(TComOperation::Write, EBADF, FPort);
    if (count <= 0)
        return 0;

    ++FWriteDepth;
    ScopeExit release{[this] {
        if (--FWriteDepth == 0 && FPending)
            QueueDelivery();
    }};

    const auto fail = [this]() {
        const int systemError = lastSystemError();
        if (FDeviceLost || FSerial.error() == QSerialPort::ResourceError) {
            FDeviceLost = true;
            FSerial.close();
            ++FGeneration;
        }
        FSerial.clearError();
        throw EComPortExt(TComOperation::Write, systemError, FPort);
    };

    if (FSerial.write(data, count) != count)
        fail();
    const QDeadlineTimer deadline(qint64(count) * kWriteMsPerByte + kWriteConstantMs);
    while (FSerial.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (FSerial.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
            continue;
        if (FSerial.error() == QSerialPort::TimeoutError || FSerial.error() == QSerialPort::NoError) {
            FSerial.clearError();
            continue;
        }
        fail();
    }
    const qint64 notWritten = FSerial.bytesToWrite();
    if (notWritten > 0)
        FSerial.clear(QSerialPort::Output);  // the write timed out: drop the rest
    FSerial.clearError();
    return count - int(notWritten);
}

int TComPort::ReadBytes(char *data, int count)
{
    if (!Connected())
        throw EComPortExt(TComOperation::Read, EBADF, FPort);
    if (count <= 0)
        return 0;
    const qint64 n = FSerial.read(data, count);
    if (n < 0) {
        const int systemError = lastSystemError();
        FSerial.clearError();
        throw EComPortExt(TComOperation::Read, systemError, FPort);
    }
    return int(n);
}

void TComPort::OnReadyRead()
{
    if (FWriteDepth > 0 || FDelivering) {
        FPending = true;  // delivered when the event loop runs again
        return;
    }
    DeliverNow();
}

void TComPort::QueueDelivery()
{
    const quint64 generation = FGeneration;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == FGeneration)
                DeliverPending();
        },
        Qt::QueuedConnection);
}

void TComPort::DeliverPending()
{
    if (!FPending || FWriteDepth > 0 || FDelivering)
        return;
    FPending = false;
    DeliverNow();
}

void TComPort::DeliverNow()
{
    if (FSuspended || !Connected())
        return;
    const qint64 queued = FSerial.bytesAvailable();
    if (queued <= 0)
        return;
    {
        FDelivering = true;
        ScopeExit done{[this] { FDelivering = false; }};
        emit RxChar(int(queued));
    }
    if (FPending)
        QueueDelivery();
}

void TComPort::OnErrorOccurred(QSerialPort::SerialPortError error)
{
    // An unplugged adapter reports a resource error; a hung-up line reads end of
    // file, which arrives as a read error, again and again until the port closes.
    if ((error != QSerialPort::ResourceError && error != QSerialPort::ReadError) || FDeviceLost)
        return;
    // Close outside Qt's own call, so that the next operation can open it again.
    FDeviceLost = true;
    const quint64 generation = FGeneration;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == FGeneration)
                CloseAfterDeviceLoss();
        },
        Qt::QueuedConnection);
}

void TComPort::CloseAfterDeviceLoss()
{
    try {
        Close();
    } catch (const EComPort &) {
        // The device is gone; there is nothing left to purge.
    }
}
