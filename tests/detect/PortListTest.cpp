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
