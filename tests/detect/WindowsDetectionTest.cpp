// Port list, interface detection and device changes from what Windows records.
// The tests write their own registry keys under HKEY_CURRENT_USER and remove them.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "ComPortErrors.h"
#include "QtPrinters.h"
#include "DeviceChangeMonitor.h"
#include "PortList.h"
#include "uCP210x.h"
#include "WindowsRegistry.h"

#include <windows.h>

namespace {

const QString kTestRoot = QStringLiteral("Software\\TernuSetupToolTests");

const wchar_t *Wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// A registry subtree of the test's own, gone when the test ends.
class TTestKey {
public:
    explicit TTestKey(const QString &name) : Path(kTestRoot + QLatin1Char('\\') + name) { Remove(); }
    ~TTestKey() { Remove(); }

    void SetText(const QString &subKey, const QString &valueName, const QString &text) const
    {
        HKEY key = nullptr;
        const QString keyPath = subKey.isEmpty() ? Path : Path + QLatin1Char('\\') + subKey;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(keyPath), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        const QString data = text + QChar(0);
        RegSetValueExW(key, Wide(valueName), 0, REG_SZ, reinterpret_cast<const BYTE *>(data.utf16()),
                       DWORD(data.size() * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    void Remove() const { RegDeleteTreeW(HKEY_CURRENT_USER, Wide(Path)); }

    const QString Path;
};

TEST(WindowsPortListTest, SerialCommValuesSortedAsText)
{
    TTestKey serialComm(QStringLiteral("SERIALCOMM"));
    serialComm.SetText({}, QStringLiteral("\\Device\\Serial2"), QStringLiteral("COM3"));
    serialComm.SetText({}, QStringLiteral("\\Device\\VCP0"), QStringLiteral("COM10"));
    serialComm.SetText({}, QStringLiteral("\\Device\\Serial1"), QStringLiteral("COM2"));

    const QStringList ports = WindowsRegistry::SerialCommPorts(HKEY_CURRENT_USER, serialComm.Path);
    EXPECT_EQ(QSet<QString>(ports.begin(), ports.end()), QSet<QString>({"COM3", "COM10", "COM2"}));

    QList<TSerialPortRecord> records;
    for (const QString &name : ports)
        records.append({name, std::nullopt});
    EXPECT_EQ(PortList::Entries(records, {}), QStringList({"COM10", "COM2", "COM3"}));
}

TEST(WindowsPortListTest, MissingKeyOffersComOneToTenAndAReadErrorIsCode23)
{
    EXPECT_EQ(WindowsRegistry::SerialCommPorts(HKEY_CURRENT_USER, kTestRoot + QStringLiteral("\\Missing")),
              QStringList({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10"}));

    // A port name longer than the 256 bytes read for it cannot be read.
    TTestKey serialComm(QStringLiteral("SERIALCOMM"));
    serialComm.SetText({}, QStringLiteral("\\Device\\Serial0"), QStringLiteral("COM1") + QString(200, QLatin1Char('1')));
    try {
        WindowsRegistry::SerialCommPorts(HKEY_CURRENT_USER, serialComm.Path);
        FAIL() << "a value that cannot be read was passed over";
    } catch (const EComPortExt &e) {
        EXPECT_EQ(e.Operation(), TComOperation::PortList);
        EXPECT_STREQ(e.what(), "COM Port Error: Registry error on EnumComPorts");
    }
}

// The bridge layer over the test's own Enum\USB key and port list.
class TRegistryBridges final : public IBridgeLayer {
public:
    TRegistryBridges(QString usbKey, QStringList present) : UsbKey(std::move(usbKey)), Present(std::move(present)) {}
    bool Load() override { return true; }
    void Unload() override {}
    std::optional<QList<TBridgeInfo>> AttachedBridges() override
    {
        return WindowsRegistry::UsbBridges(HKEY_CURRENT_USER, UsbKey, Present);
    }
    QString UsbKey;
    QStringList Present;
};

TEST(WindowsBridgeDetectionTest, InterfaceFoundByItsUsbRecordWhilePresent)
{
    TTestKey usb(QStringLiteral("USB"));
    const QString params = QStringLiteral("\\Device Parameters");
    usb.SetText(QStringLiteral("Vid_10C4&Pid_EA60\\0001") + params, QStringLiteral("PortName"), QStringLiteral("COM12"));
    usb.SetText(QStringLiteral("Vid_10C4&Pid_EA60\\0002") + params, QStringLiteral("PortName"), QStringLiteral("COM4"));
    usb.SetText(QStringLiteral("VID_0403&PID_6001\\0001") + params, QStringLiteral("PortName"), QStringLiteral("COM3"));
    usb.SetText(QStringLiteral("Vid_10C4&Pid_EA60&Mi_00\\0001_00") + params, QStringLiteral("PortName"),
                QStringLiteral("COM9"));

    struct TCase {
        QStringList Present;
        int Expected;
    };
    const TCase cases[] = {
        {{"COM3", "COM4", "COM9", "COM12"}, 9},  // the composite record, lower number first
        {{"COM3", "COM4", "COM12"}, 12},         // the plain record
        {{"COM3", "COM4"}, -1},                  // other serial number, other maker: not ours
        {{}, -1},                                // records of unplugged devices stay
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Present.join(QLatin1Char(' ')).toStdString());
        TRegistryBridges layer(usb.Path, c.Present);
        TCP210x bridges(layer);
        ASSERT_TRUE(bridges.BridgePresent());
        EXPECT_EQ(bridges.FindInterfacePort(), c.Expected);
    }

    const QList<TBridgeInfo> all = WindowsRegistry::UsbBridges(HKEY_CURRENT_USER, usb.Path,
                                                              {"COM3", "COM4", "COM9", "COM12"});
    ASSERT_EQ(all.size(), 4);
    EXPECT_EQ(all[0], (TBridgeInfo{0x0403, 0x6001, QStringLiteral("0001"), QStringLiteral("COM3")}));
    EXPECT_EQ(all[1], (TBridgeInfo{0x10C4, 0xEA60, QStringLiteral("0002"), QStringLiteral("COM4")}));
    EXPECT_EQ(all[2], (TBridgeInfo{0x10C4, 0xEA60, QStringLiteral("0001"), QStringLiteral("COM9")}));
}

TEST(WindowsDeviceChangeTest, ArrivalAndRemovalBroadcastsAreSignalled)
{
    TDeviceChangeMonitor monitor({QString(), true});
    ASSERT_TRUE(monitor.WatchingSystemDevices());
    QSignalSpy arrived(&monitor, &TDeviceChangeMonitor::Arrived);
    QSignalSpy removed(&monitor, &TDeviceChangeMonitor::Removed);

    // 7 (DBT_DEVNODES_CHANGED) is no arrival or removal. Each broadcast is signalled
    // in order, so a wrong signal for it would come before the removal's.
    for (const WPARAM event : {WPARAM(0x8000), WPARAM(0x0007), WPARAM(0x8004)}) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(HWND_BROADCAST, WM_DEVICECHANGE, event, 0, SMTO_ABORTIFHUNG, 5000, &result);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return removed.size() == 1; }, 5000));
    EXPECT_EQ(arrived.size(), 1);
}

}  // namespace
