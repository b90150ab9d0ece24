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

const PortNames::TUsbIdentity kPcLink{0x10C4, 0xEA60, QStringLiteral("0001")};

class TNoSystemPorts final : public ISerialPortSource {
public:
    QList<TSerialPortRecord> AvailablePorts() override { return {}; }
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

    QString PortsFolder() const { return DataFolder() + QStringLiteral("/Ports"); }

    void AddAlias(int number, std::optional<PortNames::TUsbIdentity> identity = std::nullopt)
    {
        ASSERT_TRUE(PortNames::WriteAlias(PortsFolder(), number, terminal, identity));
    }

    // The window over the aliases alone; it speaks the built-in German.
    TFTernuSetup &MakePortWindow(IBridgeLayer *bridges = nullptr)
    {
        window.reset();
        TWindowEnvironment env;
        env.ProgramFolder = programDir.path();
        env.Dialogs = &fakeDialogs;
        env.SerialPorts = &noSystemPorts;
        env.BridgeLayer = bridges;
        env.WatchSystemDevices = false;
        window = std::make_unique<TFTernuSetup>(env);
        return *window;
    }

    QStringList Entries() const
    {
        QStringList names;
        for (int i = 0; i < Child<QComboBox>(*window, "ComComboBox")->count(); ++i)
            names << Child<QComboBox>(*window, "ComComboBox")->itemText(i);
        return names;
    }
    QString Selected() const { return Child<QComboBox>(*window, "ComComboBox")->currentText(); }
    QString Status() const { return Child<QLabel>(*window, "AdvOfficeStatusBar1Text")->text(); }
    QList<QAction *> MenuItems() const { return Child<QMenu>(*window, "mnuComport")->actions(); }
    QAction *MenuItem(const QString &caption) const
    {
        for (QAction *item : MenuItems())
            if (item->text() == caption)
                return item;
        return nullptr;
    }
    QStringList CheckedItems() const
    {
        window->mnuComportClick();
        QStringList names;
        for (QAction *item : MenuItems())
            if (item->isChecked())
                names << item->text();
        return names;
    }

    QString terminal;
    TNoSystemPorts noSystemPorts;

private:
    int FMaster = -1;
};

TEST_F(PortSelectionTest, PortListIsSortedAsTextAndPrefersCom1AtCreation)
{
    AddAlias(3);
    AddAlias(10);
    AddAlias(2);
    TFTernuSetup &w = MakePortWindow();
    EXPECT_EQ(Entries(), (QStringList{"COM10", "COM2", "COM3"}));
    EXPECT_EQ(Child<QComboBox>(w, "ComComboBox")->currentIndex(), -1);

    w.BuildComPortMenu();
    QStringList captions, names;
    for (QAction *item : MenuItems()) {
        captions << item->text();
        names << item->objectName();
    }
    EXPECT_EQ(captions, (QStringList{"Autom. Erkennung", "COM10", "COM2", "COM3"}));
    EXPECT_EQ(names, (QStringList{"mnu0", "mnu1", "mnu2", "mnu3"}));
    EXPECT_EQ(MenuItems().first()->data().toInt(), 255);
    EXPECT_TRUE(MenuItems().first()->font().bold());

    AddAlias(1);
    MakePortWindow();
    EXPECT_EQ(Selected(), "COM1");
}

TEST_F(PortSelectionTest, ArrivalSelectsInterfaceOnceAndRemovalIsSilent)
{
    AddAlias(1);
    AddAlias(2);
    TFTernuSetup &w = MakePortWindow();
    w.FormShow();  // the start is over
    w.AssignComPort(2);  // chosen by hand: the last detection's choice stays COM1

    AddAlias(5, kPcLink);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Selected() == "COM5"; }, 5000));
    EXPECT_EQ(Status(), "Ternu Interface erkannt! (5)");
    EXPECT_EQ(w.PortChoiceState().ComPortNo, 5);
    ASSERT_EQ(fakeDialogs.TaskDialogs.size(), 1);
    const TTaskDialogSpec &notice = fakeDialogs.TaskDialogs.first();
    EXPECT_EQ(notice.Title, "Hardwareerkennung");
    EXPECT_EQ(notice.Instruction, "Ternu Interface erkannt!");
    EXPECT_EQ(notice.Content, "HINWEIS: Sie können diese Meldung vermeiden in dem Sie das Ternu Interface vor "
                              "Aufruf dieses Dialogs an den PC anschließen.");
    EXPECT_EQ(notice.Icon, TTaskDialogSpec::TIcon::Information);
    EXPECT_EQ(notice.CommonButtons, TTaskDialogSpec::OkButton);
    EXPECT_TRUE(notice.CustomButtons.isEmpty());
    EXPECT_TRUE(MenuItem("COM5"));  // the submenu follows the new list

    // Another device arrives while the interface stays on COM5: no second notice.
    AddAlias(7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Entries().contains("COM7"); }, 5000));
    EXPECT_EQ(Selected(), "COM5");
    EXPECT_EQ(fakeDialogs.TaskDialogs.size(), 1);

    // The interface goes: back to the port opened last, silently; the number stays.
    Child<TComPort>(w, "ComPort1")->SetPort(QStringLiteral("COM2"));
    PortNames::RemoveAlias(PortsFolder(), 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Entries().contains("COM5"); }, 5000));
    EXPECT_EQ(Selected(), "COM2");
    EXPECT_EQ(Status(), "Ternu Interface nicht gefunden");
    EXPECT_EQ(w.PortChoiceState().ComPortNo, 5);
    EXPECT_EQ(fakeDialogs.TaskDialogs.size(), 1);
    EXPECT_TRUE(fakeDialogs.Errors.isEmpty());
}

struct TStartCase {
    const char *Name;
    int StoredPort;            // -1: automatic
    bool InterfaceOnCom5;
    const char *Selected;      // after the start
    int AssignedPort;          // the port the status bar names; -1: none
    const char *MismatchContent;  // empty: no dialog
    bool LanguageFile = true;     // German.sil beside the program
};

class PortStartTest : public PortSelectionTest, public ::testing::WithParamInterface<TStartCase> {};

// A start in the first language, with the stored port in the tool configuration.
TEST_P(PortStartTest, StoredPortStaysAndMismatchIsTold)
{
    const TStartCase &c = GetParam();
    AddAlias(3);
    if (c.InterfaceOnCom5)
        AddAlias(5, kPcLink);
    WriteFile(IniFile(), QStringLiteral("[MISC]\r\nCPort=%1\r\n").arg(c.StoredPort).toLatin1());
    ASSERT_TRUE(QDir().mkpath(programDir.filePath(QStringLiteral("Lang"))));
    if (c.LanguageFile)
        ASSERT_TRUE(QFile::copy(QStringLiteral(TERNU_LANG_SOURCE_FOLDER "/German.sil"),
                                programDir.filePath(QStringLiteral("Lang/German.sil"))));

    TFTernuSetup &w = MakePortWindow();

    EXPECT_EQ(Selected(), QString::fromLatin1(c.Selected));
    EXPECT_EQ(w.PortChoiceState().LastPortName, QString::fromLatin1(c.Selected));
    EXPECT_EQ(w.PortChoiceState().AutoDetect, c.StoredPort == -1);
    EXPECT_EQ(Status(), c.AssignedPort == -1
                            ? w.MessageString(u"strStrNoTernuInterfaceD")
                            : w.MessageString(u"strStrTernuInterfaceDete") + QStringLiteral(" (%1)").arg(c.AssignedPort));
    if (*c.MismatchContent) {
        ASSERT_EQ(fakeDialogs.TaskDialogs.size(), 1);
        const TTaskDialogSpec &d = fakeDialogs.TaskDialogs.first();
        EXPECT_FALSE(w.MessageString(u"strStrHardwareDetection").isEmpty());
        EXPECT_EQ(d.Title, w.MessageString(u"strStrHardwareDetection"));
        EXPECT_EQ(d.Instruction, w.MessageString(u"strStrTernuInterfaceDetet"));
        EXPECT_EQ(d.Content, QString::fromUtf8(c.MismatchContent));
        EXPECT_EQ(d.Icon, TTaskDialogSpec::TIcon::Information);
        EXPECT_EQ(d.CommonButtons, TTaskDialogSpec::OkButton);
    } else {
        EXPECT_TRUE(fakeDialogs.TaskDialogs.isEmpty());
    }
    EXPECT_EQ(MenuItems().size(), Entries().size() + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Start, PortStartTest,
    ::testing::Values(
        TStartCase{"StoredPortElsewhere", 3, true, "COM3", 3,
                  "HINWEIS: Es scheint, dass das Ternu Interface an COMPort 5 angeschlossen ist "
                  "(zugewiesen ist aber COMPort 3)."},
        TStartCase{"StoredPortIsTheInterface", 5, true, "COM5", 5, ""},
        TStartCase{"StoredPortNoInterface", 3, false, "COM3", 3, ""},
        TStartCase{"StoredPortGone", 9, true, "", -1,
                  "HINWEIS: Es scheint, dass das Ternu Interface an COMPort 5 angeschlossen ist "
                  "(zugewiesen ist aber COMPort 9)."},
        TStartCase{"AutomaticFindsInterfaceQuietly", -1, true, "COM5", 5, ""},
        // The built-in texts alone must fill the status bar and the notice too.
        TStartCase{"StoredPortElsewhereWithoutLanguageFile", 3, true, "COM3", 3,
                  "HINWEIS: Es scheint, dass das Ternu Interface an COMPort 5 angeschlossen ist "
                  "(zugewiesen ist aber COMPort 3).",
                  false}),
    [](const auto &info) { return std::string(info.param.Name); });

TEST_F(PortSelectionTest, MenuChecksTheChosenPortOrAutodetect)
{
    AddAlias(2);
    AddAlias(3);
    AddAlias(5, kPcLink);
    TFTernuSetup &w = MakePortWindow();
    w.FormShow();  // the start is over
    ASSERT_TRUE(w.PortChoiceState().AutoDetect);  // a first start detects
    w.DetectInterface(true);
    EXPECT_EQ(CheckedItems(), QStringList{"Autom. Erkennung"});

    MenuItem("COM3")->trigger();
    EXPECT_FALSE(w.PortChoiceState().AutoDetect);
    EXPECT_EQ(Selected(), "COM3");
    EXPECT_EQ(w.PortChoiceState().ComPortNo, 3);
    EXPECT_EQ(Status(), "Ternu Interface erkannt! (3)");
    EXPECT_EQ(CheckedItems(), QStringList{"COM3"});
    EXPECT_EQ(CheckedItems(), QStringList{"COM3"});  // opening again changes nothing

    MenuItem("Autom. Erkennung")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.PortChoiceState().AutoDetect);
    EXPECT_EQ(Selected(), "COM5");
    EXPECT_EQ(Status(), "Ternu Interface erkannt! (5)");
    EXPECT_EQ(CheckedItems(), QStringList{"Autom. Erkennung"});
    EXPECT_TRUE(fakeDialogs.TaskDialogs.isEmpty());  // detection on request is silent
    EXPECT_TRUE(fakeDialogs.Errors.isEmpty());
}

TEST_F(PortSelectionTest, AutodetectWithoutSelectedPortReportsNoError)
{
    AddAlias(2);
    TFTernuSetup &w = MakePortWindow();
    w.BuildComPortMenu();
    ASSERT_EQ(Child<QComboBox>(w, "ComComboBox")->currentIndex(), -1);

    MenuItem("Autom. Erkennung")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(fakeDialogs.Errors.isEmpty());
    EXPECT_EQ(Child<QComboBox>(w, "ComComboBox")->currentIndex(), -1);
    EXPECT_EQ(Status(), "Ternu Interface nicht gefunden");
    EXPECT_TRUE(w.PortChoiceState().AutoDetect);
}

TEST_F(PortSelectionTest, WithoutBridgeAccessDetectionChangesNothing)
{
    AddAlias(2);
    AddAlias(5);
    TFakeBridgeLayer missing;
    missing.Loadable = false;
    missing.Bridges = {TFakeBridgeLayer::InterfaceOn(QStringLiteral("COM5"))};
    TFTernuSetup &w = MakePortWindow(&missing);
    // A first start (automatic detection) takes no port for the user.
    EXPECT_EQ(w.PortChoiceState().ComPortNo, -1);
    EXPECT_TRUE(w.PortChoiceState().AutoDetect);
    w.FormShow();  // the start is over
    w.AssignComPort(2);
    ASSERT_EQ(w.PortChoiceState().LastPortName, "");  // the start found no interface

    w.DetectInterface(false);
    EXPECT_EQ(Selected(), "COM2");
    EXPECT_EQ(Status(), "Ternu Interface erkannt! (2)");
    EXPECT_EQ(w.PortChoiceState().LastPortName, "");  // nor does this detection
    EXPECT_EQ(MenuItems().size(), 3);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // With the layer there, the start finds the same interface through it.
    TFakeBridgeLayer present;
    present.Bridges = missing.Bridges;
    MakePortWindow(&present);
    EXPECT_EQ(Selected(), "COM5");
    EXPECT_TRUE(fakeDialogs.TaskDialogs.isEmpty());
}

}  // namespace
