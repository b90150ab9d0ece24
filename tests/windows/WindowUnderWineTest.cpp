// The window on Windows against the device emulator, whose line is COM7 (the
// interface, with its USB record) and COM8 (silent) of this system.
#include "DataFolder.h"
#include "FakeDialogs.h"
#include "FormTernuSetup.h"
#include "QtPrinters.h"

#include <QtWidgets>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <windows.h>

namespace {

const wchar_t kSerialComm[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

class WindowUnderWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir.isValid());
        QFile::remove(DataFolder::Path() + QStringLiteral("/Ternu_SetupTool.ini"));
        TWindowEnvironment env;
        env.ProgramFolder = programDir.path();
        env.Dialogs = &dialogs;
        window = std::make_unique<TFTernuSetup>(env);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <class W>
    W *Find(const char *name) const
    {
        W *widget = window->findChild<W *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QStringList Monitor() const
    {
        return Find<QPlainTextEdit>("moMonitor")->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // Until the exchange has ended: the transfer button is enabled again.
    bool WaitForMonitorLine(const QString &line)
    {
        return QTest::qWaitFor([&] { return Monitor().contains(line) && Find<QPushButton>("btnSend")->isEnabled(); },
                               10000);
    }

    QTemporaryDir programDir;
    TFakeDialogs dialogs;
    std::unique_ptr<TFTernuSetup> window;
};

TEST_F(WindowUnderWine, DetectsTheInterfacePingsTransfersAndStoresTheSettings)
{
    EXPECT_EQ(Find<QComboBox>("ComComboBox")->currentText(), QStringLiteral("COM7"));
    EXPECT_TRUE(Find<QLabel>("AdvOfficeStatusBar1Text")->text().endsWith(QStringLiteral(" (7)")))
        << Find<QLabel>("AdvOfficeStatusBar1Text")->text().toStdString();

    QTest::mouseClick(Find<QWidget>("imgDevice"), Qt::LeftButton);
    ASSERT_TRUE(WaitForMonitorLine(QStringLiteral("Pong"))) << Monitor().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Monitor(), QStringList({"Ping", "Pong"}));

    const QString file = DataFolder::Path() + QStringLiteral("/wine.dat");
    QFile settings(file);
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
    settings.write("[DEVICE]\r\nSettings_TERNU=0001F4000000081C083400B1FF9CC86402006430092200\r\n");
    settings.close();
    dialogs.OpenAnswers << file;
    Find<QAction>("mnuLoad")->trigger();

    QTest::mouseClick(Find<QPushButton>("btnSend"), Qt::LeftButton);
    ASSERT_TRUE(WaitForMonitorLine(QStringLiteral("ACK_OK"))) << Monitor().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Find<QLabel>("lbDevLink")->text(), QStringLiteral("    OK"));

    window->close();
    QFile ini(DataFolder::Path() + QStringLiteral("/Ternu_SetupTool.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray stored = ini.readAll();
    EXPECT_TRUE(stored.contains("[DEVICE]\r\nSettings_TERNU=0001F4000000081C083400B1FF9CC86402006430092200\r\n"))
        << stored.constData();
    EXPECT_TRUE(QFileInfo(ini).absolutePath().endsWith(QStringLiteral("/AppData/Roaming/Orvan/SetupTool")))
        << QFileInfo(ini).absolutePath().toStdString();
}

TEST_F(WindowUnderWine, SilentDeviceGivesAckError)
{
    QAction *com8 = nullptr;
    for (QAction *item : Find<QMenu>("mnuComport")->actions()) {
        if (item->text().remove(QLatin1Char('&')) == QStringLiteral("COM8"))
            com8 = item;
    }
    ASSERT_NE(com8, nullptr);
    com8->trigger();
    EXPECT_EQ(Find<QComboBox>("ComComboBox")->currentText(), QStringLiteral("COM8"));
    QTest::mouseClick(Find<QPushButton>("btnSend"), Qt::LeftButton);
    ASSERT_TRUE(WaitForMonitorLine(QStringLiteral("ACK_ERROR"))) << Monitor().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Find<QLabel>("lbDevLink")->text(), QStringLiteral("   Error"));
}

// The system takes the port away (as when the interface is unplugged) and tells
// the top-level windows: the window no longer finds the interface.
TEST_F(WindowUnderWine, RemovedPortMakesTheWindowSayTheInterfaceIsGone)
{
    ASSERT_TRUE(Find<QLabel>("AdvOfficeStatusBar1Text")->text().endsWith(QStringLiteral(" (7)")));

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialComm, 0, KEY_READ | KEY_WRITE, &key), ERROR_SUCCESS);
    // Find the value that names COM7 and take it away for the test.
    std::wstring com7Value;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        wchar_t data[128] = {};
        DWORD bytes = sizeof(data);
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, nullptr, reinterpret_cast<BYTE *>(data), &bytes)
            != ERROR_SUCCESS)
            break;
        if (QString::fromWCharArray(data) == QStringLiteral("COM7"))
            com7Value.assign(name, nameLength);
    }
    ASSERT_FALSE(com7Value.empty());
    ASSERT_EQ(RegDeleteValueW(key, com7Value.c_str()), ERROR_SUCCESS);
    const auto restore = qScopeGuard([&] {
        const wchar_t data[] = L"COM7";
        RegSetValueExW(key, com7Value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(data), sizeof(data));
        RegCloseKey(key);
    });

    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_DEVICECHANGE, 0x8004, 0, SMTO_ABORTIFHUNG, 5000, &result);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Find<QComboBox>("ComComboBox")->findText(QStringLiteral("COM7")) < 0; }, 5000));
    const QString status = Find<QLabel>("AdvOfficeStatusBar1Text")->text();
    EXPECT_TRUE(status == QStringLiteral("No Ternu interface detected")
                || status == QStringLiteral("Ternu Interface nicht gefunden"))
        << status.toStdString();
}

}  // namespace
