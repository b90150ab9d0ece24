#include "PortList.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TSerialPortRecord Port(const char *node)
{
    return {QString::fromLatin1(node), std::nullopt};
}

PortNames::TPortAlias Alias(int number)
{
    PortNames::TPortAlias a;
    a.Number = number;
    a.LinkPath = PortNames::ComName(number);
    a.DevicePath = QStringLiteral("/dev/pts/3");
    return a;
}

// The fixed names at the edges of their ranges, with no alias in the way: a stored
// number must open the same device node after every replug, both ways round.
TEST(PortNamesTest, FixedRangesAtTheirEdges)
{
    struct TCase {
        const char *Com;
        const char *Device;  // "" for none
        int Number;          // the name's number
    };
    const TCase cases[] = {
        {"COM1", "/dev/ttyS0", 1},       {"COM32", "/dev/ttyS31", 32},   {"COM33", "/dev/ttyUSB0", 33},
        {"COM64", "/dev/ttyUSB31", 64},  {"COM65", "/dev/ttyACM0", 65},  {"COM96", "/dev/ttyACM31", 96},
        {"COM97", "", 97},               {"COM0", "", 0},                {"com33", "/dev/ttyUSB0", 33},
    };
    QTemporaryDir dir;
    const QString ports = dir.filePath(QStringLiteral("Ports"));  // no aliases yet
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Com);
        EXPECT_EQ(PortNames::Resolve(QString::fromLatin1(c.Com), ports).toStdString(), c.Device);
        if (*c.Device) {
            EXPECT_EQ(PortNames::DefaultNumberForDevice(QString::fromLatin1(c.Device)), c.Number);
        }
    }
    // An alias takes the place of the fixed name of its number, and of no other.
    ASSERT_TRUE(PortNames::WriteAlias(ports, 33, QStringLiteral("/dev/null"), std::nullopt));
    EXPECT_EQ(PortNames::Resolve(QStringLiteral("COM33"), ports), "/dev/null");
    EXPECT_EQ(PortNames::Resolve(QStringLiteral("COM34"), ports), "/dev/ttyUSB1");

    // Nodes beyond the ranges, or of other kinds, have no fixed name.
    for (const char *node : {"/dev/ttyS32", "/dev/ttyUSB32", "/dev/ttyACM32", "/dev/ttyAMA0", "/dev/ttyUSB",
                             "/dev/ttyUSB-1", "/dev/ttyUSB+1"}) {
        SCOPED_TRACE(node);
        EXPECT_EQ(PortNames::DefaultNumberForDevice(QString::fromLatin1(node)), 0);
    }
}

TEST(PortListTest, SortedAsTextSoThatCom10ComesBeforeCom2)
{
    const QStringList names =
        PortList::Entries({Port("/dev/ttyS2"), Port("/dev/ttyS9"), Port("/dev/ttyS1")}, {});
    EXPECT_EQ(names, (QStringList{"COM10", "COM2", "COM3"}));

    QStringList mixed{"com5", "COM10", "Com1"};
    PortList::SortAsText(mixed);
    EXPECT_EQ(mixed, (QStringList{"Com1", "COM10", "com5"}));
}

TEST(PortListTest, PortsWithComNameAndAliasesEachOnce)
{
    const QStringList names = PortList::Entries(
        {Port("/dev/ttyUSB0"), Port("/dev/ttyUSB40"), Port("/dev/ttyAMA0"), Port("/dev/ttyACM1")},
        {Alias(33), Alias(150), Alias(4)});
    EXPECT_EQ(names, (QStringList{"COM150", "COM33", "COM4", "COM66"}));
}

class TFixedPorts final : public ISerialPortSource {
public:
    QList<TSerialPortRecord> Ports;
    QList<TSerialPortRecord> AvailablePorts() override { return Ports; }
};

TEST(PortListTest, CurrentEntriesReadTheAliasFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Ports"));
    ASSERT_TRUE(PortNames::WriteAlias(folder, 7, QStringLiteral("/dev/null"), std::nullopt));
    TFixedPorts source;
    source.Ports = {Port("/dev/ttyS0")};
    EXPECT_EQ(PortList::CurrentEntries(source, folder), (QStringList{"COM1", "COM7"}));
    EXPECT_EQ(PortList::CurrentEntries(source, dir.filePath(QStringLiteral("none"))),
              QStringList{"COM1"});
}

}  // namespace
