// The serial port on Linux: Qt SerialPort on the device node the COM name resolves
// to, kept exclusive with a lock file and TIOCEXCL.
#include "ComPort.h"

#include <QSerialPort>

#include <QDeadlineTimer>
#include <cerrno>
#include <QLoggingCategory>
#include <QScopeGuard>

#include "PortDiagnosis.h"

#include <sys/ioctl.h>
#include <termios.h>

// Diagnostics for a developer (QT_LOGGING_RULES="ternu.link.port.debug=true").
Q_LOGGING_CATEGORY(lcComPort, "ternu.link.port", QtWarningMsg)

namespace {

constexpr int kWriteMsPerByte = 100;
constexpr int kWriteConstantMs = 1000;

int lastSystemError()
{
    return errno;
}

// DTR on, RTS off; 0 or the system's error. A device without modem lines (a
// pseudo-terminal) is used without them.
int raiseDtrLowerRts(int fd)
{
    const auto unsupported = [](int error) { return error == ENOTTY || error == EINVAL; };
    int dtr = TIOCM_DTR;
    if (::ioctl(fd, TIOCMBIS, &dtr) == -1) {
        const int error = lastSystemError();
        return unsupported(error) ? 0 : error;
    }
    int rts = TIOCM_RTS;
    if (::ioctl(fd, TIOCMBIC, &rts) == -1) {
        const int error = lastSystemError();
        return unsupported(error) ? 0 : error;
    }
    return 0;
}

}  // namespace

class TComPort::TDevice {
public:
    QSerialPort serial;
};

TComPort::TComPort(const QString &portsFolder, QObject *parent)
    : QObject(parent), FPortsFolder(portsFolder), FDevice(std::make_unique<TDevice>())
{
    connect(&FDevice->serial, &QSerialPort::readyRead, this, &TComPort::OnReadyRead);
    // An unplugged adapter reports a resource error; a hung-up line reads end of
    // file, which arrives as a read error, again and again until the port closes.
    connect(&FDevice->serial, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError)
            ScheduleCloseAfterDeviceLoss();
    });
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

void TComPort::TraceOpen(const QString &device)
{
    qCDebug(lcComPort) << "CreateFile" << device;
}

void TComPort::DeliverUnannounced()
{
    FDevice->serial.waitForReadyRead(0);  // announces data the system has but we have not read
    FDevice->serial.clearError();
}

bool TComPort::Connected() const
{
    return FDevice->serial.isOpen();
}

qint64 TComPort::QueuedCount()
{
    return FDevice->serial.bytesAvailable();
}

void TComPort::Open()
{
    if (Connected())
        return;
    const QString device = ResolveForOpen(ENOENT);
    FDevice->serial.setPortName(device);
    FDevice->serial.setReadBufferSize(kInputSize);
    if (!FDevice->serial.open(QIODevice::ReadWrite)) {
        const int systemError = lastSystemError();
        TraceOpen(device + QLatin1Char(' ') + FDevice->serial.errorString());
        FDevice->serial.clearError();
        throw EComPortExt(TComOperation::Open, systemError, FPort,
                          PortDiagnosis::OpenAdvice(FPort, device, systemError));
    }
    // The lock file keeps out programs that honour it; TIOCEXCL keeps out the rest.
    if (::ioctl(FDevice->serial.handle(), TIOCEXCL) == -1)
        FailAndClose(TComOperation::Open, lastSystemError());
    const bool lineSet = FDevice->serial.setBaudRate(QSerialPort::Baud9600)
        && FDevice->serial.setDataBits(QSerialPort::Data8) && FDevice->serial.setParity(QSerialPort::NoParity)
        && FDevice->serial.setStopBits(QSerialPort::OneStop)
        && FDevice->serial.setFlowControl(QSerialPort::NoFlowControl);
    if (!lineSet)
        FailAndClose(TComOperation::LineSettings, lastSystemError());
    if (const int error = raiseDtrLowerRts(FDevice->serial.handle()))
        FailAndClose(TComOperation::LineSettings, error);
    // Whatever the device sent while the port was closed is not ours.
    FDevice->serial.clear(QSerialPort::Input);
    FDevice->serial.clearError();
}

void TComPort::FailAndClose(TComOperation operation, int systemError)
{
    FDevice->serial.close();
    FDevice->serial.clearError();
    ++FGeneration;
    throw EComPortExt(operation, systemError, FPort);
}

void TComPort::Close()
{
    if (!DeliverBeforeClose())
        return;
    const bool purged = FDeviceLost || FDevice->serial.clear(QSerialPort::AllDirections);
    const int systemError = lastSystemError();
    FDevice->serial.close();
    FDevice->serial.clearError();
    FPending = false;
    ++FGeneration;
    if (!purged)
        throw EComPortExt(TComOperation::Purge, systemError, FPort);
}

int TComPort::WriteBytes(const char *data, int count)
{
    CheckWritable(EBADF);
    if (count <= 0)
        return 0;
    const TWriteHold hold(*this);

    const auto fail = [this]() {
        const int systemError = lastSystemError();
        if (FDeviceLost || FDevice->serial.error() == QSerialPort::ResourceError) {
            FDeviceLost = true;
            FDevice->serial.close();
            ++FGeneration;
        }
        FDevice->serial.clearError();
        throw EComPortExt(TComOperation::Write, systemError, FPort);
    };

    if (FDevice->serial.write(data, count) != count)
        fail();
    const QDeadlineTimer deadline(qint64(count) * kWriteMsPerByte + kWriteConstantMs);
    while (FDevice->serial.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (FDevice->serial.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
            continue;
        if (FDevice->serial.error() == QSerialPort::TimeoutError || FDevice->serial.error() == QSerialPort::NoError) {
            FDevice->serial.clearError();
            continue;
        }
        fail();
    }
    const qint64 notWritten = FDevice->serial.bytesToWrite();
    if (notWritten > 0)
        FDevice->serial.clear(QSerialPort::Output);  // the write timed out: drop the rest
    FDevice->serial.clearError();
    return count - int(notWritten);
}

int TComPort::ReadBytes(char *data, int count)
{
    if (!Connected())
        throw EComPortExt(TComOperation::Read, EBADF, FPort);
    if (count <= 0)
        return 0;
    const qint64 n = FDevice->serial.read(data, count);
    if (n < 0) {
        const int systemError = lastSystemError();
        FDevice->serial.clearError();
        throw EComPortExt(TComOperation::Read, systemError, FPort);
    }
    return int(n);
}
