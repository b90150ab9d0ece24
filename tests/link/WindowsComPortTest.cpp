// The serial port on the Win32 communications API, against a device emulator
// whose line Wine offers as a COM port.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "ComPort.h"
#include "DeviceExchange.h"
#include "RecordingView.h"
#include "QtPrinters.h"

namespace {

const QString kOk = QStringLiteral("    OK");
const QString kError = QStringLiteral("   Error");

QString PortFromEnvironment(const char *variable)
{
    return qEnvironmentVariable(variable);
}

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(text);
}

class WindowsComPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        answering = PortFromEnvironment("TERNU_TEST_PORT");
        silent = PortFromEnvironment("TERNU_TEST_SILENT_PORT");
        ASSERT_FALSE(answering.isEmpty()) << "TERNU_TEST_PORT names the emulator's COM port";
        ASSERT_FALSE(silent.isEmpty()) << "TERNU_TEST_SILENT_PORT names a silent COM port";
    }

    QString answering;
    QString silent;
};

TEST_F(WindowsComPortTest, PingIsAnsweredThroughTheReceivedDataNotification)
{
    TComPort port(QString{});
    port.SetPort(answering);
    port.Open();
    ASSERT_TRUE(port.Connected());

    QByteArray received;
    QList<int> counts;
    QObject::connect(&port, &TComPort::RxChar, [&](int count) {
        counts << count;
        char buffer[64];
        received += QByteArray(buffer, port.ReadBytes(buffer, sizeof(buffer)));
    });
    EXPECT_EQ(port.WriteBytes("\x06\x00\x06", 3), 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() >= 3; }, 5000));
    EXPECT_EQ(received, Hex("860086"));
    EXPECT_FALSE(counts.contains(0));

    port.Close();
    EXPECT_FALSE(port.Connected());
    port.Close();  // nothing to do
}

TEST_F(WindowsComPortTest, OpenErrorsNameTheOperationAndThePort)
{
    TComPort port(QString{});
    // COM ports above 9 open like the others; this one is not there.
    port.SetPort(QStringLiteral("COM231"));
    try {
        port.Open();
        FAIL() << "opened a port that does not exist";
    } catch (const EComPortExt &e) {
        EXPECT_EQ(e.Operation(), TComOperation::Open);
        EXPECT_EQ(QString::fromStdString(e.what()),
                  QStringLiteral("COM Port Error: Unable to open com port on COM231\n"
                                 "There is no port COM231 on this computer: plug the interface in, "
                                 "or choose a port in Settings > COMPort."));
    }
    EXPECT_FALSE(port.Connected());

    // The port opens once the name is right (Wine does not hold serial ports
    // exclusively, so a second open is not tried here).
    port.SetPort(answering);
    port.Open();
    EXPECT_TRUE(port.Connected());
}

TEST_F(WindowsComPortTest, ExchangesEndAsOnEveryPlatform)
{
    struct TCase {
        QString Port;
        quint8 Operation;
        QStringList Log;
        QString Outcome;
    };
    const TCase cases[] = {
        {answering, TOperationCode::ConnectionTest, {"Ping", "Pong"}, kOk},
        {answering, TOperationCode::SettingsTransfer, {"Sending Datas...", "ACK_OK"}, kOk},
        {answering, TOperationCode::ClearMemory, {"DELETE DATAS...", "DELETION CONFIRMED"}, kOk},
        {silent, TOperationCode::SettingsTransfer, {"Sending Datas...", "ACK_ERROR"}, kError},
        {silent, TOperationCode::ConnectionTest,
         {"Ping", "No Pong received!", "Maybe Ternu is not in PC Link mode."}, kError},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 operation %2").arg(c.Port).arg(c.Operation).toStdString());
        TComPort port(QString{});
        TRecordingView view;
        TDeviceExchange exchange(port, view);
        exchange.ConnectOwnHandlers();
        exchange.StartOperation(c.Operation, c.Port);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !exchange.Timer2().isActive() && !port.Connected(); }, 8000));
        EXPECT_EQ(view.Log, c.Log);
        EXPECT_EQ(view.Caption, c.Outcome);
        EXPECT_TRUE(view.ControlsEnabled);
        EXPECT_FALSE(view.BusyCursor);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !exchange.Timer3().isActive(); }, 8000));
        EXPECT_EQ(view.Caption, QStringLiteral("PC Link"));
    }
}

}  // namespace
