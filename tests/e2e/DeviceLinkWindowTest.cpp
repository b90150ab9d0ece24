#include "WindowFixture.h"

#include <QFile>
#include <QProcess>

#include "ComPort.h"
#include "DeviceExchange.h"
#include "PhotoButton.h"
#include "FakeDevice.h"
#include "PortNames.h"

namespace {

using TKind = TReceivedFrame::TKind;

// The window with a cycling computer behind COM7, which the port list selects.
class DeviceLinkWindow : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        device = std::make_unique<TFakeDevice>();
        ASSERT_TRUE(PortNames::WriteAlias(DataFolder() + QStringLiteral("/Ports"), 7,
                                          device->SlavePath(),
                                          PortNames::TUsbIdentity {0x10C4, 0xEA60, "0001"}));
        MakeWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        SelectPort(QStringLiteral("COM7"));
    }

    void TearDown() override
    {
        WindowFixture::TearDown();
        device = nullptr;
    }

    void SelectPort(const QString &name)
    {
        QComboBox *ports = Child<QComboBox>(*window, "ComComboBox");
        const QSignalBlocker quiet(ports);
        if (!name.isEmpty() && ports->findText(name) < 0)
            ports->addItem(name);
        ports->setCurrentIndex(ports->findText(name));
    }

    bool WaitForOutcome()
    {
        return QTest::qWaitFor(
            [&] { return !Child<QTimer>(*window, "Timer2")->isActive() && !Child<TComPort>(*window, "ComPort1")->Connected(); }, 6000);
    }

    QStringList Log() const
    {
        return Child<QPlainTextEdit>(*window, "moMonitor")->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    bool DeviceControlsEnabled() const
    {
        return Child<QPushButton>(*window, "btnSend")->isEnabled() && Child<QPushButton>(*window, "btnDelete")->isEnabled()
            && Child<TPhotoButton>(*window, "imgDevice")->isEnabled();
    }

    void Click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }

    std::unique_ptr<TFakeDevice> device;
};

TEST_F(DeviceLinkWindow, SettingsTransferIsAcknowledged)
{
    QList<int> progress;
    QObject::connect(Child<QProgressBar>(*window, "ProgressBar1"), &QProgressBar::valueChanged,
                     [&](int value) { progress << value; });
    Click(Child<QPushButton>(*window, "btnSend"));
    // The click has sent the frame; the window waits for the evaluation.
    EXPECT_FALSE(DeviceControlsEnabled());
    EXPECT_TRUE(Child<TPhotoPrompt>(*window, "lblDev1")->isEnabled());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(progress, QList<int>({50, 75, 100, 0}));  // from 0, back to 0

    ASSERT_TRUE(WaitForOutcome());
    const auto frames = device->Frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Frame.Kind, TKind::Settings);
    EXPECT_EQ(frames[0].Frame.Bytes.mid(1, 28),
              QByteArray(reinterpret_cast<const char *>(window->BuiltPayload().Bytes.data()), 28));
    EXPECT_EQ(Log(), QStringList({"Sende Daten...", "ACK_OK"}));
    EXPECT_EQ(Child<QLabel>(*window, "lbDevLink")->text(), "    OK");
    EXPECT_TRUE(DeviceControlsEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Child<QLabel>(*window, "lbDevLink")->text() == "PC Link"; }, 2000));
}

TEST_F(DeviceLinkWindow, PhotoAndPromptLabelsTestTheConnection)
{
    device->SetReplyRule([](const TReceivedFrame &) { return QByteArray(); });  // no pong
    const QStringList noPong = {"Ping", "Kein Pong erhalten!", "Möglicherweise ist der Ternu nicht im PC Link Modus."};
    QStringList expectedLog;
    size_t pings = 0;
    for (QWidget *control : std::initializer_list<QWidget *>{Child<TPhotoButton>(*window, "imgDevice"), Child<TPhotoPrompt>(*window, "lblDev1"), Child<TPhotoPrompt>(*window, "lblDev2"),
                                                              Child<TPhotoPrompt>(*window, "lblDev3")}) {
        SCOPED_TRACE(control->objectName().toStdString());
        Click(control);
        ASSERT_TRUE(WaitForOutcome());
        EXPECT_EQ(device->Frames().size(), ++pings);
        EXPECT_EQ(device->Frames().back().Frame.Kind, TKind::Ping);
        expectedLog += noPong;
        EXPECT_EQ(Log(), expectedLog);
        EXPECT_EQ(Child<QLabel>(*window, "lbDevLink")->text(), "   Error");
        EXPECT_TRUE(DeviceControlsEnabled());
    }
}

TEST_F(DeviceLinkWindow, ClearMemoryOnlyAfterConfirmation)
{
    fakeDialogs.TaskAnswers = {TFTernuSetup::kClearMemoryNo};
    Click(Child<QPushButton>(*window, "btnDelete"));
    ASSERT_EQ(fakeDialogs.TaskDialogs.size(), 1);
    const TTaskDialogSpec &asked = fakeDialogs.TaskDialogs.front();
    EXPECT_EQ(asked.Title, "Speicher löschen");
    EXPECT_EQ(asked.Instruction, "Bitte bestätigen Sie den Löschvorgang...");
    EXPECT_EQ(asked.Content, "Wollen Sie wirklich den Gerätespeicher löschen?");
    EXPECT_EQ(asked.Icon, TTaskDialogSpec::TIcon::Question);
    EXPECT_EQ(asked.CustomButtons,
              QList<QString>({"Ja (Gerätespeicher löschen)", "Nein (Gerätespeicher nicht löschen)"}));
    EXPECT_TRUE(asked.CommandLinks);
    EXPECT_EQ(asked.CommonButtons, TTaskDialogSpec::NoButton);
    EXPECT_EQ(asked.DefaultButton, 101);
    EXPECT_EQ(asked.ExpandedText, "ACHTUNG: Dies wird alle Rekorderdaten im Ternu löschen!");
    EXPECT_EQ(asked.ExpandControlText, "Mausklick zum Ausblenden der Informationen");
    EXPECT_EQ(asked.CollapseControlText, "Mausklick für weitere Informationen");

    // Declining writes nothing; the one frame after the confirmation below shows
    // that nothing arrived before it either.
    EXPECT_TRUE(device->Frames().empty());
    EXPECT_TRUE(Log().isEmpty());
    EXPECT_TRUE(DeviceControlsEnabled());

    fakeDialogs.TaskAnswers = {TFTernuSetup::kClearMemoryYes};
    Click(Child<QPushButton>(*window, "btnDelete"));
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    ASSERT_TRUE(WaitForOutcome());
    ASSERT_EQ(device->Frames().size(), 1u);
    EXPECT_EQ(device->Frames().front().Frame.Bytes, QByteArray::fromHex("0B000B"));
    EXPECT_EQ(Log(), QStringList({"DATEN LÖSCHEN...", "LÖSCHEN BESTÄTIGT"}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DeviceLinkWindow, OpenErrorIsReportedThenTheWindowIsUsable)
{
    struct TCase {
        QString Port;
        const char *Message;
    };
    TComPort holder(DataFolder() + QStringLiteral("/Ports"));
    holder.SetPort(QStringLiteral("COM7"));
    holder.Open();
    const TCase cases[] = {
        {QString(), "COM Port Error: Unable to open com port on "},
        {QStringLiteral("COM7"), "COM Port Error: Unable to open com port on COM7"},  // held
    };
    // The report says who holds the port: this test program.
    const QString holderLine = QStringLiteral("(process %1). End that program or choose another port.")
                                   .arg(QCoreApplication::applicationPid());
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Message);
        fakeDialogs.Errors.clear();
        SelectPort(c.Port);
        Click(Child<QPushButton>(*window, "btnSend"));
        ASSERT_EQ(fakeDialogs.Errors.size(), 1);
        EXPECT_EQ(fakeDialogs.Errors[0].section(QLatin1Char('\n'), 0, 0), QString::fromUtf8(c.Message));
        EXPECT_EQ(fakeDialogs.Errors[0].endsWith(holderLine), !c.Port.isEmpty());
        EXPECT_TRUE(Log().isEmpty());
        EXPECT_TRUE(DeviceControlsEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(Child<QProgressBar>(*window, "ProgressBar1")->value(), 0);
        EXPECT_FALSE(Child<QTimer>(*window, "Timer2")->isActive());
    }
    holder.Close();
    Click(Child<QPushButton>(*window, "btnSend"));
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_EQ(Log(), QStringList({"Sende Daten...", "ACK_OK"}));
}

TEST_F(DeviceLinkWindow, WindowAndCliSendTheSameFrameForAFile)
{
    const char *texts[] = {
        "00000000000008520800" "00B00000968200001400" "022A01",  // kg, 176 lb stored
        "0001F4000000081C0834" "00B1FF9CC86402006430" "092200",  // lb, 177 lb, lap 9:30
        "0186A0000000081C0834" "01E61770F0FF0303E700" "0AFF00",  // fields past their tops
    };
    for (const char *text : texts) {
        SCOPED_TRACE(text);
        const QString file = DataFolder() + QStringLiteral("/same.dat");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray("[DEVICE]\r\nSettings_TERNU=") + QByteArray(text) + "\r\n");
        f.close();

        const size_t before = device->Frames().size();
        window->LoadSettings(file);
        Click(Child<QPushButton>(*window, "btnSend"));
        ASSERT_TRUE(WaitForOutcome());
        QProcess cli;
        cli.start(QStringLiteral(TERNU_CLI_PATH), {"send", file, "--port", "COM7"});
        ASSERT_TRUE(cli.waitForFinished(20000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().constData();
        ASSERT_TRUE(device->WaitForFrames(before + 2, 5000));
        const auto frames = device->Frames();
        QByteArray fromWindow = frames[before].Frame.Bytes;
        QByteArray fromCli = frames[before + 1].Frame.Bytes;
        ASSERT_EQ(fromWindow.size(), 30);
        ASSERT_EQ(fromCli.size(), 30);
        // The clock bytes (and so the sum) are each program's moment of sending.
        for (QByteArray *frame : {&fromWindow, &fromCli}) {
            frame->replace(17, 5, QByteArray(5, '\0'));
            frame->chop(1);
        }
        EXPECT_EQ(fromWindow.toHex(' '), fromCli.toHex(' '));
    }
}

TEST_F(DeviceLinkWindow, ClosingTheWindowClosesThePort)
{
    device->SetReplyRule([](const TReceivedFrame &) { return QByteArray(); });
    Click(Child<QPushButton>(*window, "btnSend"));
    ASSERT_TRUE(Child<TComPort>(*window, "ComPort1")->Connected());
    window->close();
    EXPECT_FALSE(Child<TComPort>(*window, "ComPort1")->Connected());
}

// What scripts/run.sh shows a newcomer: the tool finds the emulator by its USB
// identity and a settings transfer ends in "ACK_OK".
using EmulatorWindow = WindowFixture;

TEST_F(EmulatorWindow, FindsTheEmulatorAndTransfersSettings)
{
    QProcess emulator;
    emulator.start(QStringLiteral(TERNU_EMULATOR_PATH), {QStringLiteral("--com"), QStringLiteral("9")});
    ASSERT_TRUE(emulator.waitForStarted(5000));
    const QString alias = DataFolder() + QStringLiteral("/Ports/COM9");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(alias).isSymLink(); }, 5000));

    MakeWindow();
    EXPECT_EQ(Child<QComboBox>(*window, "ComComboBox")->currentText(), "COM9");
    QTest::mouseClick(Child<QPushButton>(*window, "btnSend"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Child<QPlainTextEdit>(*window, "moMonitor")->toPlainText().contains("ACK_OK"); },
                                3000));
    window.reset();

    emulator.terminate();  // SIGTERM: the emulator removes its port
    ASSERT_TRUE(emulator.waitForFinished(5000));
    EXPECT_FALSE(QFileInfo(alias).isSymLink());
    EXPECT_TRUE(emulator.readAllStandardOutput().contains("received settings (30 bytes)"));
}

}  // namespace
