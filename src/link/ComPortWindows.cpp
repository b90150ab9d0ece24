// The serial port on Windows: the Win32 communications API on "\\.\COMn", opened
// exclusively and overlapped. The wait for received characters is an overlapped
// WaitCommEvent whose event a QWinEventNotifier watches, so that its completion is
// handled on the GUI thread; the next wait starts only after the handler has run.
#include "ComPort.h"

#include <QScopeGuard>
#include <QTimer>
#include <QWinEventNotifier>

#include "PortDiagnosis.h"

#include <windows.h>

namespace {

constexpr DWORD kQueueSize = 1024;
constexpr DWORD kWriteMsPerByte = 100;
constexpr DWORD kWriteConstantMs = 1000;
constexpr int kRewaitMs = 20;

// The line: 9600 8N1, binary, DTR raised while open, RTS low, no handshake.
bool applyLineSettings(HANDLE handle)
{
    DCB dcb {};
    dcb.DCBlength = sizeof(dcb);
    if (!GetCommState(handle, &dcb))
        return false;
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fAbortOnError = FALSE;
    dcb.XonLim = kQueueSize / 4;
    dcb.XoffLim = kQueueSize / 4;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    dcb.EvtChar = 0;
    return SetCommState(handle, &dcb);
}

// A read returns at once with what is queued; a write takes at most 100 ms per
// byte plus one second.
bool applyTimeouts(HANDLE handle)
{
    COMMTIMEOUTS timeouts {};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = kWriteMsPerByte;
    timeouts.WriteTotalTimeoutConstant = kWriteConstantMs;
    return SetCommTimeouts(handle, &timeouts);
}

// Runs an overlapped transfer to its end; false with GetLastError() set on failure.
template <typename Start>
bool completeOverlapped(HANDLE handle, DWORD &transferred, Start start)
{
    OVERLAPPED overlapped {};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped.hEvent)
        return false;
    const auto closeEvent = qScopeGuard([&overlapped] { CloseHandle(overlapped.hEvent); });
    transferred = 0;
    if (!start(&overlapped) && GetLastError() != ERROR_IO_PENDING)
        return false;
    return GetOverlappedResult(handle, &overlapped, &transferred, TRUE);
}

}  // namespace

class TComPort::TDevice {
public:
    explicit TDevice(TComPort &port) : port(port) {}

    // Starts the overlapped wait for the next comm event.
    void startWait();
    // The wait completed: announces received characters, then waits again.
    void onCommEvent();

    TComPort &port;
    HANDLE handle = INVALID_HANDLE_VALUE;
    OVERLAPPED wait {};          // the pending WaitCommEvent
    DWORD eventMask = 0;
    bool waiting = false;
    QWinEventNotifier *notifier = nullptr;
    qint64 leftByHandler = 0;    // bytes a handler left unread: announced again only when more arrive

    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }

    // Stops the wait and releases the handle and the event.
    void release()
    {
        if (!isOpen())
            return;
        delete notifier;
        notifier = nullptr;
        SetCommMask(handle, 0);  // completes a pending WaitCommEvent
        if (waiting) {
            CancelIoEx(handle, &wait);
            DWORD ignored = 0;
            GetOverlappedResult(handle, &wait, &ignored, TRUE);
            waiting = false;
        }
        PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
        if (wait.hEvent)
            CloseHandle(wait.hEvent);
        wait = OVERLAPPED {};
        CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        leftByHandler = 0;
    }
};

TComPort::TComPort(const QString &portsFolder, QObject *parent)
    : QObject(parent), FPortsFolder(portsFolder), FDevice(std::make_unique<TDevice>(*this))
{
}

TComPort::~TComPort()
{
    blockSignals(true);  // whoever listened may be gone already
    try {
        Close();
    } catch (...) {
        // The device goes away with us either way.
    }
    FDevice->release();
}

void TComPort::TraceOpen(const QString &device)
{
    OutputDebugStringA(("CreateFile " + device.toLocal8Bit()).constData());
}

void TComPort::DeliverUnannounced()
{
    if (QueuedCount() > FDevice->leftByHandler)
        DeliverNow();
}

bool TComPort::Connected() const
{
    return FDevice->isOpen();
}

qint64 TComPort::QueuedCount()
{
    DWORD errors = 0;
    COMSTAT status {};
    if (!ClearCommError(FDevice->handle, &errors, &status)) {
        ScheduleCloseAfterDeviceLoss();
        return 0;
    }
    return qint64(status.cbInQue);
}

void TComPort::Open()
{
    if (Connected())
        return;
    const QString device = ResolveForOpen(ERROR_FILE_NOT_FOUND);
    const QByteArray path = device.toLocal8Bit();
    HANDLE handle = CreateFileA(path.constData(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        TraceOpen(device);
        throw EComPortExt(TComOperation::Open, int(error), FPort,
                          PortDiagnosis::OpenAdvice(FPort, device, int(error)));
    }
    FDevice->handle = handle;
    if (!SetupComm(handle, kQueueSize, kQueueSize))
        FailAndClose(TComOperation::QueueSizes, int(GetLastError()));
    if (!applyLineSettings(handle))
        FailAndClose(TComOperation::LineSettings, int(GetLastError()));
    if (!applyTimeouts(handle))
        FailAndClose(TComOperation::Timeouts, int(GetLastError()));
    // Whatever the device sent while the port was closed is not ours.
    PurgeComm(handle, PURGE_RXCLEAR);
    FDevice->wait.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!FDevice->wait.hEvent || !SetCommMask(handle, EV_RXCHAR))
        FailAndClose(TComOperation::Open, int(GetLastError()));

    FDevice->notifier = new QWinEventNotifier(FDevice->wait.hEvent);
    const quint64 generation = FGeneration;
    connect(FDevice->notifier, &QWinEventNotifier::activated, this, [this, generation] {
        if (generation == FGeneration)
            FDevice->onCommEvent();
    });
    FDevice->startWait();
}

void TComPort::TDevice::startWait()
{
    ResetEvent(wait.hEvent);
    eventMask = 0;
    if (WaitCommEvent(handle, &eventMask, &wait)) {
        SetEvent(wait.hEvent);  // completed at once: handled like a completion
        waiting = false;
        return;
    }
    if (GetLastError() == ERROR_IO_PENDING) {
        waiting = true;
        return;
    }
    port.ScheduleCloseAfterDeviceLoss();  // the device is gone
}

void TComPort::TDevice::onCommEvent()
{
    if (!isOpen())
        return;
    DWORD ignored = 0;
    bool ended = false;  // the driver ended the wait without telling which event
    if (waiting && !GetOverlappedResult(handle, &wait, &ignored, FALSE)) {
        const DWORD error = GetLastError();
        if (error == ERROR_IO_INCOMPLETE)
            return;
        // A line without modem lines (Wine's COM port on a pseudo-terminal) ends the
        // wait this way when characters arrive; anything else means the device is gone.
        if (error != ERROR_OPERATION_ABORTED) {
            waiting = false;
            port.ScheduleCloseAfterDeviceLoss();
            return;
        }
        ended = true;
    }
    waiting = false;
    ResetEvent(wait.hEvent);
    const quint64 generation = port.FGeneration;
    const bool arrived = port.QueuedCount() > leftByHandler;
    if ((ended || (eventMask & EV_RXCHAR)) && arrived)
        port.OnReadyRead();
    // The handler may have closed the port, or closed and opened it again.
    if (generation != port.FGeneration || !isOpen() || port.FDeviceLost)
        return;
    leftByHandler = port.QueuedCount();
    if (ended && !arrived) {
        // Nothing new: wait again a little later, so that such a driver cannot
        // keep the event loop busy.
        QTimer::singleShot(kRewaitMs, &port, [this, generation] {
            if (generation == port.FGeneration && isOpen() && !waiting)
                startWait();
        });
        return;
    }
    startWait();
}

void TComPort::FailAndClose(TComOperation operation, int systemError)
{
    FDevice->release();
    ++FGeneration;
    throw EComPortExt(operation, systemError, FPort);
}

void TComPort::Close()
{
    if (!DeliverBeforeClose())
        return;
    const bool purged = FDeviceLost
        || PurgeComm(FDevice->handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    const DWORD systemError = GetLastError();
    FDevice->release();
    FPending = false;
    ++FGeneration;
    if (!purged)
        throw EComPortExt(TComOperation::Purge, int(systemError), FPort);
}

int TComPort::WriteBytes(const char *data, int count)
{
    CheckWritable(ERROR_INVALID_HANDLE);
    if (count <= 0)
        return 0;
    const TWriteHold hold(*this);
    DWORD written = 0;
    const HANDLE handle = FDevice->handle;
    // Waits without a limit of its own: the write timeouts end it.
    if (!completeOverlapped(handle, written, [&](OVERLAPPED *overlapped) {
            return WriteFile(handle, data, DWORD(count), nullptr, overlapped);
        }))
        throw EComPortExt(TComOperation::Write, int(GetLastError()), FPort);
    return int(written);
}

int TComPort::ReadBytes(char *data, int count)
{
    if (!Connected())
        throw EComPortExt(TComOperation::Read, ERROR_INVALID_HANDLE, FPort);
    if (count <= 0)
        return 0;
    DWORD read = 0;
    const HANDLE handle = FDevice->handle;
    // The read timeouts make the driver complete at once with what is queued.
    if (!completeOverlapped(handle, read, [&](OVERLAPPED *overlapped) {
            return ReadFile(handle, data, DWORD(count), nullptr, overlapped);
        }))
        throw EComPortExt(TComOperation::Read, int(GetLastError()), FPort);
    FDevice->leftByHandler = qMax<qint64>(0, FDevice->leftByHandler - qint64(read));
    return int(read);
}
