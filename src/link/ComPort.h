#pragma once
#include <QObject>
#include <QString>
#include <memory>

#include "ComPortErrors.h"

// The serial port of the PC-link interface: 9600 baud, 8N1, DTR on, RTS off, no
// handshake, opened exclusively. The port is named by its COM name; the name is
// resolved to a device when the port opens (on Linux through the fixed ranges or
// an alias in the Ports folder, on Windows as "\\.\COMn").
//
// The system's side lives in one file per platform (ComPortLinux.cpp on Qt
// SerialPort, ComPortWindows.cpp on the Win32 communications API); the delivery
// rules below are shared (ComPort.cpp).
//
// Received data are announced by RxChar(count) on the GUI thread, count being the
// number of bytes queued (never 0). A notification never runs inside WriteBytes:
// data that arrive while a write is in progress are announced once the event loop
// runs again. A notification that is pending when Close runs is still delivered,
// before the device is closed.
class TComPort : public QObject {
    Q_OBJECT
public:
    // Size of the receive queue; more bytes stay with the system until read.
    static constexpr qint64 kInputSize = 1024;

    explicit TComPort(const QString &portsFolder, QObject *parent = nullptr);
    ~TComPort() override;

    // Where port aliases are looked up; used from the next Open on.
    void SetPortsFolder(const QString &portsFolder) { FPortsFolder = portsFolder; }

    QString Port() const { return FPort; }
    // Stores the name; only while closed (throws std::logic_error otherwise).
    void SetPort(const QString &name);

    bool Connected() const;

    // Opens the port named by Port(); nothing when already open. Throws EComPortExt
    // (operation Open or LineSettings) and leaves the port closed on failure.
    void Open();
    // Closes the port; nothing unless Connected().
    void Close();

    // Writes all bytes and returns when they are written or the write timeout
    // (100 ms per byte + 1000 ms) has passed; returns the number written. Throws
    // EComPortExt (Write) when the system refuses the write.
    int WriteBytes(const char *data, int count);
    // Copies at most count queued bytes; never waits. Throws EComPortExt (Read).
    int ReadBytes(char *data, int count);

    // Stops announcing received data until the port is closed and opened again,
    // as after an error inside the received-data handler.
    void SuspendNotifications() { FSuspended = true; }

signals:
    void RxChar(int count);

private:
    class TDevice;  // the open device and the system's notification of received data

    // Shared: the start of Open, Close and WriteBytes.
    QString ResolveForOpen(int noSuchPortError);
    bool DeliverBeforeClose();
    void CheckWritable(int notOpenError) const;

    // Held while a write waits: data that arrive meanwhile are announced when
    // the outermost write has ended.
    class TWriteHold {
    public:
        explicit TWriteHold(TComPort &port) : FOwner(port) { ++FOwner.FWriteDepth; }
        ~TWriteHold()
        {
            if (--FOwner.FWriteDepth == 0 && FOwner.FPending)
                FOwner.QueueDelivery();
        }
        TWriteHold(const TWriteHold &) = delete;
        TWriteHold &operator=(const TWriteHold &) = delete;

    private:
        TComPort &FOwner;
    };

    // Shared: announcing received data.
    void OnReadyRead();
    void DeliverPending();
    void DeliverNow();
    void QueueDelivery();
    void CloseAfterDeviceLoss();
    void ScheduleCloseAfterDeviceLoss();

    // Per platform.
    qint64 QueuedCount();  // bytes in the receive queue
    void DeliverUnannounced();  // announces what the system holds but has not announced
    static void TraceOpen(const QString &device);  // a developer's diagnostic
    [[noreturn]] void FailAndClose(TComOperation operation, int systemError);

    QString FPortsFolder;
    QString FPort = QStringLiteral("COM1");
    std::unique_ptr<TDevice> FDevice;
    int FWriteDepth = 0;        // > 0 while a write waits; notifications are held back
    bool FPending = false;      // data arrived while held back
    bool FDelivering = false;   // inside an RxChar handler
    bool FSuspended = false;
    bool FDeviceLost = false;   // the device reported a resource error
    quint64 FGeneration = 0;    // counts opens, so stale queued work is dropped
};
