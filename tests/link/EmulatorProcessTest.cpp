#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

#include "AliasOwner.h"
#include "ComPort.h"
#include "PortNames.h"

namespace {

// The emulator registers itself in the per-user data folder below XDG_CONFIG_HOME.
class EmulatorProcess : public ::testing::Test {
protected:
    void Start(const QStringList &arguments)
    {
        ASSERT_TRUE(home.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        emulator.setProcessEnvironment(env);
        emulator.start(QStringLiteral(TERNU_EMULATOR_PATH), arguments);
        ASSERT_TRUE(emulator.waitForStarted(5000));
    }

    void Interrupt()
    {
        ::kill(pid_t(emulator.processId()), SIGINT);
        ASSERT_TRUE(emulator.waitForFinished(5000));
        EXPECT_EQ(emulator.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(emulator.exitCode(), 0);
    }

    QString Ports() const { return home.path() + QStringLiteral("/Orvan/SetupTool/Ports"); }

    bool WaitForAlias(const QString &name)
    {
        return QTest::qWaitFor(
            [&] { return QFileInfo(Ports() + QLatin1Char('/') + name).isSymLink(); }, 5000);
    }

    QTemporaryDir home;
    QProcess emulator;
};

TEST_F(EmulatorProcess, RegistersWithIdentityAnswersAndCleansUpOnCtrlC)
{
    Start({});
    ASSERT_TRUE(WaitForAlias(QStringLiteral("COM7")));
    const auto aliases = PortNames::ReadAliases(Ports());
    ASSERT_EQ(aliases.size(), 1);
    ASSERT_TRUE(aliases[0].Identity.has_value());
    EXPECT_EQ(PortNames::FormatIdentity(*aliases[0].Identity), "10C4:EA60 0001");

    TComPort port(Ports());
    port.SetPort(QStringLiteral("COM7"));
    port.Open();
    port.WriteBytes("\x06\x00\x06", 3);
    QByteArray reply;
    QObject::connect(&port, &TComPort::RxChar, [&](int count) {
        QByteArray chunk(count, '\0');
        reply += chunk.left(port.ReadBytes(chunk.data(), count));
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return reply.size() >= 3; }, 3000));
    EXPECT_EQ(reply, QByteArray::fromHex("860086"));
    port.Close();

    Interrupt();
    EXPECT_TRUE(QDir(Ports()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                    .isEmpty());
    EXPECT_TRUE(emulator.readAllStandardOutput().contains("received ping (3 bytes): 06 00 06"));
}

TEST_F(EmulatorProcess, OtherNumberWithoutIdentity)
{
    Start({QStringLiteral("--com"), QStringLiteral("12"), QStringLiteral("--no-usb-id")});
    ASSERT_TRUE(WaitForAlias(QStringLiteral("COM12")));
    EXPECT_FALSE(QFile::exists(Ports() + QStringLiteral("/COM12.usb")));
    ::kill(pid_t(emulator.processId()), SIGTERM);
    ASSERT_TRUE(emulator.waitForFinished(5000));
    EXPECT_FALSE(QFileInfo(Ports() + QStringLiteral("/COM12")).isSymLink());
}

TEST_F(EmulatorProcess, KilledEmulatorLeavesNoUsableAlias)
{
    Start({QStringLiteral("--com"), QStringLiteral("9")});
    ASSERT_TRUE(WaitForAlias(QStringLiteral("COM9")));
    const QString link = Ports() + QStringLiteral("/COM9");
    EXPECT_FALSE(PortNames::IsStaleAlias(link));
    ::kill(pid_t(emulator.processId()), SIGKILL);
    ASSERT_TRUE(emulator.waitForFinished(5000));

    // The alias stays behind, but marked as its owner's: stale.
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(PortNames::IsStaleAlias(link));
    EXPECT_TRUE(PortNames::ReadAliases(Ports()).isEmpty());

    // The next emulator takes the number over.
    Start({QStringLiteral("--com"), QStringLiteral("9")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return PortNames::ReadAliases(Ports()).size() == 1; }, 5000));
    Interrupt();
}

}  // namespace
