#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include "CommandFrames.h"

class TComPort;

// Translated texts the exchange writes to the log.
enum class TLinkMessage {
    SendingDatas,         // "Sending Datas..."
    DeleteDatas,          // "DELETE DATAS..."
    DeletionConfirmed,    // "DELETION CONFIRMED"
    NoPongReceived,       // "No Pong received!"
    MaybeNotInPcLinkMode  // "Maybe Ternu is not in PC Link mode."
};

// What the exchange needs of the window.
class IExchangeView {
public:
    virtual ~IExchangeView() = default;
    virtual void SetLinkCaption(const QString &caption) = 0;  // lbDevLink
    virtual void RepaintLinkCaption() = 0;                    // at once
    virtual void AppendLog(const QString &line) = 0;          // moMonitor
    // btnSend, btnDelete and imgDevice; the prompt labels on the photo stay enabled.
    virtual void SetDeviceControlsEnabled(bool enabled) = 0;
    // The busy cursor is a state, not a stack: setting it twice needs one reset.
    virtual void SetHourglassCursor() = 0;
    virtual void SetDefaultCursor() = 0;
    virtual void Beep() = 0;
    virtual void SetProgress(int percent) = 0;  // ProgressBar1
    virtual QString MessageText(TLinkMessage message) const = 0;
    // Encodes the window's settings; returns the 28-byte transfer payload.
    virtual QByteArray BuildSettings() = 0;
};

// One exchange with the cycling computer: a frame is written, the reply is
// recognised, and 550 ms after the frame (Timer2) the outcome is shown and the port
// closed; Timer3 (600 ms) then blinks a failure and restores "PC Link".
//
// The pauses after writes block the calling (GUI) thread on purpose: the device
// needs the line quiet, and received data are only handled after the pause.
// Handlers connected to signals (ComPort1RxChar, Timer2Timer, Timer3Timer) never throw.
class TDeviceExchange : public QObject {
    Q_OBJECT
public:
    static constexpr int kExchangeMs = 550;
    static constexpr int kBlinkMs = 600;
    static constexpr int kPongPauseMs = 2000;
    static constexpr int kClickPauseMs = 50;
    static constexpr int kReceiveBufferSize = 1025;

    static const QString kCaptionSending;  // "Sending"
    static const QString kCaptionOk;       // "    OK"
    static const QString kCaptionError;    // "   Error"
    static const QString kCaptionIdle;     // "PC Link"

    // With timers of its own, or with the owner's Timer2 and Timer3 (not owned; they
    // get their intervals here).
    TDeviceExchange(TComPort &port, IExchangeView &view, QObject *parent = nullptr);
    TDeviceExchange(TComPort &port, IExchangeView &view, QTimer &timer2, QTimer &timer3,
                    QObject *parent = nullptr);

    // Connects the port's notification and both timers to the handlers below. An
    // owner that wraps the handlers connects its wrappers instead.
    void ConnectOwnHandlers();

    // Starts a connection test, settings transfer or clearing on the named port.
    // An exchange still running is judged first (its outcome shown and the port
    // closed), so that its reply never counts for the new one. Throws the port's errors; the caller reports them and then calls
    // RecoverAfterFailure.
    void StartOperation(quint8 operation, const QString &portName);
    // After a failed open or write: port closed, controls enabled, default cursor,
    // progress 0, link label back to "PC Link".
    void RecoverAfterFailure();

    void OpenComPort(const QString &portName);
    void CloseComPort();  // never throws
    void SendCommand();   // throws the port's write error

    void ComPort1RxChar(int count);
    void Timer2Timer();
    void Timer3Timer();

    QTimer &Timer2() { return FTimer2; }
    QTimer &Timer3() { return FTimer3; }
    quint8 Operation() const { return FOperation; }
    bool AckReceived() const { return FAckReceived; }
    quint8 BlinkCount() const { return FBlinkCount; }

signals:
    // Timer2 has judged the exchange: whether the device gave the expected reply.
    void Finished(bool answered);

private:
    void FinishRunningExchange();
    void SetUpTimers();
    QString LogLineFor(quint8 operation) const;
    void HandlePong();
    static void StartIfIdle(QTimer &timer);
    static void Pause(int ms);

    TComPort &FPort;
    IExchangeView &FView;
    QTimer FOwnTimer2;
    QTimer FOwnTimer3;
    QTimer &FTimer2;
    QTimer &FTimer3;
    quint8 FOperation = 0;
    bool FAckReceived = false;
    quint8 FBlinkCount = 0;
    QByteArray FPayload;   // of the settings transfer
    QByteArray FReceived;  // since the exchange began, at most kReceiveBufferSize bytes
};
