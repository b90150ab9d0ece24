#pragma once
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <vector>

// ternu-cli and emulators as processes sharing one per-user data folder below a
// temporary XDG_CONFIG_HOME.
class TCliWorld {
public:
    struct TResult {
        int ExitCode = -1;
        QString Out;
        QString Err;
    };

    TCliWorld()
    {
        Env = QProcessEnvironment::systemEnvironment();
        Env.insert(QStringLiteral("XDG_CONFIG_HOME"), Home.path());
    }
    ~TCliWorld()
    {
        for (auto &e : Emulators) {
            // An emulator that has ended has no id: kill(0) would end this test run.
            if (const pid_t pid = pid_t(e->processId()); pid > 0) {
                ::kill(pid, SIGINT);
                e->waitForFinished(5000);
            }
        }
    }

    QString DataFolder() const { return Home.path() + QStringLiteral("/Orvan/SetupTool"); }

    // Starts an emulator as COM<com>; returns its index once its alias is written.
    int StartEmulator(int com, const QStringList &extra = {})
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(Env);
        p->start(QStringLiteral(TERNU_EMULATOR_PATH),
                 QStringList{QStringLiteral("--com"), QString::number(com)} + extra);
        const int index = int(Emulators.size());
        Emulators.push_back(std::move(p));
        EmulatorLogs.emplace_back();
        const bool ready = QTest::qWaitFor([&] { return EmulatorLog(index).contains("waiting for frames"); }, 10000);
        return ready ? index : -1;
    }

    // What an emulator printed so far.
    QString EmulatorLog(int index)
    {
        EmulatorLogs[size_t(index)] += QString::fromUtf8(Emulators[size_t(index)]->readAllStandardOutput());
        return EmulatorLogs[size_t(index)];
    }

    // The frames an emulator received, as "KIND: HEX" ("ping: 06 00 06").
    QStringList Frames(int index)
    {
        QStringList frames;
        for (const QString &line : EmulatorLog(index).split(QLatin1Char('\n'))) {
            const qsizetype at = line.indexOf(QLatin1String("received "));
            if (at < 0)
                continue;
            const QString rest = line.mid(at + 9);
            frames << rest.section(QLatin1Char(' '), 0, 0) + QStringLiteral(": ")
                          + rest.section(QStringLiteral("): "), 1);
        }
        return frames;
    }

    // The frames once at least count have arrived (or what there is after 5 s).
    QStringList FramesAtLeast(int index, int count)
    {
        QTest::qWaitFor([&] { return Frames(index).size() >= count; }, 5000);
        return Frames(index);
    }

    void StartCli(QProcess &p, const QStringList &arguments)
    {
        p.setProcessEnvironment(Env);
        p.start(QStringLiteral(TERNU_CLI_PATH), arguments);
    }

    TResult Run(const QStringList &arguments)
    {
        QProcess p;
        StartCli(p, arguments);
        TResult r;
        if (!p.waitForFinished(20000)) {
            p.kill();
            p.waitForFinished();
            r.Err = QStringLiteral("(hung)");
            return r;
        }
        r.ExitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.Out = QString::fromUtf8(p.readAllStandardOutput());
        r.Err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    QTemporaryDir Home;
    QProcessEnvironment Env;
    std::vector<std::unique_ptr<QProcess>> Emulators;
    std::vector<QString> EmulatorLogs;
};
