#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <vector>

#include "DeviceExchange.h"

// The window as the exchange sees it: remembers every call in order.
class TRecordingView : public IExchangeView {
public:
    using TClock = std::chrono::steady_clock;

    QStringList Events;    // every call, e.g. "caption:Sending", "log:Ping", "progress:50"
    QStringList Log;       // moMonitor
    QStringList Captions;  // lbDevLink, in order
    QString Caption = QStringLiteral("PC  Link");
    QList<int> Progress;
    bool ControlsEnabled = true;
    bool BusyCursor = false;
    int Beeps = 0;
    std::vector<TClock::time_point> LogTimes;
    QByteArray Payload = QByteArray::fromHex(  // default settings at 14:35 on 10.08.2010
        "00000000000052080008B0000000968235141008100014000002A800");

    void SetLinkCaption(const QString &text) override
    {
        Caption = text;
        Captions << text;
        Events << QStringLiteral("caption:") + text;
    }
    void RepaintLinkCaption() override { Events << QStringLiteral("repaint"); }
    void AppendLog(const QString &line) override
    {
        Log << line;
        LogTimes.push_back(TClock::now());
        Events << QStringLiteral("log:") + line;
    }
    void SetDeviceControlsEnabled(bool enabled) override
    {
        ControlsEnabled = enabled;
        Events << (enabled ? QStringLiteral("controls:on") : QStringLiteral("controls:off"));
    }
    void SetHourglassCursor() override
    {
        BusyCursor = true;
        Events << QStringLiteral("cursor:busy");
    }
    void SetDefaultCursor() override
    {
        BusyCursor = false;
        Events << QStringLiteral("cursor:default");
    }
    void Beep() override
    {
        ++Beeps;
        Events << QStringLiteral("beep");
    }
    void SetProgress(int percent) override
    {
        Progress << percent;
        Events << QStringLiteral("progress:%1").arg(percent);
    }
    QString MessageText(TLinkMessage message) const override
    {
        switch (message) {
        case TLinkMessage::SendingDatas: return QStringLiteral("Sending Datas...");
        case TLinkMessage::DeleteDatas: return QStringLiteral("DELETE DATAS...");
        case TLinkMessage::DeletionConfirmed: return QStringLiteral("DELETION CONFIRMED");
        case TLinkMessage::NoPongReceived: return QStringLiteral("No Pong received!");
        case TLinkMessage::MaybeNotInPcLinkMode:
            return QStringLiteral("Maybe Ternu is not in PC Link mode.");
        }
        return {};
    }
    QByteArray BuildSettings() override
    {
        Events << QStringLiteral("build");
        return Payload;
    }
};
