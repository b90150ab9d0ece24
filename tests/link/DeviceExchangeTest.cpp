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
using TKind = TReceivedFrame::TKind;

const QString kPort = QStringLiteral("COM7");
const QString kOk = QStringLiteral("    OK");
const QString kError = QStringLiteral("   Error");

QByteArray Hex(const char *text)
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
        ASSERT_TRUE(PortNames::WriteAlias(folder.path(), 7, device->SlavePath(), std::nullopt));
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
        EXPECT_TRUE(view.ControlsEnabled);
        EXPECT_FALSE(view.BusyCursor);
        EXPECT_FALSE(port.Connected());
    }

    // Runs one exchange that must succeed, for "the next operation works".
    void ExpectSettingsTransferWorks()
    {
        view.Log.clear();
        exchange.StartOperation(TOperationCode::SettingsTransfer, kPort);
        ASSERT_TRUE(WaitForOutcome());
        EXPECT_EQ(view.Log, QStringList({"Sending Datas...", "ACK_OK"}));
    }

    QTemporaryDir folder;
    std::unique_ptr<TFakeDevice> device;
    TComPort port {folder.path()};
    TRecordingView view;
    TDeviceExchange exchange {port, view};
};

TEST_F(DeviceExchangeTest, AcknowledgedOperations)
{
    struct TCase {
        quint8 Operation;
        QByteArray Frame;
        QStringList Log;
        QStringList ClickEvents;  // what the click does before the reply
    };
    const QByteArray settingsFrame = Hex("0C") + view.Payload + Hex("65");
    const TCase cases[] = {
        {TOperationCode::SettingsTransfer, settingsFrame, {"Sending Datas...", "ACK_OK"},
         {"controls:off", "cursor:busy", "progress:0", "build", "progress:50", "progress:75",
          "log:Sending Datas...", "caption:Sending", "repaint", "progress:100", "progress:0"}},
        {TOperationCode::ClearMemory, Hex("0B000B"), {"DELETE DATAS...", "DELETION CONFIRMED"},
         {"controls:off", "cursor:busy", "progress:0", "progress:50", "progress:75",
          "log:DELETE DATAS...", "caption:Sending", "repaint", "progress:100", "progress:0"}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Operation);
        view = TRecordingView();
        const auto clicked = TFakeDevice::TClock::now();
        exchange.StartOperation(c.Operation, kPort);
        EXPECT_EQ(view.Events, c.ClickEvents);
        EXPECT_TRUE(port.Connected());
        EXPECT_TRUE(view.BusyCursor);

        ASSERT_TRUE(WaitForOutcome());
        const auto frames = device->Frames();
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].Frame.Bytes, c.Frame);
        EXPECT_LT(view.LogTimes.front(), frames[0].At);  // logged before it was written
        EXPECT_EQ(view.Log, c.Log);
        EXPECT_EQ(view.Beeps, 1);
        EXPECT_EQ(view.Caption, kOk);
        EXPECT_GE(TFakeDevice::TClock::now() - clicked, 550ms);
        ExpectWindowRestored();

        ASSERT_TRUE(WaitForIdleLabel());
        EXPECT_EQ(view.Captions, QStringList({"Sending", kOk, "PC Link"}));
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
    EXPECT_EQ(frames[0].Frame.Kind, TKind::Ping);
    EXPECT_EQ(frames[1].Frame.Bytes, Hex("0A8690"));
    const auto replies = device->Replies();
    ASSERT_FALSE(replies.empty());
    EXPECT_GE(frames[1].At - replies.front().At, 2000ms);

    EXPECT_EQ(view.Log, QStringList({"Ping", "Pong"}));
    EXPECT_EQ(view.Progress, QList<int>({0, 50, 75, 100, 0, 100, 0}));
    EXPECT_EQ(view.Beeps, 1);
    EXPECT_EQ(view.Caption, kOk);
    ExpectWindowRestored();
    ASSERT_TRUE(WaitForIdleLabel());
    EXPECT_FALSE(view.Captions.contains(kError));
    EXPECT_EQ(view.Captions.last(), "PC Link");
}

TEST_F(DeviceExchangeTest, ReplyInPiecesIsRecognised)
{
    device->SplitReplies(150);  // 8C, then 00, then 8C, in separate events
    ExpectSettingsTransferWorks();
    EXPECT_EQ(view.Caption, kOk);
}

TEST_F(DeviceExchangeTest, MissingOrWrongRepliesEndInError)
{
    struct TCase {
        const char *Name;
        quint8 Operation;
        QByteArray Reply;  // to every frame
        QStringList Log;
    };
    const QStringList noPong = {"Ping", "No Pong received!", "Maybe Ternu is not in PC Link mode."};
    const TCase cases[] = {
        {"silent settings", TOperationCode::SettingsTransfer, {}, {"Sending Datas...", "ACK_ERROR"}},
        {"settings answered as a clearing", TOperationCode::SettingsTransfer, Hex("8B008B"),
         {"Sending Datas...", "ACK_ERROR"}},
        {"clearing answered as settings", TOperationCode::ClearMemory, Hex("8C008C"),
         {"DELETE DATAS...", "ACK_ERROR"}},
        {"clearing acknowledged after other bytes", TOperationCode::ClearMemory, Hex("558B008B"),
         {"DELETE DATAS...", "ACK_ERROR"}},
        {"silent ping", TOperationCode::ConnectionTest, {}, noPong},
        {"pong byte not first", TOperationCode::ConnectionTest, Hex("008600"), noPong},
        {"endless junk", TOperationCode::ConnectionTest, QByteArray(5000, char(0x55)), noPong},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        view = TRecordingView();
        device->SetReplyRule([reply = c.Reply](const TReceivedFrame &) { return reply; });
        exchange.StartOperation(c.Operation, kPort);
        ASSERT_TRUE(WaitForOutcome());
        EXPECT_EQ(view.Log, c.Log);
        EXPECT_EQ(view.Caption, kError);
        EXPECT_EQ(view.Beeps, 0);
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
    EXPECT_EQ(view.Log, QStringList({"Sending Datas...", "ACK_ERROR"}));
    ExpectWindowRestored();

    // Every junk byte written is in the terminal's input by now (a write to the
    // pseudo-terminal returns once its bytes are queued there); the next open discards it.
    device->SetReplyRule(nullptr);
    ExpectSettingsTransferWorks();
}

TEST_F(DeviceExchangeTest, LongReplyStartingWithPongCounts)
{
    device->SetReplyRule([](const TReceivedFrame &f) {
        return f.Kind == TKind::Ping ? Hex("86") + QByteArray(3000, char(0x55)) : QByteArray();
    });
    exchange.StartOperation(TOperationCode::ConnectionTest, kPort);
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_EQ(view.Log, QStringList({"Ping", "Pong"}));
}

TEST_F(DeviceExchangeTest, FailedExchangeBlinksThenShowsPcLink)
{
    device->SetReplyRule([](const TReceivedFrame &) { return QByteArray(); });
    exchange.StartOperation(TOperationCode::ConnectionTest, kPort);
    ASSERT_TRUE(WaitForOutcome());
    const auto judged = TFakeDevice::TClock::now();
    ASSERT_TRUE(WaitForIdleLabel());
    EXPECT_GE(TFakeDevice::TClock::now() - judged, 4000ms);
    EXPECT_EQ(view.Captions, QStringList({"Sending", kError, "", kError, "", kError, "", kError,
                                          "", "PC Link"}));
}

TEST_F(DeviceExchangeTest, OpenFailureLeavesRecoveryToTheCaller)
{
    TComPort holder(folder.path());
    holder.SetPort(kPort);
    holder.Open();
    struct TCase {
        QString Port;
        const char *Message;
    };
    const TCase cases[] = {
        {"", "COM Port Error: Unable to open com port on "},
        {"COM200", "COM Port Error: Unable to open com port on COM200"},
        {kPort, "COM Port Error: Unable to open com port on COM7"},  // held by another program
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Message);
        view = TRecordingView();
        try {
            exchange.StartOperation(TOperationCode::SettingsTransfer, c.Port);
            ADD_FAILURE() << "no error";
        } catch (const EComPortExt &e) {
            EXPECT_EQ(QString::fromUtf8(e.what()).section(QLatin1Char('\n'), 0, 0), c.Message);
        }
        EXPECT_TRUE(view.Log.isEmpty());
        EXPECT_FALSE(exchange.Timer2().isActive());
        EXPECT_FALSE(view.ControlsEnabled);

        exchange.RecoverAfterFailure();
        ExpectWindowRestored();
        EXPECT_EQ(view.Progress.last(), 0);
        EXPECT_EQ(view.Caption, "PC Link");
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
    EXPECT_EQ(view.Log, QStringList({"DELETE DATAS...", "DELETION CONFIRMED", "Ping", "Pong"}));
    const auto frames = device->Frames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[2].Frame.Bytes, Hex("0A8690"));
    EXPECT_EQ(view.Caption, kOk);
}

TEST_F(DeviceExchangeTest, FailedOpenKeepsTheOutcomeOfTheRunningExchange)
{
    struct TCase {
        const char *Name;
        TFakeDevice::TReplyRule Rule;
        QStringList Log;
    };
    const TCase cases[] = {
        {"answered", nullptr, {"Sending Datas...", "ACK_OK"}},
        {"silent", [](const TReceivedFrame &) { return QByteArray(); },
         {"Sending Datas...", "ACK_ERROR"}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        view = TRecordingView();
        device->SetReplyRule(c.Rule);
        exchange.StartOperation(TOperationCode::SettingsTransfer, kPort);
        // Without running the event loop: the reply waits in the system's queue.
        ASSERT_TRUE(device->WaitForFrames(1, 3000));
        if (c.Rule == nullptr)
            device->WaitForReplies(1, 3000);
        EXPECT_THROW(exchange.StartOperation(TOperationCode::ConnectionTest, "COM200"), EComPortExt);
        exchange.RecoverAfterFailure();
        EXPECT_EQ(view.Log, c.Log);
        EXPECT_EQ(view.Beeps, c.Rule ? 0 : 1);
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
    EXPECT_EQ(view.Log, QStringList({"Sending Datas...", "ACK_ERROR"}));
    ExpectWindowRestored();

    device = nullptr;
    Plug();
    ExpectSettingsTransferWorks();
}

}  // namespace
