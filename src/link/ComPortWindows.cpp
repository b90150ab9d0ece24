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
bool ApplyLineSettings(HANDLE handle)
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
bool ApplyTimeouts(HANDLE handle)
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
bool CompleteOverlapped(HANDLE handle, DWORD &transferred, Start start)
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
    explicit TDevice(TComPort &port) : Port(port) {}

    // Starts the overlapped wait for the next comm event.
    void StartWait();
    // The wait completed: announces received characters, then waits again.
    void OnCommEvent();

    TComPort &Port;
    HANDLE Handle = INVALID_HANDLE_VALUE;
    OVERLAPPED Wait {};          // the pending WaitCommEvent
    DWORD EventMask = 0;
    bool Waiting = false;
    QWinEventNotifier *Notifier = nullptr;
    qint64 LeftByHandler = 0;    // bytes a handler left unread: announced again only when more arrive

    bool IsOpen() const { return Handle != INVALID_HANDLE_VALUE; }

    // Stops the wait and releases the handle and the event.
    void Release()
    {
        if (!IsOpen())
            return;
        delete Notifier;
        Notifier = nullptr;
        SetCommMask(Handle, 0);  // completes a pending WaitCommEvent
        if (Waiting) {
            CancelIoEx(Handle, &Wait);
            DWORD ignored = 0;
            GetOverlappedResult(Handle, &Wait, &ignored, TRUE);
            Waiting = false;
        }
        PurgeComm(Handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
        if (Wait.hEvent)
            CloseHandle(Wait.hEvent);
        Wait = OVERLAPPED {};
        CloseHandle(Handle);
        Handle = INVALID_HANDLE_VALUE;
        LeftByHandler = 0;
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
    FDevice->Release();
}

void TComPort::TraceOpen(const QString &device)
{
    OutputDebugStringA(("CreateFile " + device.toLocal8Bit()).constData());
}

void TComPort::DeliverUnannounced()
{
    if (QueuedCount() > FDevice->LeftByHandler)
        DeliverNow();
}

bool TComPort::Connected() const
{
    return FDevice->IsOpen();
}

qint64 TComPort::QueuedCount()
{
    DWORD errors = 0;
    COMSTAT status {};
    if (!ClearCommError(FDevice->Handle, &errors, &status)) {
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
    FDevice->Handle = handle;
    if (!SetupComm(handle, kQueueSize, kQueueSize))
        FailAndClose(TComOperation::QueueSizes, int(GetLastError()));
    if (!ApplyLineSettings(handle))
        FailAndClose(TComOperation::LineSettings, int(GetLastError()));
    if (!ApplyTimeouts(handle))
        FailAndClose(TComOperation::Timeouts, int(GetLastError()));
    // Whatever the device sent while the port was closed is not ours.
    PurgeComm(handle, PURGE_RXCLEAR);
    FDevice->Wait.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!FDevice->Wait.hEvent || !SetCommMask(handle, EV_RXCHAR))
        FailAndClose(TComOperation::Open, int(GetLastError()));

    FDevice->Notifier = new QWinEventNotifier(FDevice->Wait.hEvent);
    const quint64 generation = FGeneration;
    connect(FDevice->Notifier, &QWinEventNotifier::activated, this, [this, generation] {
        if (generation == FGeneration)
            FDevice->OnCommEvent();
    });
    FDevice->StartWait();
}

void TComPort::TDevice::StartWait()
{
    ResetEvent(Wait.hEvent);
    EventMask = 0;
    if (WaitCommEvent(Handle, &EventMask, &Wait)) {
        SetEvent(Wait.hEvent);  // completed at once: handled like a completion
        Waiting = false;
        return;
    }
    if (GetLastError() == ERROR_IO_PENDING) {
        Waiting = true;
        return;
    }
    Port.ScheduleCloseAfterDeviceLoss();  // the device is gone
}

void TComPort::TDevice::OnCommEvent()
{
    if (!IsOpen())
        return;
    DWORD ignored = 0;
    bool ended = false;  // the driver ended the wait without telling which event
    if (Waiting && !GetOverlappedResult(Handle, &Wait, &ignored, FALSE)) {
        const DWORD error = GetLastError();
        if (error == ERROR_IO_INCOMPLETE)
            return;
        // A line without modem lines (Wine's COM port on a pseudo-terminal) ends the
        // wait this way when characters arrive; anything else means the device is gone.
        if (error != ERROR_OPERATION_ABORTED) {
            Waiting = false;
            Port.ScheduleCloseAfterDeviceLoss();
            return;
        }
        ended = true;
    }
    Waiting = false;
    ResetEvent(Wait.hEvent);
    const quint64 generation = Port.FGeneration;
    const bool arrived = Port.QueuedCount() > LeftByHandler;
    if ((ended || (EventMask & EV_RXCHAR)) && arrived)
        Port.OnReadyRead();
    // The handler may have closed the port, or closed and opened it again.
    if (generation != Port.FGeneration || !IsOpen() || Port.FDeviceLost)
        return;
    LeftByHandler = Port.QueuedCount();
    if (ended && !arrived) {
        // Nothing new: wait again a little later, so that such a driver cannot
        // keep the event loop busy.
        QTimer::singleShot(kRewaitMs, &Port, [this, generation] {
            if (generation == Port.FGeneration && IsOpen() && !Waiting)
                StartWait();
        });
        return;
    }
    StartWait();
}

void TComPort::FailAndClose(TComOperation operation, int systemError)
{
    FDevice->Release();
    ++FGeneration;
    throw EComPortExt(operation, systemError, FPort);
}

void TComPort::Close()
{
    if (!DeliverBeforeClose())
        return;
    const bool purged = FDeviceLost
        || PurgeComm(FDevice->Handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    const DWORD systemError = GetLastError();
    FDevice->Release();
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
    const HANDLE handle = FDevice->Handle;
    // Waits without a limit of its own: the write timeouts end it.
    if (!CompleteOverlapped(handle, written, [&](OVERLAPPED *overlapped) {
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
    const HANDLE handle = FDevice->Handle;
    // The read timeouts make the driver complete at once with what is queued.
    if (!CompleteOverlapped(handle, read, [&](OVERLAPPED *overlapped) {
            return ReadFile(handle, data, DWORD(count), nullptr, overlapped);
        }))
        throw EComPortExt(TComOperation::Read, int(GetLastError()), FPort);
    FDevice->LeftByHandler = qMax<qint64>(0, FDevice->LeftByHandler - qint64(read));
    return int(read);
}
