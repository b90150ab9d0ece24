#include "AliasOwner.h"
#include "FakeBridgeLayer.h"
#include "PortChoice.h"
#include "PortList.h"
#include "PortNames.h"
#include "SystemBridgeLayer.h"
#include "uCP210x.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TBridgeInfo Bridge(quint16 vid, quint16 pid, const char *serial, const char *port)
{
    return {vid, pid, QString::fromLatin1(serial), QString::fromLatin1(port)};
}

struct TFindCase {
    const char *Name;
    QList<TBridgeInfo> Bridges;
    int Expected;
};

class FindInterfacePortTest : public ::testing::TestWithParam<TFindCase> {};

TEST_P(FindInterfacePortTest, FirstInterfaceInIndexOrderWins)
{
    TFakeBridgeLayer layer;
    layer.Bridges = GetParam().Bridges;
    TCP210x access(layer);
    ASSERT_TRUE(access.BridgePresent());
    EXPECT_EQ(access.BridgeCount(), static_cast<quint32>(layer.Bridges.size()));
    EXPECT_EQ(access.FindInterfacePort(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bridges, FindInterfacePortTest,
    ::testing::Values(
        TFindCase{"InterfaceOnCom12", {Bridge(0x10C4, 0xEA60, "0001", "COM12")}, 12},
        TFindCase{"NoBridges", {}, -1},
        TFindCase{"OtherSerial", {Bridge(0x10C4, 0xEA60, "0002", "COM3")}, -1},
        TFindCase{"SerialWithMore", {Bridge(0x10C4, 0xEA60, "00011", "COM3")}, -1},
        TFindCase{"OtherVendor", {Bridge(0x10C5, 0xEA60, "0001", "COM3")}, -1},
        TFindCase{"OtherProduct", {Bridge(0x10C4, 0xEA61, "0001", "COM3")}, -1},
        TFindCase{"PortWithoutComName", {Bridge(0x10C4, 0xEA60, "0001", "")}, -1},
        TFindCase{"PortNameNotANumber", {Bridge(0x10C4, 0xEA60, "0001", "COMX")}, -1},
        TFindCase{"MatchAfterOthers",
                 {Bridge(0x10C4, 0xEA60, "0002", "COM3"), Bridge(0x0403, 0x6001, "0001", "COM4"),
                  Bridge(0x10C4, 0xEA60, "0001", "COM7")},
                 7},
        TFindCase{"LowerIndexNotLowerNumber",
                 {Bridge(0x10C4, 0xEA60, "0001", "COM9"), Bridge(0x10C4, 0xEA60, "0001", "COM4")},
                 9},
        TFindCase{"UnnamedInterfaceDoesNotHideLaterOne",
                 {Bridge(0x10C4, 0xEA60, "0001", ""), Bridge(0x10C4, 0xEA60, "0001", "COM5")}, 5}),
    [](const auto &info) { return std::string(info.param.Name); });

TEST(BridgeAccessTest, UnavailableLayerMakesInterfaceUndetectable)
{
    TFakeBridgeLayer missing;
    missing.Loadable = false;
    missing.Bridges = {TFakeBridgeLayer::InterfaceOn(QStringLiteral("COM5"))};
    TCP210x access(missing);
    EXPECT_FALSE(access.BridgePresent());
    EXPECT_FALSE(access.BridgeLoaded());
    EXPECT_EQ(access.FindInterfacePort(), -1);

    TFakeBridgeLayer uncountable;
    uncountable.Countable = false;
    TCP210x access2(uncountable);
    EXPECT_FALSE(access2.BridgePresent());
}

TEST(BridgeAccessTest, UnloadReleasesLayerAndNextCountLoadsItAgain)
{
    TFakeBridgeLayer layer;
    layer.Bridges = {TFakeBridgeLayer::InterfaceOn(QStringLiteral("COM5"))};
    {
        TCP210x access(layer);
        ASSERT_TRUE(access.BridgePresent());
        access.UnloadBridgeLibrary();
        EXPECT_FALSE(access.BridgeLoaded());
        EXPECT_EQ(layer.Unloads, 1);
        access.UnloadBridgeLibrary();  // nothing left to release
        EXPECT_EQ(layer.Unloads, 1);

        layer.Bridges = {TFakeBridgeLayer::InterfaceOn(QStringLiteral("COM6"))};
        ASSERT_TRUE(access.BridgePresent());
        EXPECT_EQ(layer.Loads, 2);
        EXPECT_EQ(access.FindInterfacePort(), 6);
    }
    EXPECT_EQ(layer.Unloads, 2);  // released when the module goes away
}

TEST(BridgeAccessTest, CallsOnUnopenedBridgeFail)
{
    TFakeBridgeLayer layer;
    layer.Bridges = {TFakeBridgeLayer::InterfaceOn(QStringLiteral("COM5"))};
    TCP210x access(layer);
    quint32 count = 0;
    ASSERT_EQ(access.CP210x_GetNumDevices(count), TCP210x::kStatusOk);
    quint16 vid = 0;
    EXPECT_NE(access.CP210x_GetDeviceVid(0, vid), TCP210x::kStatusOk);
    TCP210x::BridgeHandle handle = -1;
    EXPECT_NE(access.CP210x_Open(1, handle), TCP210x::kStatusOk);
    ASSERT_EQ(access.CP210x_Open(0, handle), TCP210x::kStatusOk);
    EXPECT_EQ(access.CP210x_GetDeviceVid(handle, vid), TCP210x::kStatusOk);
    EXPECT_EQ(vid, 0x10C4);
    EXPECT_EQ(access.CP210x_Close(handle), TCP210x::kStatusOk);
    EXPECT_NE(access.CP210x_GetDeviceVid(handle, vid), TCP210x::kStatusOk);
}

TEST(BridgeAccessTest, SerialNumberIsCutToBufferSize)
{
    TFakeBridgeLayer layer;
    layer.Bridges = {Bridge(0x10C4, 0xEA60, "", "COM5")};
    layer.Bridges[0].SerialNumber = QString(80, QLatin1Char('7'));
    TCP210x access(layer);
    quint32 count = 0;
    TCP210x::BridgeHandle handle = -1;
    ASSERT_EQ(access.CP210x_GetNumDevices(count), TCP210x::kStatusOk);
    ASSERT_EQ(access.CP210x_Open(0, handle), TCP210x::kStatusOk);
    std::array<char, TCP210x::kSerialBufferSize> buffer{};
    quint8 length = 0;
    ASSERT_EQ(access.CP210x_GetDeviceSerialNumber(handle, buffer, length, true), TCP210x::kStatusOk);
    EXPECT_EQ(length, TCP210x::kSerialBufferSize);
    EXPECT_EQ(buffer.back(), '7');
}

TEST(BridgeAccessTest, LookupPortNumberReadsNumberFromFourthCharacter)
{
    const struct {
        const char *Port;
        int Expected;
    } cases[] = {{"COM7", 7}, {"COM12", 12}, {"COM", -1}, {"COMx1", -1}, {"", -1}};
    for (const auto &c : cases)
        EXPECT_EQ(TCP210x::LookupPortNumber(0x10C4, 0xEA60, QStringLiteral("0001"),
                                            QString::fromLatin1(c.Port)),
                  c.Expected)
            << c.Port;
}

// --- the system layer: USB serial ports and aliases with an identity ---

TSerialPortRecord UsbPort(const char *node, quint16 vid, quint16 pid, const char *serial)
{
    return {QString::fromLatin1(node), PortNames::TUsbIdentity{vid, pid, QString::fromLatin1(serial)}};
}

PortNames::TPortAlias Alias(int number, std::optional<PortNames::TUsbIdentity> identity = {})
{
    PortNames::TPortAlias a;
    a.Number = number;
    a.LinkPath = PortNames::ComName(number);
    a.DevicePath = QStringLiteral("/dev/pts/9");
    a.Identity = identity;
    return a;
}

TEST(SystemBridgeLayerTest, UsbPortsAndIdentifiedAliasesOrderedByComNumber)
{
    const QList<TSerialPortRecord> ports = {
        UsbPort("/dev/ttyUSB40", 0x10C4, 0xEA60, "0001"),  // outside the fixed ranges
        UsbPort("/dev/ttyACM0", 0x2341, 0x0043, "A1"),      // COM65
        {QStringLiteral("/dev/ttyS0"), std::nullopt},       // not a USB device
        UsbPort("/dev/ttyUSB1", 0x10C4, 0xEA60, "0001"),    // COM34, taken by an alias
        UsbPort("/dev/ttyUSB0", 0x0403, 0x6001, "FT1"),     // COM33
    };
    const QList<PortNames::TPortAlias> aliases = {
        Alias(5, PortNames::TUsbIdentity{0x10C4, 0xEA60, QStringLiteral("0001")}),
        Alias(34),  // no identity: hides the system port of that number
    };
    const QList<TBridgeInfo> expected = {
        Bridge(0x10C4, 0xEA60, "0001", "COM5"),
        Bridge(0x0403, 0x6001, "FT1", "COM33"),
        Bridge(0x2341, 0x0043, "A1", "COM65"),
        Bridge(0x10C4, 0xEA60, "0001", ""),
        Bridge(0x10C4, 0xEA60, "0001", ""),
    };
    EXPECT_EQ(TSystemBridgeLayer::BridgesFrom(ports, aliases), expected);
}

class TNoSerialPorts final : public ISerialPortSource {
public:
    QList<TSerialPortRecord> AvailablePorts() override { return {}; }
};

TEST(SystemBridgeLayerTest, AliasWithInterfaceIdentityIsDetected)
{
    QTemporaryDir dir;
    const QString ports = dir.filePath(QStringLiteral("Ports"));
    const PortNames::TUsbIdentity other{0x10C4, 0xEA60, QStringLiteral("0002")};
    const PortNames::TUsbIdentity pcLink{0x10C4, 0xEA60, QStringLiteral("0001")};
    ASSERT_TRUE(PortNames::WriteAlias(ports, 3, QStringLiteral("/dev/null"), other));
    ASSERT_TRUE(PortNames::WriteAlias(ports, 41, QStringLiteral("/dev/null"), pcLink));
    ASSERT_TRUE(PortNames::WriteAlias(ports, 8, QStringLiteral("/dev/null"), std::nullopt));

    TNoSerialPorts source;
    TSystemBridgeLayer layer(source, ports);
    TCP210x access(layer);
    ASSERT_TRUE(access.BridgePresent());
    EXPECT_EQ(access.BridgeCount(), 2u);
    EXPECT_EQ(access.FindInterfacePort(), 41);

    PortNames::RemoveAlias(ports, 41);
    ASSERT_TRUE(access.BridgePresent());
    EXPECT_EQ(access.FindInterfacePort(), -1);
}

// An alias made by a program that has ended (killed, so it could not remove the
// alias) may point at a terminal number someone else has since: the tool ignores it.
TEST(SystemBridgeLayerTest, AliasOfAnEndedOwnerIsNeitherListedDetectedNorOpened)
{
    QTemporaryDir dir;
    const QString ports = dir.filePath(QStringLiteral("Ports"));
    const PortNames::TUsbIdentity pcLink{0x10C4, 0xEA60, QStringLiteral("0001")};
    auto owner = PortNames::WriteOwnedAlias(ports, 150, QStringLiteral("/dev/null"), pcLink);
    ASSERT_TRUE(owner);
    QFile ownerFile(dir.filePath(QStringLiteral("Ports/COM150.owner")));
    ASSERT_TRUE(ownerFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(ownerFile.readAll(), QByteArray::number(QCoreApplication::applicationPid()) + '\n');

    TNoSerialPorts source;
    TSystemBridgeLayer layer(source, ports);
    TCP210x access(layer);
    const auto expectAlive = [&](bool alive) {
        EXPECT_EQ(PortList::CurrentEntries(source, ports), alive ? QStringList{"COM150"} : QStringList{});
        ASSERT_TRUE(access.BridgePresent());  // counts the bridges afresh
        EXPECT_EQ(access.BridgeCount(), alive ? 1u : 0u);
        EXPECT_EQ(access.FindInterfacePort(), alive ? 150 : -1);
        EXPECT_EQ(PortNames::Resolve(QStringLiteral("COM150"), ports), alive ? "/dev/null" : "");
    };
    expectAlive(true);

    owner.reset();  // the owner ends without removing its alias
    ASSERT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Ports/COM150"))));
    expectAlive(false);

    // The next owner of the number replaces the stale alias.
    owner = PortNames::WriteOwnedAlias(ports, 150, QStringLiteral("/dev/null"), pcLink);
    ASSERT_TRUE(owner);
    expectAlive(true);

    // An alias without an owner file is taken as it stands.
    owner.reset();
    ASSERT_TRUE(PortNames::WriteAlias(ports, 150, QStringLiteral("/dev/null"), pcLink));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Ports/COM150.owner"))));
    expectAlive(true);
}

}  // namespace

TEST(PortChoiceTest, StoredPortStaysFixedElseTheInterfaceIsDetected)
{
    struct TCase {
        const char *What;
        int Stored;
        QList<TBridgeInfo> Bridges;
        int Chosen;
        int Loads;           // how often detection asked the bridges
        int Unloads;         // how often it released them again
        bool Loadable = true;
        bool Countable = true;
    };
    const QList<TBridgeInfo> interfaceOn7 = {TFakeBridgeLayer::InterfaceOn("COM7")};
    const TCase cases[] = {
        {"fixed port, interface elsewhere", 27, interfaceOn7, 27, 0, 0},
        {"fixed port 0 stays fixed", 0, interfaceOn7, 0, 0, 0},
        {"detected", -1, {Bridge(0x10C4, 0xEA60, "0002", "COM3"), TFakeBridgeLayer::InterfaceOn("COM7")}, 7, 1, 1},
        {"nothing to detect", -1, {Bridge(0x10C4, 0xEA60, "0002", "COM3")}, -1, 1, 1},
        // No port is chosen for the user when the bridges cannot be asked at all.
        {"bridge layer fails to load", -1, interfaceOn7, -1, 1, 0, false, true},
        {"bridges cannot be counted", -1, interfaceOn7, -1, 1, 1, true, false},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.What);
        TFakeBridgeLayer layer;
        layer.Bridges = c.Bridges;
        layer.Loadable = c.Loadable;
        layer.Countable = c.Countable;
        TCP210x access(layer);
        EXPECT_EQ(PortChoice::Choose(c.Stored, access), c.Chosen);
        EXPECT_EQ(layer.Loads, c.Loads);
        EXPECT_EQ(layer.Unloads, c.Unloads);
    }
}
