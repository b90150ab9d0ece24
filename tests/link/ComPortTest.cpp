#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <unistd.h>

#include "ComPort.h"
#include "FakeDevice.h"
#include "PortNames.h"

namespace {

constexpr int kCom = 7;

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(text);
}

class ComPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        Plug();
        port.SetPort(QStringLiteral("COM7"));
    }

    // A fresh device behind COM7.
    void Plug()
    {
        device = std::make_unique<TFakeDevice>();
        ASSERT_TRUE(PortNames::WriteAlias(folder.path(), kCom, device->SlavePath(), std::nullopt));
    }

    QByteArray ReadAll()
    {
        char buffer[2048];
        return QByteArray(buffer, port.ReadBytes(buffer, sizeof buffer));
    }

    QTemporaryDir folder;
    std::unique_ptr<TFakeDevice> device;
    TComPort port {folder.path()};
};

TEST_F(ComPortTest, WritesFramesAndAnnouncesQueuedReplies)
{
    QSignalSpy rx(&port, &TComPort::RxChar);
    port.Open();
    ASSERT_TRUE(port.Connected());
    port.Open();  // already open: nothing happens
    EXPECT_TRUE(port.Connected());

    EXPECT_EQ(port.WriteBytes(Hex("060006").constData(), 3), 3);
    ASSERT_TRUE(device->WaitForFrames(1, 2000));
    EXPECT_EQ(device->Frames().front().Frame.Bytes, Hex("060006"));

    ASSERT_TRUE(QTest::qWaitFor([&] { return rx.count() > 0; }, 2000));
    EXPECT_EQ(rx.front().front().toInt(), 3);
    EXPECT_EQ(ReadAll(), Hex("860086"));
    EXPECT_EQ(ReadAll(), QByteArray());  // never waits for more

    QTest::qWait(50);
    for (const auto &args : rx)
        EXPECT_GT(args.front().toInt(), 0);
    EXPECT_THROW(port.SetPort(QStringLiteral("COM8")), std::logic_error);
    port.Close();
    EXPECT_FALSE(port.Connected());
    port.Close();  // closed: nothing happens
}

TEST_F(ComPortTest, NoNotificationInsideWriteOrPause)
{
    QSignalSpy rx(&port, &TComPort::RxChar);
    port.Open();
    port.WriteBytes(Hex("060006").constData(), 3);
    // The device answers while the event loop does not run.
    ASSERT_TRUE(device->WaitForReplies(1, 3000));
    ASSERT_FALSE(device->Replies().empty());
    ASSERT_TRUE(device->WaitUntilQueuedAtPort(3, 3000));
    EXPECT_EQ(rx.count(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rx.count() > 0; }, 2000));
}

TEST_F(ComPortTest, PendingNotificationIsDeliveredInsideClose)
{
    QByteArray seen;
    bool openWhileHandled = false;
    QObject::connect(&port, &TComPort::RxChar, [&](int) {
        openWhileHandled = port.Connected();
        seen += ReadAll();
    });
    port.Open();
    device->Send(Hex("860086"));
    ASSERT_TRUE(device->WaitUntilQueuedAtPort(3, 3000));  // arrived, but the event loop has not run
    port.Close();
    EXPECT_EQ(seen, Hex("860086"));
    EXPECT_TRUE(openWhileHandled);
    EXPECT_FALSE(port.Connected());
}

TEST_F(ComPortTest, BytesSentWhileClosedNeverArrive)
{
    QSignalSpy rx(&port, &TComPort::RxChar);
    device->Send(Hex("8C008C"));
    ASSERT_TRUE(device->WaitUntilQueuedAtPort(3, 3000));
    port.Open();
    EXPECT_EQ(rx.count(), 0);
    EXPECT_EQ(ReadAll(), QByteArray());
    // A round trip: bytes left from before the open would arrive ahead of the reply.
    port.WriteBytes(Hex("060006").constData(), 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rx.count() > 0; }, 2000));
    EXPECT_EQ(rx.front().front().toInt(), 3);
    EXPECT_EQ(ReadAll(), Hex("860086"));
}

TEST_F(ComPortTest, OpenErrorsNameThePortAndSayWhatToDo)
{
    TComPort holder(folder.path());
    holder.SetPort(QStringLiteral("COM7"));
    holder.Open();
    // The holder is this test program; the system names it in /proc.
    QFile comm(QStringLiteral("/proc/self/comm"));
    ASSERT_TRUE(comm.open(QIODevice::ReadOnly));
    const QString self = QString::fromLatin1(comm.readAll()).trimmed();
    struct TCase {
        const char *Name;
        QString Advice;  // the lines after the first; a pattern
    };
    // The ports there are, the emulated COM7 among whatever the system has.
    const QString found = QStringLiteral(" Ports found: (COM\\d+, )*COM7(, COM\\d+)*\\.");
    const TCase cases[] = {
        {"", "No port is selected: no Ternu interface was detected\\." + found},
        {"COM200", "There is no port COM200 on this computer\\." + found},
        {"LPT1", "There is no port LPT1 on this computer\\." + found},
        {"COM", "There is no port COM on this computer\\." + found},
        {"COM7", QStringLiteral("COM7 \\(/dev/pts/\\d+\\) is in use by %1 \\(process %2\\)\\. "
                                "End that program or choose another port\\.")
                     .arg(QRegularExpression::escape(self))
                     .arg(::getpid())},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TComPort other(folder.path());
        other.SetPort(QString::fromLatin1(c.Name));
        try {
            other.Open();
            ADD_FAILURE() << "opened";
        } catch (const EComPortExt &e) {
            EXPECT_EQ(e.Operation(), TComOperation::Open);
            const QString message = QString::fromUtf8(e.what());
            EXPECT_EQ(message.section(QLatin1Char('\n'), 0, 0),
                      QStringLiteral("COM Port Error: Unable to open com port on ") + c.Name);
            const QString advice = message.section(QLatin1Char('\n'), 1);
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1$").arg(c.Advice)).match(advice).hasMatch())
                << qPrintable(advice);
        }
        EXPECT_FALSE(other.Connected());
        EXPECT_NO_THROW(other.Close());
    }
    holder.Close();
    port.Open();
    EXPECT_TRUE(port.Connected());
}

TEST_F(ComPortTest, UnpluggedPortClosesAndOpensAgainWhenBack)
{
    port.Open();
    device->Unplug();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !port.Connected(); }, 2000));
    try {
        port.WriteBytes("\x06\x00\x06", 3);
        ADD_FAILURE() << "wrote to a closed port";
    } catch (const EComPortExt &e) {
        EXPECT_STREQ(e.what(), "COM Port Error: WriteFile function failed on COM7");
    }
    EXPECT_THROW(ReadAll(), EComPortExt);

    Plug();
    port.Open();
    EXPECT_EQ(port.WriteBytes("\x06\x00\x06", 3), 3);
    EXPECT_TRUE(device->WaitForFrames(1, 2000));
}

}  // namespace
