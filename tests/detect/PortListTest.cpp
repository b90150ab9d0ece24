#include "PortList.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

SerialPortRecord port(const char *node)
{
    return {QString::fromLatin1(node), std::nullopt};
}

PortNames::PortAlias alias(int number)
{
    PortNames::PortAlias a;
    a.number = number;
    a.linkPath = PortNames::comName(number);
    a.devicePath = QStringLiteral("/dev/pts/3");
    return a;
}

// The fixed names at the edges of their ranges, with no alias in the way: a stored
// number must open the same device node after every replug, both ways round.
TEST(PortNamesTest, FixedRangesAtTheirEdges)
{
    struct Case {
        const char *com;
        const char *device;  // "" for none
        int number;          // the name's number
    };
    const Case cases[] = {
        {"COM1", "/dev/ttyS0", 1},       {"COM32", "/dev/ttyS31", 32},   {"COM33", "/dev/ttyUSB0", 33},
        {"COM64", "/dev/ttyUSB31", 64},  {"COM65", "/dev/ttyACM0", 65},  {"COM96", "/dev/ttyACM31", 96},
        {"COM97", "", 97},               {"COM0", "", 0},                {"com33", "/dev/ttyUSB0", 33},
    };
    QTemporaryDir dir;
    const QString ports = dir.filePath(QStringLiteral("Ports"));  // no aliases yet
    for (const Case &c : cases) {
        SCOPED_TRACE(c.com);
        EXPECT_EQ(PortNames::resolve(QString::fromLatin1(c.com), ports).toStdString(), c.device);
        if (*c.device) {
            EXPECT_EQ(PortNames::defaultNumberForDevice(QString::fromLatin1(c.device)), c.number);
        }
    }
    // An alias takes the place of the fixed name of its number, and of no other.
    ASSERT_TRUE(PortNames::writeAlias(ports, 33, QStringLiteral("/dev/null"), std::nullopt));
    EXPECT_EQ(PortNames::resolve(QStringLiteral("COM33"), ports), "/dev/null");
    EXPECT_EQ(PortNames::resolve(QStringLiteral("COM34"), ports), "/dev/ttyUSB1");

    // Nodes beyond the ranges, or of other kinds, have no fixed name.
    for (const char *node : {"/dev/ttyS32", "/dev/ttyUSB32", "/dev/ttyACM32", "/dev/ttyAMA0", "/dev/ttyUSB",
                             "/dev/ttyUSB-1", "/dev/ttyUSB+1"}) {
        SCOPED_TRACE(node);
        EXPECT_EQ(PortNames::defaultNumberForDevice(QString::fromLatin1(node)), 0);
    }
}

TEST(PortListTest, SortedAsTextSoThatCom10ComesBeforeCom2)
{
    const QStringList names =
        PortList::entries({port("/dev/ttyS2"), port("/dev/ttyS9"), port("/dev/ttyS1")}, {});
    EXPECT_EQ(names, (QStringList{"COM10", "COM2", "COM3"}));

    QStringList mixed{"com5", "COM10", "Com1"};
    PortList::sortAsText(mixed);
    EXPECT_EQ(mixed, (QStringList{"Com1", "COM10", "com5"}));
}

TEST(PortListTest, PortsWithComNameAndAliasesEachOnce)
{
    const QStringList names = PortList::entries(
        {port("/dev/ttyUSB0"), port("/dev/ttyUSB40"), port("/dev/ttyAMA0"), port("/dev/ttyACM1")},
        {alias(33), alias(150), alias(4)});
    EXPECT_EQ(names, (QStringList{"COM150", "COM33", "COM4", "COM66"}));
}

class FixedPorts final : public ISerialPortSource {
public:
    QList<SerialPortRecord> ports;
    QList<SerialPortRecord> availablePorts() override { return ports; }
};

TEST(PortListTest, CurrentEntriesReadTheAliasFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Ports"));
    ASSERT_TRUE(PortNames::writeAlias(folder, 7, QStringLiteral("/dev/null"), std::nullopt));
    FixedPorts source;
    source.ports = {port("/dev/ttyS0")};
    EXPECT_EQ(PortList::currentEntries(source, folder), (QStringList{"COM1", "COM7"}));
    EXPECT_EQ(PortList::currentEntries(source, dir.filePath(QStringLiteral("none"))),
              QStringList{"COM1"});
}

}  // namespace
