#include "CliExchange.h"

#include <QEventLoop>

#include "CliErrors.h"
#include "CliOutput.h"
#include "ComPort.h"
#include "DeviceExchange.h"
#include "TsiLang.h"

namespace CliExchange {
namespace {

constexpr int kEnglish = 1;  // the first column of the translation table

// The exchange's view on a terminal: log lines and progress, nothing else.
class TConsoleView : public IExchangeView {
public:
    TConsoleView(TCliOutput &out, const TPayloadSource &payload) : FOut(out), FPayload(payload) {}

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
    const TPayloadSource &FPayload;
};

}  // namespace

QString EnglishText(int message)
{
    QString id;
    switch (TLinkMessage(message)) {
    case TLinkMessage::SendingDatas: id = QStringLiteral("strStrSendingDatas"); break;
    case TLinkMessage::DeleteDatas: id = QStringLiteral("strStrDELETEDATAS"); break;
    case TLinkMessage::DeletionConfirmed: id = QStringLiteral("strStrDELETIONCONFIRMED"); break;
    case TLinkMessage::NoPongReceived: id = QStringLiteral("strStrNoPongReceived"); break;
    case TLinkMessage::MaybeNotInPcLinkMode: id = QStringLiteral("strStrMaybeTernuIsNotI"); break;
    }
    // The window's built-in table, read once and only by commands that talk to a device.
    static const TsiLang table;
    for (const TTranslationEntry &entry : table.Table()[stStrings]) {
        if (entry.Key.compare(id, Qt::CaseInsensitive) == 0)
            return entry.Text(kEnglish);
    }
    return {};
}

int Run(quint8 operation, const QString &port, const QString &portsFolder, TCliOutput &out,
        const TPayloadSource &payload)
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
