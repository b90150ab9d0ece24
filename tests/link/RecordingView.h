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
    using Clock = std::chrono::steady_clock;

    QStringList events;    // every call, e.g. "caption:Sending", "log:Ping", "progress:50"
    QStringList log;       // moMonitor
    QStringList captions;  // lbDevLink, in order
    QString caption = QStringLiteral("PC  Link");
    QList<int> progress;
    bool controlsEnabled = true;
    bool busyCursor = false;
    int beeps = 0;
    std::vector<Clock::time_point> logTimes;
    QByteArray payload = QByteArray::fromHex(  // default settings at 14:35 on 10.08.2010
        "00000000000052080008B0000000968235141008100014000002A800");

    void SetLinkCaption(const QString &text) override
    {
        caption = text;
        captions << text;
        events << QStringLiteral("caption:") + text;
    }
    void RepaintLinkCaption() override { events << QStringLiteral("repaint"); }
    void AppendLog(const QString &line) override
    {
        log << line;
        logTimes.push_back(Clock::now());
        events << QStringLiteral("log:") + line;
    }
    void SetDeviceControlsEnabled(bool enabled) override
    {
        controlsEnabled = enabled;
        events << (enabled ? QStringLiteral("controls:on") : QStringLiteral("controls:off"));
    }
    void SetHourglassCursor() override
    {
        busyCursor = true;
        events << QStringLiteral("cursor:busy");
    }
    void SetDefaultCursor() override
    {
        busyCursor = false;
        events << QStringLiteral("cursor:default");
    }
    void Beep() override
    {
        ++beeps;
        events << QStringLiteral("beep");
    }
    void SetProgress(int percent) override
    {
        progress << percent;
        events << QStringLiteral("progress:%1").arg(percent);
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
        events << QStringLiteral("build");
        return payload;
    }
};
