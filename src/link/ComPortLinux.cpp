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
Q_LOGGING_CATEGORY(LcComPort, "ternu.link.port", QtWarningMsg)

namespace {

constexpr int kWriteMsPerByte = 100;
constexpr int kWriteConstantMs = 1000;

int LastSystemError()
{
    return errno;
}

// DTR on, RTS off; 0 or the system's error. A device without modem lines (a
// pseudo-terminal) is used without them.
int RaiseDtrLowerRts(int fd)
{
    const auto unsupported = [](int error) { return error == ENOTTY || error == EINVAL; };
    int dtr = TIOCM_DTR;
    if (::ioctl(fd, TIOCMBIS, &dtr) == -1) {
        const int error = LastSystemError();
        return unsupported(error) ? 0 : error;
    }
    int rts = TIOCM_RTS;
    if (::ioctl(fd, TIOCMBIC, &rts) == -1) {
        const int error = LastSystemError();
        return unsupported(error) ? 0 : error;
    }
    return 0;
}

}  // namespace

class TComPort::TDevice {
public:
    QSerialPort Serial;
};

TComPort::TComPort(const QString &portsFolder, QObject *parent)
    : QObject(parent), FPortsFolder(portsFolder), FDevice(std::make_unique<TDevice>())
{
    connect(&FDevice->Serial, &QSerialPort::readyRead, this, &TComPort::OnReadyRead);
    // An unplugged adapter reports a resource error; a hung-up line reads end of
    // file, which arrives as a read error, again and again until the port closes.
    connect(&FDevice->Serial, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
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
    qCDebug(LcComPort) << "CreateFile" << device;
}

void TComPort::DeliverUnannounced()
{
    FDevice->Serial.waitForReadyRead(0);  // announces data the system has but we have not read
    FDevice->Serial.clearError();
}

bool TComPort::Connected() const
{
    return FDevice->Serial.isOpen();
}

qint64 TComPort::QueuedCount()
{
    return FDevice->Serial.bytesAvailable();
}

void TComPort::Open()
{
    if (Connected())
        return;
    const QString device = ResolveForOpen(ENOENT);
    FDevice->Serial.setPortName(device);
    FDevice->Serial.setReadBufferSize(kInputSize);
    if (!FDevice->Serial.open(QIODevice::ReadWrite)) {
        const int systemError = LastSystemError();
        TraceOpen(device + QLatin1Char(' ') + FDevice->Serial.errorString());
        FDevice->Serial.clearError();
        throw EComPortExt(TComOperation::Open, systemError, FPort,
                          PortDiagnosis::OpenAdvice(FPort, device, systemError));
    }
    // The lock file keeps out programs that honour it; TIOCEXCL keeps out the rest.
    if (::ioctl(FDevice->Serial.handle(), TIOCEXCL) == -1)
        FailAndClose(TComOperation::Open, LastSystemError());
    const bool lineSet = FDevice->Serial.setBaudRate(QSerialPort::Baud9600)
        && FDevice->Serial.setDataBits(QSerialPort::Data8) && FDevice->Serial.setParity(QSerialPort::NoParity)
        && FDevice->Serial.setStopBits(QSerialPort::OneStop)
        && FDevice->Serial.setFlowControl(QSerialPort::NoFlowControl);
    if (!lineSet)
        FailAndClose(TComOperation::LineSettings, LastSystemError());
    if (const int error = RaiseDtrLowerRts(FDevice->Serial.handle()))
        FailAndClose(TComOperation::LineSettings, error);
    // Whatever the device sent while the port was closed is not ours.
    FDevice->Serial.clear(QSerialPort::Input);
    FDevice->Serial.clearError();
}

void TComPort::FailAndClose(TComOperation operation, int systemError)
{
    FDevice->Serial.close();
    FDevice->Serial.clearError();
    ++FGeneration;
    throw EComPortExt(operation, systemError, FPort);
}

void TComPort::Close()
{
    if (!DeliverBeforeClose())
        return;
    const bool purged = FDeviceLost || FDevice->Serial.clear(QSerialPort::AllDirections);
    const int systemError = LastSystemError();
    FDevice->Serial.close();
    FDevice->Serial.clearError();
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
        const int systemError = LastSystemError();
        if (FDeviceLost || FDevice->Serial.error() == QSerialPort::ResourceError) {
            FDeviceLost = true;
            FDevice->Serial.close();
            ++FGeneration;
        }
        FDevice->Serial.clearError();
        throw EComPortExt(TComOperation::Write, systemError, FPort);
    };

    if (FDevice->Serial.write(data, count) != count)
        fail();
    const QDeadlineTimer deadline(qint64(count) * kWriteMsPerByte + kWriteConstantMs);
    while (FDevice->Serial.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (FDevice->Serial.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
            continue;
        if (FDevice->Serial.error() == QSerialPort::TimeoutError || FDevice->Serial.error() == QSerialPort::NoError) {
            FDevice->Serial.clearError();
            continue;
        }
        fail();
    }
    const qint64 notWritten = FDevice->Serial.bytesToWrite();
    if (notWritten > 0)
        FDevice->Serial.clear(QSerialPort::Output);  // the write timed out: drop the rest
    FDevice->Serial.clearError();
    return count - int(notWritten);
}

int TComPort::ReadBytes(char *data, int count)
{
    if (!Connected())
        throw EComPortExt(TComOperation::Read, EBADF, FPort);
    if (count <= 0)
        return 0;
    const qint64 n = FDevice->Serial.read(data, count);
    if (n < 0) {
        const int systemError = LastSystemError();
        FDevice->Serial.clearError();
        throw EComPortExt(TComOperation::Read, systemError, FPort);
    }
    return int(n);
}
