#include "DeviceExchange.h"

#include <QThread>

#include "ComPort.h"

const QString TDeviceExchange::kCaptionSending = QStringLiteral("Sending");
const QString TDeviceExchange::kCaptionOk = QStringLiteral("    OK");
const QString TDeviceExchange::kCaptionError = QStringLiteral("   Error");
const QString TDeviceExchange::kCaptionIdle = QStringLiteral("PC Link");

// The own timers are named only in this constructor's own initializer list: a
// delegating constructor would touch them before the object exists.
TDeviceExchange::TDeviceExchange(TComPort &port, IExchangeView &view, QObject *parent)
    : QObject(parent), FPort(port), FView(view), FTimer2(FOwnTimer2), FTimer3(FOwnTimer3)
{
    SetUpTimers();
}

TDeviceExchange::TDeviceExchange(TComPort &port, IExchangeView &view, QTimer &timer2,
                                 QTimer &timer3, QObject *parent)
    : QObject(parent), FPort(port), FView(view), FTimer2(timer2), FTimer3(timer3)
{
    SetUpTimers();
}

void TDeviceExchange::SetUpTimers()
{
    // Precise timers: a coarse one may fire a little early, before the device had
    // its full time to answer.
    FTimer2.stop();
    FTimer2.setSingleShot(false);
    FTimer2.setTimerType(Qt::PreciseTimer);
    FTimer2.setInterval(kExchangeMs);
    FTimer3.stop();
    FTimer3.setSingleShot(false);
    FTimer3.setTimerType(Qt::PreciseTimer);
    FTimer3.setInterval(kBlinkMs);
}

void TDeviceExchange::ConnectOwnHandlers()
{
    connect(&FPort, &TComPort::RxChar, this, &TDeviceExchange::ComPort1RxChar);
    connect(&FTimer2, &QTimer::timeout, this, &TDeviceExchange::Timer2Timer);
    connect(&FTimer3, &QTimer::timeout, this, &TDeviceExchange::Timer3Timer);
}

void TDeviceExchange::StartIfIdle(QTimer &timer)
{
    // A running timer keeps counting from its first start.
    if (!timer.isActive())
        timer.start();
}

void TDeviceExchange::Pause(int ms)
{
    if (ms > 0)
        QThread::msleep(ms);
}

QString TDeviceExchange::LogLineFor(quint8 operation) const
{
    switch (operation) {
    case TOperationCode::ConnectionTest: return QStringLiteral("Ping");
    case TOperationCode::SettingsTransfer: return FView.MessageText(TLinkMessage::SendingDatas);
    case TOperationCode::ClearMemory: return FView.MessageText(TLinkMessage::DeleteDatas);
    default: return {};
    }
}

void TDeviceExchange::FinishRunningExchange()
{
    // Judged now with what its device has answered so far: a reply to it must not
    // count for the next exchange, and the next one failing must not hide it.
    if (!FTimer2.isActive())
        return;
    CloseComPort();  // hands it what has arrived but was not announced yet
    Timer2Timer();
}

void TDeviceExchange::StartOperation(quint8 operation, const QString &portName)
{
    FinishRunningExchange();
    FTimer3.stop();  // an earlier outcome may still be blinking
    FView.SetDeviceControlsEnabled(false);
    FView.SetHourglassCursor();
    FAckReceived = false;
    FView.SetProgress(0);
    if (operation == TOperationCode::SettingsTransfer)
        FPayload = FView.BuildSettings();
    FView.SetProgress(50);
    OpenComPort(portName);
    FView.SetProgress(75);
    FView.AppendLog(LogLineFor(operation));
    FOperation = operation;
    SendCommand();
    FView.SetProgress(100);
    Pause(kClickPauseMs);
    FView.SetProgress(0);
}

void TDeviceExchange::RecoverAfterFailure()
{
    FTimer2.stop();
    CloseComPort();
    FView.SetLinkCaption(kCaptionIdle);
    FView.RepaintLinkCaption();
    FView.SetDeviceControlsEnabled(true);
    FView.SetDefaultCursor();
    FView.SetProgress(0);
}

void TDeviceExchange::OpenComPort(const QString &portName)
{
    CloseComPort();
    FPort.SetPort(portName);
    FPort.Open();
}

void TDeviceExchange::CloseComPort()
{
    if (!FPort.Connected())
        return;
    try {
        FPort.Close();
    } catch (const std::exception &) {
        // Closing is best effort; the device is released either way.
    }
}

void TDeviceExchange::SendCommand()
{
    FBlinkCount = 0;
    const QByteArray frame = CommandFrames::Build(FOperation, FPayload);
    if (!frame.isEmpty()) {
        if (FOperation != TOperationCode::FollowUp) {
            FReceived.clear();  // the reply is judged from the first byte after this frame
            FView.SetLinkCaption(kCaptionSending);
            FView.RepaintLinkCaption();
        }
        FPort.WriteBytes(frame.constData(), int(frame.size()));
        Pause(CommandFrames::PauseAfterWriteMs(FOperation));
    }
    StartIfIdle(FTimer2);
}

void TDeviceExchange::ComPort1RxChar(int count)
{
    try {
        QByteArray chunk(qBound(0, count, kReceiveBufferSize), '\0');
        chunk.truncate(FPort.ReadBytes(chunk.data(), int(chunk.size())));
        // A reply may come in pieces: the bytes of one exchange are judged together.
        FReceived.append(chunk.left(kReceiveBufferSize - FReceived.size()));
        if (FAckReceived || !CommandFrames::IsExpectedReply(FOperation, FReceived))
            return;
        switch (FOperation) {
        case TOperationCode::ConnectionTest:
            HandlePong();
            break;
        case TOperationCode::SettingsTransfer:
            FView.AppendLog(QStringLiteral("ACK_OK"));
            FAckReceived = true;
            FView.Beep();
            break;
        case TOperationCode::ClearMemory:
            FView.AppendLog(FView.MessageText(TLinkMessage::DeletionConfirmed));
            FAckReceived = true;
            FView.Beep();
            break;
        default:
            break;
        }
    } catch (const std::exception &) {
        // Not shown to the user: the port stays quiet until the next operation
        // reopens it, and Timer2 ends the exchange as usual.
        FPort.SuspendNotifications();
    }
}

void TDeviceExchange::HandlePong()
{
    FView.SetProgress(100);
    FView.AppendLog(QStringLiteral("Pong"));
    FView.SetLinkCaption(kCaptionOk);
    FAckReceived = true;
    FView.Beep();
    FView.SetProgress(0);
    Pause(kPongPauseMs);
    FOperation = TOperationCode::FollowUp;
    SendCommand();
}

void TDeviceExchange::Timer2Timer()
{
    StartIfIdle(FTimer3);
    switch (FOperation) {
    case TOperationCode::ConnectionTest:
        if (FAckReceived) {
            FView.SetLinkCaption(kCaptionOk);
        } else {
            FView.SetLinkCaption(kCaptionError);
            FView.AppendLog(FView.MessageText(TLinkMessage::NoPongReceived));
            FView.AppendLog(FView.MessageText(TLinkMessage::MaybeNotInPcLinkMode));
        }
        break;
    case TOperationCode::SettingsTransfer:
    case TOperationCode::ClearMemory:
        if (FAckReceived) {
            FView.SetLinkCaption(kCaptionOk);
        } else {
            FView.AppendLog(QStringLiteral("ACK_ERROR"));
            FView.SetLinkCaption(kCaptionError);
        }
        break;
    default:
        break;
    }
    FView.RepaintLinkCaption();
    CloseComPort();  // a notification still pending is handled in here
    FView.SetDeviceControlsEnabled(true);
    FView.SetDefaultCursor();
    FTimer2.stop();
    emit Finished(FAckReceived);
}

void TDeviceExchange::Timer3Timer()
{
    if (FAckReceived) {
        FBlinkCount = 10;
    } else {
        ++FBlinkCount;
        FView.SetLinkCaption(FBlinkCount % 2 == 0 ? kCaptionError : QString());
    }
    if (FBlinkCount > 6) {
        FTimer3.stop();
        FView.SetLinkCaption(kCaptionIdle);
    }
    FView.RepaintLinkCaption();
}
