#include "CliExchange.h"

#include <QEventLoop>

#include "CliErrors.h"
#include "CliOutput.h"
#include "ComPort.h"
#include "DeviceExchange.h"

namespace CliExchange {
namespace {

// The exchange's view on a terminal: log lines and progress, nothing else.
class TConsoleView : public IExchangeView {
public:
    TConsoleView(TCliOutput &out, const PayloadSource &payload) : FOut(out), FPayload(payload) {}

    void SetLinkCaption(const QString &) override {}
    void RepaintLinkCaption() override {}
    void AppendLog(const QString &line) override { FOut.Line(line); }
    void SetDeviceControlsEnabled(bool) override {}
    void SetHourglassCursor() override {}
    void SetDefaultCursor() override {}
    void Beep() override {}
    void SetProgress(int percent) override { FOut.Progress(percent); }
    QString MessageText(TLinkMessage message) const override { return EnglishText(int(message)); }
    QByteArray BuildSettings() override { return FPayload ? FPayload() : QByteArray(); }

private:
    TCliOutput &FOut;
    const PayloadSource &FPayload;
};

}  // namespace

QString EnglishText(int message)
{
    switch (TLinkMessage(message)) {
    case TLinkMessage::SendingDatas: return QStringLiteral("Sending Datas...");
    case TLinkMessage::DeleteDatas: return QStringLiteral("DELETE DATAS...");
    case TLinkMessage::DeletionConfirmed: return QStringLiteral("DELETION CONFIRMED");
    case TLinkMessage::NoPongReceived: return QStringLiteral("No Pong received!");
    case TLinkMessage::MaybeNotInPcLinkMode: return QStringLiteral("Maybe Ternu is not in PC Link mode.");
    }
    return {};
}

int Run(quint8 operation, const QString &port, const QString &portsFolder, TCliOutput &out,
        const PayloadSource &payload)
{
    TComPort comPort(portsFolder);
    TConsoleView view(out, payload);
    TDeviceExchange exchange(comPort, view);
    exchange.ConnectOwnHandlers();

    QEventLoop loop;
    bool answered = false;
    QObject::connect(&exchange, &TDeviceExchange::Finished, &loop, [&](bool ok) {
        answered = ok;
        loop.quit();
    });
    try {
        exchange.StartOperation(operation, port);
    } catch (const EComPort &e) {
        exchange.RecoverAfterFailure();
        const int code = e.Operation() == TComOperation::Write ? ExitCode::NoAnswer : ExitCode::NoPort;
        throw ECliError{code, QString::fromUtf8(e.what())};
    }
    loop.exec();
    exchange.Timer3().stop();  // no caption to blink here
    return answered ? ExitCode::Ok : ExitCode::NoAnswer;
}

}  // namespace CliExchange
