#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ComPort.h"
#include "DeviceExchange.h"
#include "FakeDevice.h"
#include "PortNames.h"
#include "RecordingView.h"

namespace {

using namespace std::chrono_literals;
using Kind = TReceivedFrame::Kind;

const QString kPort = QStringLiteral("COM7");
const QString kOk = QStringLiteral("    OK");
const QString kError = QStringLiteral("   Error");

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

class DeviceExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        Plug();
        exchange.ConnectOwnHandlers();
    }

    void Plug()
    {
        device = std::make_unique<TFakeDevice>();
        ASSERT_TRUE(PortNames::writeAlias(folder.path(), 7, device->SlavePath(), std::nullopt));
    }

    // Until Timer2 has judged the exchange and closed the port.
    bool WaitForOutcome()
    {
        return QTest::qWaitFor(
            [&] { return !exchange.Timer2().isActive() && !port.Connected(); }, 6000);
    }

    bool WaitForIdleLabel()
    {
        return QTest::qWaitFor([&] { return !exchange.Timer3().isActive(); }, 6000);
    }

    void ExpectWindowRestored()
    {
        EXPECT_TRUE(view.controlsEnabled);
        EXPECT_FALSE(view.busyCursor);
        EXPECT_FALSE(port.Connected());
    }

    // Runs one exchange that must succeed, for "the next operation works".
    void ExpectSettingsTransferWorks()
    {
        view.log.clear();
        exchange.StartOperation(TOperationCode::SettingsTransfer, kPort);
        ASSERT_TRUE(WaitForOutcome());
        EXPECT_EQ(view.log, QStringList({"Sending Datas...", "ACK_OK"}));
    }

    QTemporaryDir folder;
    std::unique_ptr<TFakeDevice> device;
    TComPort port {folder.path()};
    TRecordingView view;
    TDeviceExchange exchange {port, view};
};

TEST_F(DeviceExchangeTest, AcknowledgedOperations)
{
    struct Case {
        quint8 operation;
        QByteArray frame;
        QStringList log;
        QStringList clickEvents;  // what the click does before the reply
    };
    const QByteArray settingsFrame = hex("0C") + view.payload + hex("65");
    const Case cases[] = {
        {TOperationCode::SettingsTransfer, settingsFrame, {"Sending Datas...", "ACK_OK"},
         {"controls:off", "cursor:busy", "progress:0", "build", "progress:50", "progress:75",
          "log:Sending Datas...", "caption:Sending", "repaint", "progress:100", "progress:0"}},
        {TOperationCode::ClearMemory, hex("0B000B"), {"DELETE DATAS...", "DELETION CONFIRMED"},
         {"controls:off", "cursor:busy", "progress:0", "progress:50", "progress:75",
          "log:DELETE DATAS...", "caption:Sending", "repaint", "progress:100", "progress:0"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.operation);
        view = TRecordingView();
        const auto clicked = TFakeDevice::Clock::now();
        exchange.StartOperation(c.operation, kPort);
        EXPECT_EQ(view.events, c.clickEvents);
        EXPECT_TRUE(port.Connected());
        EXPECT_TRUE(view.busyCursor);

        ASSERT_TRUE(WaitForOutcome());
        const auto frames = device->Frames();
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].frame.bytes, c.frame);
        EXPECT_LT(view.logTimes.front(), frames[0].at);  // logged before it was written
        EXPECT_EQ(view.log, c.log);
        EXPECT_EQ(view.beeps, 1);
        EXPECT_EQ(view.caption, kOk);
        EXPECT_GE(TFakeDevice::Clock::now() - clicked, 550ms);
        ExpectWindowRestored();

        ASSERT_TRUE(WaitForIdleLabel());
        EXPECT_EQ(view.captions, QStringList({"Sending", kOk, "PC Link"}));
        device = nullptr;
        Plug();
    }
}

TEST_F(DeviceExchangeTest, PongIsFollowedUpAfterTwoSeconds)
{
    exchange.StartOperation(TOperationCode::ConnectionTest, kPort);
    ASSERT_TRUE(WaitForOutcome());
    const auto frames = device->Frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].frame.kind, Kind::Ping);
    EXPECT_EQ(frames[1].frame.bytes, hex("0A8690"));
    const auto replies = device->Replies();
    ASSERT_FALSE(replies.empty());
    EXPECT_GE(frames[1].at - replies.front().at, 2000ms);

    EXPECT_EQ(view.log, QStringList({"Ping", "Pong"}));
    EXPECT_EQ(view.progress, QList<int>({0, 50, 75, 100, 0, 100, 0}));
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(view.caption, kOk);
    ExpectWindowRestored();
    ASSERT_TRUE(WaitForIdleLabel());
    EXPECT_FALSE(view.captions.contains(kError));
    EXPECT_EQ(view.captions.last(), "PC Link");
}

TEST_F(DeviceExchangeTest, ReplyInPiecesIsRecognised)
{
    device->SplitReplies(150);  // 8C, then 00, then 8C, in separate events
    ExpectSettingsTransferWorks();
    EXPECT_EQ(view.caption, kOk);
}

TEST_F(DeviceExchangeTest, MissingOrWrongRepliesEndInError)
{
    struct Case {
        const char *name;
        quint8 operation;
        QByteArray reply;  // to every frame
        QStringList log;
    };
    const QStringList noPong = {"Ping", "No Pong received!", "Maybe Ternu is not in PC Link mode."};
    const Case cases[] = {
        {"silent settings", TOperationCode::SettingsTransfer, {}, {"Sending Datas...", "ACK_ERROR"}},
        {"settings answered as a clearing", TOperationCode::SettingsTransfer, hex("8B008B"),
         {"Sending Datas...", "ACK_ERROR"}},
        {"clearing answered as settings", TOperationCode::ClearMemory, hex("8C008C"),
         {"DELETE DATAS...", "ACK_ERROR"}},
        {"clearing acknowledged after other bytes", TOperationCode::ClearMemory, hex("558B008B"),
         {"DELETE DATAS...", "ACK_ERROR"}},
        {"silent ping", TOperationCode::ConnectionTest, {}, noPong},
        {"pong byte not first", TOperationCode::ConnectionTest, hex("008600"), noPong},
        {"endless junk", TOperationCode::ConnectionTest, QByteArray(5000, char(0x55)), noPong},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        view = TRecordingView();
        device->SetReplyRule([reply = c.reply](const TReceivedFrame &) { return reply; });
        exchange.StartOperation(c.operation, kPort);
        ASSERT_TRUE(WaitForOutcome());
        EXPECT_EQ(view.log, c.log);
        EXPECT_EQ(view.caption, kError);
        EXPECT_EQ(view.beeps, 0);
        ExpectWindowRestored();
    }
    device->SetReplyRule(nullptr);
    ExpectSettingsTransferWorks();
}

TEST_F(DeviceExchangeTest, EndlessDataNeitherHangsNorPassesForAReply)
{
    device->SetReplyRule([](const TReceivedFrame &) { return QByteArray(); });
    std::atomic<bool> flooding {true};
    std::thread flood([&] {
        const QByteArray junk(64, char(0x55));
        while (flooding) {
            device->Send(junk);
            std::this_thread::sleep_for(2ms);
        }
    });
    exchange.StartOperation(TOperationCode::SettingsTransfer, kPort);
    const bool ended = WaitForOutcome();
    flooding = false;
    flood.join();
    ASSERT_TRUE(ended);
    EXPECT_EQ(view.log, QStringList({"Sending Datas...", "ACK_ERROR"}));
    ExpectWindowRestored();

    // Every junk byte written is in the terminal's input by now (a write to the
    // pseudo-terminal returns once its bytes are queued there); the next open discards it.
    device->SetReplyRule(nullptr);
    ExpectSettingsTransferWorks();
}

TEST_F(DeviceExchangeTest, LongReplyStartingWithPongCounts)
{
    device->SetReplyRule([](const TReceivedFrame &f) {
        return f.kind == Kind::Ping ? hex("86") + QByteArray(3000, char(0x55)) : QByteArray();
    });
    exchange.StartOperation(TOperationCode::ConnectionTest, kPort);
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_EQ(view.log, QStringList({"Ping", "Pong"}));
}

TEST_F(DeviceExchangeTest, FailedExchangeBlinksThenShowsPcLink)
{
    device->SetReplyRule([](const TReceivedFrame &) { return QByteArray(); });
    exchange.StartOperation(TOperationCode::ConnectionTest, kPort);
    ASSERT_TRUE(WaitForOutcome());
    const auto judged = TFakeDevice::Clock::now();
    ASSERT_TRUE(WaitForIdleLabel());
    EXPECT_GE(TFakeDevice::Clock::now() - judged, 4000ms);
    EXPECT_EQ(view.captions, QStringList({"Sending", kError, "", kError, "", kError, "", kError,
                                          "", "PC Link"}));
}

TEST_F(DeviceExchangeTest, OpenFailureLeavesRecoveryToTheCaller)
{
    TComPort holder(folder.path());
    holder.SetPort(kPort);
    holder.Open();
    struct Case {
        QString port;
        const char *message;
    };
    const Case cases[] = {
        {"", "COM Port Error: Unable to open com port on "},
        {"COM200", "COM Port Error: Unable to open com port on COM200"},
        {kPort, "COM Port Error: Unable to open com port on COM7"},  // held by another program
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        view = TRecordingView();
        try {
            exchange.StartOperation(TOperationCode::SettingsTransfer, c.port);
            ADD_FAILURE() << "no error";
        } catch (const EComPortExt &e) {
            EXPECT_EQ(QString::fromUtf8(e.what()).section(QLatin1Char('\n'), 0, 0), c.message);
        }
        EXPECT_TRUE(view.log.isEmpty());
        EXPECT_FALSE(exchange.Timer2().isActive());
        EXPECT_FALSE(view.controlsEnabled);

        exchange.RecoverAfterFailure();
        ExpectWindowRestored();
        EXPECT_EQ(view.progress.last(), 0);
        EXPECT_EQ(view.caption, "PC Link");
    }
    EXPECT_TRUE(device->Frames().empty());
    holder.Close();
    ExpectSettingsTransferWorks();
}

TEST_F(DeviceExchangeTest, ReplyToARunningExchangeNeverCountsForTheNextOne)
{
    // The clearing's acknowledgement arrives during its 250 ms pause; a ping started
    // right after must see its own pong and send its follow-up.
    exchange.StartOperation(TOperationCode::ClearMemory, kPort);
    ASSERT_TRUE(exchange.Timer2().isActive());
    exchange.StartOperation(TOperationCode::ConnectionTest, kPort);
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_EQ(view.log, QStringList({"DELETE DATAS...", "DELETION CONFIRMED", "Ping", "Pong"}));
    const auto frames = device->Frames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[2].frame.bytes, hex("0A8690"));
    EXPECT_EQ(view.caption, kOk);
}

TEST_F(DeviceExchangeTest, FailedOpenKeepsTheOutcomeOfTheRunningExchange)
{
    struct Case {
        const char *name;
        TFakeDevice::ReplyRule rule;
        QStringList log;
    };
    const Case cases[] = {
        {"answered", nullptr, {"Sending Datas...", "ACK_OK"}},
        {"silent", [](const TReceivedFrame &) { return QByteArray(); },
         {"Sending Datas...", "ACK_ERROR"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        view = TRecordingView();
        device->SetReplyRule(c.rule);
        exchange.StartOperation(TOperationCode::SettingsTransfer, kPort);
        // Without running the event loop: the reply waits in the system's queue.
        ASSERT_TRUE(device->WaitForFrames(1, 3000));
        if (c.rule == nullptr)
            device->WaitForReplies(1, 3000);
        EXPECT_THROW(exchange.StartOperation(TOperationCode::ConnectionTest, "COM200"), EComPortExt);
        exchange.RecoverAfterFailure();
        EXPECT_EQ(view.log, c.log);
        EXPECT_EQ(view.beeps, c.rule ? 0 : 1);
        device->SetReplyRule(nullptr);
        ExpectWindowRestored();
    }
}

TEST_F(DeviceExchangeTest, UnplugDuringExchangeThenNextOperationWorks)
{
    device->SetReplyRule([](const TReceivedFrame &) { return QByteArray(); });
    exchange.StartOperation(TOperationCode::SettingsTransfer, kPort);
    device->Unplug();
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_EQ(view.log, QStringList({"Sending Datas...", "ACK_ERROR"}));
    ExpectWindowRestored();

    device = nullptr;
    Plug();
    ExpectSettingsTransferWorks();
}

}  // namespace
