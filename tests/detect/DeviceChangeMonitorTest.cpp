#include "DeviceChangeMonitor.h"
#include "PortNames.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DeviceChangeMonitorTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString ports = dir.filePath(QStringLiteral("Ports"));
    TDeviceChangeMonitor monitor{{ports, false}};
    QSignalSpy arrived{&monitor, &TDeviceChangeMonitor::Arrived};
    QSignalSpy removed{&monitor, &TDeviceChangeMonitor::Removed};

    // Waits until one more signal came or the time is up; true when one came.
    bool WaitForEither(int ms = 2000)
    {
        const qsizetype before = arrived.count() + removed.count();
        return QTest::qWaitFor([&] { return arrived.count() + removed.count() > before; }, ms);
    }
    void Settle() { QTest::qWait(300); }
};

TEST_F(DeviceChangeMonitorTest, CreatesTheFolderToWatchIt)
{
    EXPECT_TRUE(QDir(ports).exists());
    EXPECT_TRUE(monitor.WatchingPortsFolder());
}

TEST_F(DeviceChangeMonitorTest, AliasLinkArrivesAndIsRemoved)
{
    ASSERT_TRUE(PortNames::WriteAlias(ports, 40, QStringLiteral("/dev/null"), std::nullopt));
    ASSERT_TRUE(WaitForEither());
    Settle();
    EXPECT_EQ(arrived.count(), 1);
    EXPECT_EQ(removed.count(), 0);

    PortNames::RemoveAlias(ports, 40);
    ASSERT_TRUE(WaitForEither());
    Settle();
    EXPECT_EQ(arrived.count(), 1);
    EXPECT_EQ(removed.count(), 1);
}

TEST_F(DeviceChangeMonitorTest, OtherFilesAndDanglingLinksAreNoDevices)
{
    QFile note(ports + QStringLiteral("/COM3.usb"));
    ASSERT_TRUE(note.open(QIODevice::WriteOnly));
    note.write("10C4:EA60 0001\n");
    note.close();
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("gone")), ports + QStringLiteral("/COM4")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), ports + QStringLiteral("/ttyX")));
    EXPECT_FALSE(WaitForEither(600));
}

TEST_F(DeviceChangeMonitorTest, RelinkedAliasIsRemovalThenArrival)
{
    ASSERT_TRUE(PortNames::WriteAlias(ports, 40, QStringLiteral("/dev/null"), std::nullopt));
    ASSERT_TRUE(WaitForEither());
    Settle();
    arrived.clear();

    QFile::remove(ports + QStringLiteral("/COM40"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), ports + QStringLiteral("/COM40")));
    ASSERT_TRUE(WaitForEither());
    Settle();
    EXPECT_GE(removed.count(), 1);
    EXPECT_GE(arrived.count(), 1);
}

TEST_F(DeviceChangeMonitorTest, FolderRemovedAndMadeAgainIsStillWatched)
{
    ASSERT_TRUE(QDir(ports).removeRecursively());
    Settle();
    ASSERT_TRUE(QDir().mkpath(ports));
    ASSERT_TRUE(PortNames::WriteAlias(ports, 41, QStringLiteral("/dev/null"), std::nullopt));
    ASSERT_TRUE(WaitForEither());
    EXPECT_EQ(arrived.count(), 1);
}

}  // namespace
