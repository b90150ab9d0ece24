// Port list, interface detection, the COMPort submenu and device changes, driven by
// port aliases in a temporary data folder.
#include "WindowFixture.h"
#include "FakeBridgeLayer.h"

#include "ComPort.h"
#include "PortNames.h"
#include "SerialPortSource.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

const PortNames::UsbIdentity kPcLink{0x10C4, 0xEA60, QStringLiteral("0001")};

class NoSystemPorts final : public ISerialPortSource {
public:
    QList<SerialPortRecord> availablePorts() override { return {}; }
};

class PortSelectionTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        FMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(FMaster, 0);
        ASSERT_EQ(::grantpt(FMaster), 0);
        ASSERT_EQ(::unlockpt(FMaster), 0);
        terminal = QString::fromLocal8Bit(::ptsname(FMaster));
    }
    void TearDown() override
    {
        WindowFixture::TearDown();
        if (FMaster >= 0)
            ::close(FMaster);
    }

    QString portsFolder() const { return dataFolder() + QStringLiteral("/Ports"); }

    void addAlias(int number, std::optional<PortNames::UsbIdentity> identity = std::nullopt)
    {
        ASSERT_TRUE(PortNames::writeAlias(portsFolder(), number, terminal, identity));
    }

    // The window over the aliases alone; it speaks the built-in German.
    TFTernuSetup &makePortWindow(IBridgeLayer *bridges = nullptr)
    {
        window.reset();
        TWindowEnvironment env;
        env.programFolder = programDir.path();
        env.dialogs = &fakeDialogs;
        env.serialPorts = &noSystemPorts;
        env.bridgeLayer = bridges;
        env.watchSystemDevices = false;
        window = std::make_unique<TFTernuSetup>(env);
        return *window;
    }

    QStringList entries() const
    {
        QStringList names;
        for (int i = 0; i < Child<QComboBox>(*window, "ComComboBox")->count(); ++i)
            names << Child<QComboBox>(*window, "ComComboBox")->itemText(i);
        return names;
    }
    QString selected() const { return Child<QComboBox>(*window, "ComComboBox")->currentText(); }
    QString status() const { return Child<QLabel>(*window, "AdvOfficeStatusBar1Text")->text(); }
    QList<QAction *> menuItems() const { return Child<QMenu>(*window, "mnuComport")->actions(); }
    QAction *menuItem(const QString &caption) const
    {
        for (QAction *item : menuItems())
            if (item->text() == caption)
                return item;
        return nullptr;
    }
    QStringList checkedItems() const
    {
        window->mnuComportClick();
        QStringList names;
        for (QAction *item : menuItems())
            if (item->isChecked())
                names << item->text();
        return names;
    }

    QString terminal;
    NoSystemPorts noSystemPorts;

private:
    int FMaster = -1;
};

TEST_F(PortSelectionTest, PortListIsSortedAsTextAndPrefersCom1AtCreation)
{
    addAlias(3);
    addAlias(10);
    addAlias(2);
    TFTernuSetup &w = makePortWindow();
    EXPECT_EQ(entries(), (QStringList{"COM10", "COM2", "COM3"}));
    EXPECT_EQ(Child<QComboBox>(w, "ComComboBox")->currentIndex(), -1);

    w.BuildComPortMenu();
    QStringList captions, names;
    for (QAction *item : menuItems()) {
        captions << item->text();
        names << item->objectName();
    }
    EXPECT_EQ(captions, (QStringList{"Autom. Erkennung", "COM10", "COM2", "COM3"}));
    EXPECT_EQ(names, (QStringList{"mnu0", "mnu1", "mnu2", "mnu3"}));
    EXPECT_EQ(menuItems().first()->data().toInt(), 255);
    EXPECT_TRUE(menuItems().first()->font().bold());

    addAlias(1);
    makePortWindow();
    EXPECT_EQ(selected(), "COM1");
}

TEST_F(PortSelectionTest, ArrivalSelectsInterfaceOnceAndRemovalIsSilent)
{
    addAlias(1);
    addAlias(2);
    TFTernuSetup &w = makePortWindow();
    w.FormShow();  // the start is over
    w.AssignComPort(2);  // chosen by hand: the last detection's choice stays COM1

    addAlias(5, kPcLink);
    ASSERT_TRUE(QTest::qWaitFor([&] { return selected() == "COM5"; }, 5000));
    EXPECT_EQ(status(), "Ternu Interface erkannt! (5)");
    EXPECT_EQ(w.PortChoiceState().ComPortNo, 5);
    ASSERT_EQ(fakeDialogs.taskDialogs.size(), 1);
    const TaskDialogSpec &notice = fakeDialogs.taskDialogs.first();
    EXPECT_EQ(notice.title, "Hardwareerkennung");
    EXPECT_EQ(notice.instruction, "Ternu Interface erkannt!");
    EXPECT_EQ(notice.content, "HINWEIS: Sie können diese Meldung vermeiden in dem Sie das Ternu Interface vor "
                              "Aufruf dieses Dialogs an den PC anschließen.");
    EXPECT_EQ(notice.icon, TaskDialogSpec::Icon::Information);
    EXPECT_EQ(notice.commonButtons, TaskDialogSpec::OkButton);
    EXPECT_TRUE(notice.customButtons.isEmpty());
    EXPECT_TRUE(menuItem("COM5"));  // the submenu follows the new list

    // Another device arrives while the interface stays on COM5: no second notice.
    addAlias(7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return entries().contains("COM7"); }, 5000));
    EXPECT_EQ(selected(), "COM5");
    EXPECT_EQ(fakeDialogs.taskDialogs.size(), 1);

    // The interface goes: back to the port opened last, silently; the number stays.
    Child<TComPort>(w, "ComPort1")->SetPort(QStringLiteral("COM2"));
    PortNames::removeAlias(portsFolder(), 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !entries().contains("COM5"); }, 5000));
    EXPECT_EQ(selected(), "COM2");
    EXPECT_EQ(status(), "Ternu Interface nicht gefunden");
    EXPECT_EQ(w.PortChoiceState().ComPortNo, 5);
    EXPECT_EQ(fakeDialogs.taskDialogs.size(), 1);
    EXPECT_TRUE(fakeDialogs.errors.isEmpty());
}

struct StartCase {
    const char *name;
    int storedPort;            // -1: automatic
    bool interfaceOnCom5;
    const char *selected;      // after the start
    int assignedPort;          // the port the status bar names; -1: none
    const char *mismatchContent;  // empty: no dialog
    bool languageFile = true;     // German.sil beside the program
};

class PortStartTest : public PortSelectionTest, public ::testing::WithParamInterface<StartCase> {};

// A start in the first language, with the stored port in the tool configuration.
TEST_P(PortStartTest, StoredPortStaysAndMismatchIsTold)
{
    const StartCase &c = GetParam();
    addAlias(3);
    if (c.interfaceOnCom5)
        addAlias(5, kPcLink);
    QFile config(dataFolder() + QStringLiteral("/Ternu_SetupTool.ini"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("[MISC]\r\nCPort=%1\r\n").arg(c.storedPort).toLatin1());
    config.close();
    ASSERT_TRUE(QDir().mkpath(programDir.filePath(QStringLiteral("Lang"))));
    if (c.languageFile)
        ASSERT_TRUE(QFile::copy(QStringLiteral(TERNU_LANG_SOURCE_FOLDER "/German.sil"),
                                programDir.filePath(QStringLiteral("Lang/German.sil"))));

    TFTernuSetup &w = makePortWindow();

    EXPECT_EQ(selected(), QString::fromLatin1(c.selected));
    EXPECT_EQ(w.PortChoiceState().LastPortName, QString::fromLatin1(c.selected));
    EXPECT_EQ(w.PortChoiceState().AutoDetect, c.storedPort == -1);
    EXPECT_EQ(status(), c.assignedPort == -1
                            ? w.MessageString(u"strStrNoTernuInterfaceD")
                            : w.MessageString(u"strStrTernuInterfaceDete") + QStringLiteral(" (%1)").arg(c.assignedPort));
    if (*c.mismatchContent) {
        ASSERT_EQ(fakeDialogs.taskDialogs.size(), 1);
        const TaskDialogSpec &d = fakeDialogs.taskDialogs.first();
        EXPECT_FALSE(w.MessageString(u"strStrHardwareDetection").isEmpty());
        EXPECT_EQ(d.title, w.MessageString(u"strStrHardwareDetection"));
        EXPECT_EQ(d.instruction, w.MessageString(u"strStrTernuInterfaceDetet"));
        EXPECT_EQ(d.content, QString::fromUtf8(c.mismatchContent));
        EXPECT_EQ(d.icon, TaskDialogSpec::Icon::Information);
        EXPECT_EQ(d.commonButtons, TaskDialogSpec::OkButton);
    } else {
        EXPECT_TRUE(fakeDialogs.taskDialogs.isEmpty());
    }
    EXPECT_EQ(menuItems().size(), entries().size() + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Start, PortStartTest,
    ::testing::Values(
        StartCase{"StoredPortElsewhere", 3, true, "COM3", 3,
                  "HINWEIS: Es scheint, dass das Ternu Interface an COMPort 5 angeschlossen ist "
                  "(zugewiesen ist aber COMPort 3)."},
        StartCase{"StoredPortIsTheInterface", 5, true, "COM5", 5, ""},
        StartCase{"StoredPortNoInterface", 3, false, "COM3", 3, ""},
        StartCase{"StoredPortGone", 9, true, "", -1,
                  "HINWEIS: Es scheint, dass das Ternu Interface an COMPort 5 angeschlossen ist "
                  "(zugewiesen ist aber COMPort 9)."},
        StartCase{"AutomaticFindsInterfaceQuietly", -1, true, "COM5", 5, ""},
        // The built-in texts alone must fill the status bar and the notice too.
        StartCase{"StoredPortElsewhereWithoutLanguageFile", 3, true, "COM3", 3,
                  "HINWEIS: Es scheint, dass das Ternu Interface an COMPort 5 angeschlossen ist "
                  "(zugewiesen ist aber COMPort 3).",
                  false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PortSelectionTest, MenuChecksTheChosenPortOrAutodetect)
{
    addAlias(2);
    addAlias(3);
    addAlias(5, kPcLink);
    TFTernuSetup &w = makePortWindow();
    w.FormShow();  // the start is over
    ASSERT_TRUE(w.PortChoiceState().AutoDetect);  // a first start detects
    w.DetectInterface(true);
    EXPECT_EQ(checkedItems(), QStringList{"Autom. Erkennung"});

    menuItem("COM3")->trigger();
    EXPECT_FALSE(w.PortChoiceState().AutoDetect);
    EXPECT_EQ(selected(), "COM3");
    EXPECT_EQ(w.PortChoiceState().ComPortNo, 3);
    EXPECT_EQ(status(), "Ternu Interface erkannt! (3)");
    EXPECT_EQ(checkedItems(), QStringList{"COM3"});
    EXPECT_EQ(checkedItems(), QStringList{"COM3"});  // opening again changes nothing

    menuItem("Autom. Erkennung")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.PortChoiceState().AutoDetect);
    EXPECT_EQ(selected(), "COM5");
    EXPECT_EQ(status(), "Ternu Interface erkannt! (5)");
    EXPECT_EQ(checkedItems(), QStringList{"Autom. Erkennung"});
    EXPECT_TRUE(fakeDialogs.taskDialogs.isEmpty());  // detection on request is silent
    EXPECT_TRUE(fakeDialogs.errors.isEmpty());
}

TEST_F(PortSelectionTest, AutodetectWithoutSelectedPortReportsNoError)
{
    addAlias(2);
    TFTernuSetup &w = makePortWindow();
    w.BuildComPortMenu();
    ASSERT_EQ(Child<QComboBox>(w, "ComComboBox")->currentIndex(), -1);

    menuItem("Autom. Erkennung")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(fakeDialogs.errors.isEmpty());
    EXPECT_EQ(Child<QComboBox>(w, "ComComboBox")->currentIndex(), -1);
    EXPECT_EQ(status(), "Ternu Interface nicht gefunden");
    EXPECT_TRUE(w.PortChoiceState().AutoDetect);
}

TEST_F(PortSelectionTest, WithoutBridgeAccessDetectionChangesNothing)
{
    addAlias(2);
    addAlias(5);
    TFakeBridgeLayer missing;
    missing.loadable = false;
    missing.bridges = {TFakeBridgeLayer::interfaceOn(QStringLiteral("COM5"))};
    TFTernuSetup &w = makePortWindow(&missing);
    // A first start (automatic detection) takes no port for the user.
    EXPECT_EQ(w.PortChoiceState().ComPortNo, -1);
    EXPECT_TRUE(w.PortChoiceState().AutoDetect);
    w.FormShow();  // the start is over
    w.AssignComPort(2);
    ASSERT_EQ(w.PortChoiceState().LastPortName, "");  // the start found no interface

    w.DetectInterface(false);
    EXPECT_EQ(selected(), "COM2");
    EXPECT_EQ(status(), "Ternu Interface erkannt! (2)");
    EXPECT_EQ(w.PortChoiceState().LastPortName, "");  // nor does this detection
    EXPECT_EQ(menuItems().size(), 3);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // With the layer there, the start finds the same interface through it.
    TFakeBridgeLayer present;
    present.bridges = missing.bridges;
    makePortWindow(&present);
    EXPECT_EQ(selected(), "COM5");
    EXPECT_TRUE(fakeDialogs.taskDialogs.isEmpty());
}

}  // namespace
