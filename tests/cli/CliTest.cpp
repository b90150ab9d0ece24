#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <unistd.h>

#include "ComPort.h"

#include "CliRunner.h"

namespace {

// Female, km/h, kg, deg C, 24 h, 5 s; weight 176 lb; limits 150/130; lap 2.0 km, 2:00.
const char kText[] = "00000000000008520800" "00B00000968200001400" "022A01";
const QString kSettingsHead = QStringLiteral("0C 00 00 00 00 00 00 52 08 00 08 B0 00 00 00 96 82");
const QString kSettingsTail = QStringLiteral("00 14 00 00 02 2A 00");

QString Bcd(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// The five clock bytes of a settings frame at a moment: minute, hour, day (BCD),
// month (binary), year (BCD).
QString ClockBytes(const QDateTime &t)
{
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(Bcd(t.time().minute()), Bcd(t.time().hour()), Bcd(t.date().day()),
             QStringLiteral("%1").arg(t.date().month(), 2, 16, QLatin1Char('0')).toUpper(),
             Bcd(t.date().year() % 100));
}

class Cli : public ::testing::Test {
protected:
    QString WriteFile(const QString &name, const QByteArray &content)
    {
        const QString path = world.Home.path() + QLatin1Char('/') + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    QString SettingsFile()
    {
        return WriteFile(QStringLiteral("fleet.dat"), QByteArray("[DEVICE]\r\nSettings_TERNU=") + kText + "\r\n");
    }

    TCliWorld world;
};

TEST_F(Cli, OperationsAgainstTheEmulator)
{
    const QString file = SettingsFile();
    struct TCase {
        const char *Name;
        QStringList EmulatorOptions;
        QStringList Arguments;
        int ExitCode;
        QString Out;
        QStringList FrameKinds;
    };
    const QString noPong = QStringLiteral("Ping\nNo Pong received!\nMaybe Ternu is not in PC Link mode.\n");
    const TCase cases[] = {
        {"ping", {}, {"ping"}, 0, "Ping\nPong\n", {"ping: 06 00 06", "follow-up: 0A 86 90"}},
        {"ping on a named port", {}, {"ping", "--port", "COM21"}, 0, "Ping\nPong\n",
         {"ping: 06 00 06", "follow-up: 0A 86 90"}},
        {"send", {}, {"send", file}, 0, "Sending Datas...\nACK_OK\n", {"settings"}},
        {"clear", {}, {"clear", "--yes"}, 0, "DELETE DATAS...\nDELETION CONFIRMED\n",
         {"clear: 0B 00 0B"}},
        {"reply in pieces", {"--split", "100"}, {"send", file}, 0, "Sending Datas...\nACK_OK\n",
         {"settings"}},
        {"silent ping", {"--silent"}, {"ping"}, 1, noPong, {"ping: 06 00 06"}},
        {"silent send", {"--silent"}, {"send", file}, 1, "Sending Datas...\nACK_ERROR\n", {"settings"}},
        {"wrong clear", {"--wrong"}, {"clear", "--yes"}, 1, "DELETE DATAS...\nACK_ERROR\n",
         {"clear: 0B 00 0B"}},
        {"late reply", {"--delay", "700"}, {"send", file}, 1, "Sending Datas...\nACK_ERROR\n",
         {"settings"}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TCliWorld one;  // a data folder of its own per case
        const int emulator = one.StartEmulator(21, c.EmulatorOptions);
        ASSERT_GE(emulator, 0);
        const QDateTime before = QDateTime::currentDateTime();
        const auto r = one.Run(c.Arguments);
        const QDateTime after = QDateTime::currentDateTime();
        EXPECT_EQ(r.ExitCode, c.ExitCode) << qPrintable(r.Err);
        EXPECT_EQ(r.Out, c.Out);
        const QStringList frames = one.FramesAtLeast(emulator, int(c.FrameKinds.size()));
        ASSERT_EQ(frames.size(), c.FrameKinds.size());
        for (int i = 0; i < frames.size(); ++i) {
            if (c.FrameKinds[i] != "settings") {
                EXPECT_EQ(frames[i], c.FrameKinds[i]);
                continue;
            }
            // The file's settings with the PC's clock, then the byte sum.
            const QString bytes = frames[i].section(QStringLiteral(": "), 1);
            EXPECT_TRUE(bytes.startsWith(kSettingsHead + QLatin1Char(' ')));
            const QString clock = bytes.mid(kSettingsHead.size() + 1, 14);
            EXPECT_TRUE(clock == ClockBytes(before) || clock == ClockBytes(after)) << qPrintable(clock);
            EXPECT_EQ(bytes.mid(kSettingsHead.size() + 16, kSettingsTail.size()), kSettingsTail);
            const QByteArray raw = QByteArray::fromHex(bytes.toLatin1());
            ASSERT_EQ(raw.size(), 30);
            quint8 sum = 0;
            for (int k = 0; k < 29; ++k)
                sum = quint8(sum + quint8(raw[k]));
            EXPECT_EQ(quint8(raw[29]), sum);
        }
    }
}

TEST_F(Cli, BadInputWritesNothingAndExitsWithTwo)
{
    const int emulator = world.StartEmulator(22);
    ASSERT_GE(emulator, 0);
    const QString missing = world.Home.path() + QStringLiteral("/missing.dat");
    const QString empty = WriteFile("empty.dat", "");
    const QString binary = WriteFile("binary.dat", QByteArray("\x00\xff\x13[DEVICE\x00]\x80\x81", 12));
    const QString huge = WriteFile("huge.dat", QByteArray("[DEVICE]\nSettings_TERNU=") + kText + "\n"
                                                   + QByteArray(2 * 1024 * 1024, 'x'));
    const QString noText = WriteFile("notext.dat", "[MISC]\nCPort=22\n");
    const QString junkText = WriteFile("junk.dat", "[DEVICE]\nSettings_TERNU=hello\n");
    struct TCase {
        QStringList Arguments;
        QString Message;  // part of standard error
    };
    const TCase cases[] = {
        {{"clear"}, "--yes"},
        {{"frobnicate"}, "unknown command \"frobnicate\""},
        {{"send", "--bogus"}, "bogus"},
        {{"send", "a.dat", "b.dat"}, "too many arguments"},
        {{"send", missing}, missing + ": no such file"},
        {{"send", world.Home.path()}, world.Home.path() + ": not a file"},
        {{"send", empty}, empty + ": no settings text"},
        {{"send", binary}, binary + ": no settings text"},
        {{"send", huge}, huge + ": too large"},
        {{"send", noText}, noText + ": no settings text"},
        {{"send", junkText}, junkText + ": the settings text is not 46 hexadecimal digits"},
        {{"send"}, "no stored settings"},
        {{"show"}, "show needs a settings file"},
        {{"show", binary}, binary + ": no settings text"},
        {{"watch", missing}, missing + ": no such file"},
        {{"ping", "--port", "/dev/ttyS0"}, "/dev/ttyS0 is no port name"},
        {{"ping", "--port", "COM0"}, "COM0 is no port name"},
        {{"clear", "--yes", "--port", "COM-3"}, "COM-3 is no port name"},
        {{"ping", "--port", "COM"}, "COM is no port name"},
        {{"ping", "--port", "COM2x"}, "COM2x is no port name"},
        {{"ping", "--port", "LPT1"}, "LPT1 is no port name"},
        {{"ping", "--port", "COM+22"}, "COM+22 is no port name"},  // would open COM22
        {{"ping", "--port", "COM 22"}, "COM 22 is no port name"},
        {{"ping", "--port", ""}, "\"\" is no port name"},  // would find the interface
        {{}, "Usage: ternu-cli <command>"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(qPrintable(c.Arguments.join(' ')));
        const auto r = world.Run(c.Arguments);
        EXPECT_EQ(r.ExitCode, 2);
        EXPECT_TRUE((r.Err + r.Out).contains(c.Message)) << qPrintable(r.Err);
    }
    // Each command would have written within a second; none did.
    const auto ping = world.Run({"ping"});
    EXPECT_EQ(ping.ExitCode, 0);
    EXPECT_EQ(world.FramesAtLeast(emulator, 2), QStringList({"ping: 06 00 06", "follow-up: 0A 86 90"}));
}

TEST_F(Cli, NoPortToUseExitsWithThree)
{
    struct TCase {
        QStringList Arguments;
        QStringList MessageLines;
    };
    const TCase cases[] = {
        {{"ping"}, {"ternu-cli: No Ternu interface detected"}},
        {{"clear", "--yes", "--port", "COM200"}, {"ternu-cli: COM Port Error: Unable to open com port on COM200"}},
    };
    // A port without the interface's identity is listed but not taken.
    ASSERT_GE(world.StartEmulator(23, {"--no-usb-id"}), 0);
    for (const TCase &c : cases) {
        SCOPED_TRACE(qPrintable(c.Arguments.join(' ')));
        const auto r = world.Run(c.Arguments);
        EXPECT_EQ(r.ExitCode, 3);
        EXPECT_TRUE(r.Out.isEmpty());
        for (const QString &line : c.MessageLines)
            EXPECT_TRUE(r.Err.startsWith(line + QLatin1Char('\n'))) << qPrintable(r.Err);
    }
    EXPECT_TRUE(world.Run({"ping"}).Err.contains(QRegularExpression("\\n  COM23 +/dev/pts/\\d+ +-\\n")));
}

TEST_F(Cli, PortErrorsSayWhatToDo)
{
    ASSERT_GE(world.StartEmulator(41), 0);
    // Held by this test program.
    TComPort holder(world.DataFolder() + QStringLiteral("/Ports"));
    holder.SetPort(QStringLiteral("COM41"));
    holder.Open();
    const auto busy = world.Run({"ping", "--port", "COM41"});
    EXPECT_EQ(busy.ExitCode, 3);
    const QStringList busyLines = busy.Err.split(QLatin1Char('\n'));
    EXPECT_EQ(busyLines.value(0), "ternu-cli: COM Port Error: Unable to open com port on COM41");
    EXPECT_TRUE(busyLines.value(1).contains(
        QStringLiteral("(process %1). End that program or choose another port.").arg(QCoreApplication::applicationPid())))
        << qPrintable(busy.Err);
    holder.Close();

    // Root opens any device: the lack of permission is shown by an unprivileged user.
    if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        GTEST_SKIP() << "needs root and setpriv";
    QFile::setPermissions(world.Home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                 | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                 | QFileDevice::ExeOther);
    QProcess p;
    p.setProcessEnvironment(world.Env);
    p.start(QStringLiteral("setpriv"), {"--reuid=65534", "--regid=65534", "--clear-groups",
                                        QStringLiteral(TERNU_CLI_PATH), "ping", "--port", "COM41"});
    ASSERT_TRUE(p.waitForFinished(20000));
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 3) << qPrintable(err);
    const QStringList lines = err.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(0), "ternu-cli: COM Port Error: Unable to open com port on COM41");
    EXPECT_TRUE(QRegularExpression("^No permission to open /dev/pts/\\d+\\. Install the udev rule "
                                   "60-ternu-pclink\\.rules .* or add your user to the group dialout ")
                    .match(lines.value(1))
                    .hasMatch())
        << qPrintable(err);
}

TEST_F(Cli, PortsListsEveryPortWithItsIdentity)
{
    ASSERT_GE(world.StartEmulator(24), 0);
    ASSERT_GE(world.StartEmulator(25, {"--no-usb-id"}), 0);
    const auto r = world.Run({"ports", "--json"});
    ASSERT_EQ(r.ExitCode, 0);
    const QJsonArray ports = QJsonDocument::fromJson(r.Out.toUtf8()).array();
    QJsonObject com24, com25;
    for (const QJsonValue &v : ports) {
        if (v[QStringLiteral("port")] == QStringLiteral("COM24"))
            com24 = v.toObject();
        if (v[QStringLiteral("port")] == QStringLiteral("COM25"))
            com25 = v.toObject();
    }
    EXPECT_EQ(com24[QStringLiteral("usb")], QStringLiteral("10C4:EA60 0001"));
    EXPECT_EQ(com24[QStringLiteral("interface")], true);
    EXPECT_TRUE(com24[QStringLiteral("device")].toString().startsWith(QStringLiteral("/dev/pts/")));
    EXPECT_TRUE(com25[QStringLiteral("usb")].isNull());
    EXPECT_EQ(com25[QStringLiteral("interface")], false);

    const auto table = world.Run({"ports"});
    EXPECT_TRUE(table.Out.contains(QRegularExpression("COM24 +/dev/pts/\\d+ +10C4:EA60 0001 +PC-link interface\\n")));
}

TEST_F(Cli, SendWithoutFileUsesTheStoredSettingsAndPort)
{
    QDir().mkpath(world.DataFolder());
    QFile ini(world.DataFolder() + QStringLiteral("/Ternu_SetupTool.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QByteArray("[MISC]\r\nCPort=27\r\n[DEVICE]\r\nSettings_TERNU=") + kText + "\r\n");
    ini.close();
    // The stored port wins over the interface that detection would take first.
    const int detected = world.StartEmulator(26);
    const int stored = world.StartEmulator(27, {"--no-usb-id"});
    ASSERT_GE(stored, 0);
    const auto r = world.Run({"send"});
    EXPECT_EQ(r.ExitCode, 0) << qPrintable(r.Err);
    ASSERT_EQ(world.FramesAtLeast(stored, 1).size(), 1);
    EXPECT_TRUE(world.Frames(detected).isEmpty());
    EXPECT_TRUE(world.Frames(stored)[0].startsWith("settings: " + kSettingsHead));
}

TEST_F(Cli, ShowPrintsTheSettingsAsTheDeviceTakesThem)
{
    const QString file = SettingsFile();
    const auto r = world.Run({"show", file});
    ASSERT_EQ(r.ExitCode, 0) << qPrintable(r.Err);
    const QStringList lines = r.Out.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(0), "odometer 1: 0 km, odometer 2: 0 km");
    EXPECT_EQ(lines.value(2), "rider weight: 176 lb");
    EXPECT_EQ(lines.value(4), "heart-rate limits: upper 150 bpm, lower 130 bpm");
    EXPECT_EQ(lines.value(7), "flags 2A: female, km/h, kg, °C, 24 h, sample rate 5 s");

    const auto json = world.Run({"show", file, "--json"});
    ASSERT_EQ(json.ExitCode, 0);
    const QJsonObject o = QJsonDocument::fromJson(json.Out.toUtf8()).object();
    EXPECT_EQ(o[QStringLiteral("weight")], 80);
    EXPECT_EQ(o[QStringLiteral("weightUnit")], QStringLiteral("kg"));
    EXPECT_EQ(o[QStringLiteral("sex")], QStringLiteral("female"));
    EXPECT_EQ(o[QStringLiteral("wheel1")], 2130);
}

TEST_F(Cli, HelpAndVersion)
{
    for (const char *command : {"ports", "ping", "send", "clear", "show", "watch"}) {
        SCOPED_TRACE(command);
        const auto r = world.Run({command, "--help"});
        EXPECT_EQ(r.ExitCode, 0);
        EXPECT_TRUE(r.Out.startsWith(QStringLiteral("Usage: ternu-cli ") + command));
        EXPECT_TRUE(r.Out.contains("Exit codes:"));
    }
    const auto v = world.Run({"--version"});
    EXPECT_EQ(v.ExitCode, 0);
    EXPECT_EQ(v.Out, "ternu-cli 1.05\n");
}

TEST_F(Cli, WatchConfiguresEachInterfaceOnceAsItAppears)
{
    const QString file = SettingsFile();
    QProcess watch;
    QString out;
    world.StartCli(watch, {"watch", file});
    const auto seen = [&](const QString &text) {
        return QTest::qWaitFor([&] {
            out += QString::fromUtf8(watch.readAllStandardOutput());
            return out.contains(text);
        }, 15000);
    };
    ASSERT_TRUE(seen("Waiting for Ternu interfaces"));
    const int first = world.StartEmulator(31);
    ASSERT_TRUE(seen("COM31: configured\n"));
    const int second = world.StartEmulator(32);
    ASSERT_TRUE(seen("COM32: configured\n"));
    const int silent = world.StartEmulator(33, {"--silent"});
    ASSERT_TRUE(seen("COM33: failed"));
    // Unplugged while the watch waits for its answer: that device fails, the next
    // one is configured.
    const int unplugged = world.StartEmulator(34, {"--silent"});
    ASSERT_EQ(world.FramesAtLeast(unplugged, 1).size(), 1);
    ASSERT_GE(unplugged, 0);
    const pid_t unpluggedPid = pid_t(world.Emulators[size_t(unplugged)]->processId());
    ASSERT_GT(unpluggedPid, 0);  // kill(0) would end the whole test run
    ::kill(unpluggedPid, SIGKILL);
    ASSERT_TRUE(seen("COM34: failed"));
    const int last = world.StartEmulator(35);
    ASSERT_TRUE(seen("COM35: configured\n"));
    QTest::qWait(1000);  // further looks at the ports configure nobody twice

    ::kill(pid_t(watch.processId()), SIGINT);
    ASSERT_TRUE(watch.waitForFinished(10000));
    out += QString::fromUtf8(watch.readAllStandardOutput());
    EXPECT_EQ(watch.exitCode(), 0);
    EXPECT_TRUE(out.endsWith("3 configured, 2 failed\n")) << qPrintable(out);
    EXPECT_EQ(out.count("Sending Datas..."), 5);
    for (int emulator : {first, second, silent, unplugged, last}) {
        ASSERT_EQ(world.FramesAtLeast(emulator, 1).size(), 1);
        EXPECT_TRUE(world.Frames(emulator)[0].startsWith("settings: " + kSettingsHead));
    }
}

}  // namespace
