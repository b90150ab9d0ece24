#include "CliWatch.h"

#include <QDateTime>
#include <QEventLoop>
#include <QSet>
#include <QTimer>

#include <unistd.h>

#include "CliErrors.h"
#include "CliExchange.h"
#include "CliOutput.h"
#include "CliSettings.h"
#include "CommandFrames.h"
#include "DataFolder.h"
#include "DeviceChangeMonitor.h"
#include "CliPorts.h"
#include "PortNames.h"
#include "SerialPortSource.h"
#include "StopRequest.h"

namespace CliWatch {
namespace {

// Arrivals are announced by the monitor; the poll also catches an alias whose
// identity file was written a moment after its link.
constexpr int kPollMs = 250;

}  // namespace

int Run(const QString &settingsText, const QString &dataFolder, TCliOutput &out)
{
    TStopRequest stop;

    const QString portsFolder = DataFolder::PortsFolder(dataFolder);
    TSystemSerialPortSource source;
    TDeviceChangeMonitor monitor({portsFolder, true});
    // An interface counts as new while its port and device were not there at the
    // last look: unplugging and plugging again configures it again.
    QSet<QString> present;
    int configured = 0;
    int failed = 0;
    bool busy = false;

    QEventLoop loop;
    const auto look = [&] {
        if (busy || stop.IsRequested())
            return;
        busy = true;
        QSet<QString> now;
        QStringList fresh;
        for (const QString &port : CliPorts::InterfacePorts(source, portsFolder)) {
            const QString key = port + QLatin1Char(' ') + PortNames::Resolve(port, portsFolder);
            now.insert(key);
            if (!present.contains(key))
                fresh << port;
        }
        present = now;
        for (const QString &port : fresh) {
            if (stop.IsRequested())
                break;
            int code = ExitCode::NoAnswer;
            QString reason;
            try {
                code = CliExchange::Run(TOperationCode::SettingsTransfer, port, portsFolder, out, [&] {
                    return CliSettings::TransferPayload(settingsText, QDateTime::currentDateTime());
                });
            } catch (const ECliError &e) {
                code = e.ExitCode;
                reason = e.Message.section(QLatin1Char('\n'), 0, 0);
            }
            if (code == ExitCode::Ok) {
                ++configured;
                out.Line(QStringLiteral("%1: configured").arg(port));
            } else {
                ++failed;
                out.Line(QStringLiteral("%1: failed (%2)")
                             .arg(port, reason.isEmpty() ? QStringLiteral("no acknowledgement") : reason));
            }
        }
        busy = false;
    };

    QObject::connect(&monitor, &TDeviceChangeMonitor::Arrived, &loop, look);
    QObject::connect(&monitor, &TDeviceChangeMonitor::Removed, &loop, look);
    QObject::connect(&stop, &TStopRequest::Requested, &loop, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, look);
    poll.start(kPollMs);
    out.Line(QStringLiteral("Waiting for Ternu interfaces (Ctrl+C ends)"));
    QTimer::singleShot(0, &loop, look);
    loop.exec();

    // A terminal has just echoed "^C" on the current line.
    if (::isatty(STDOUT_FILENO) == 1)
        out.Line(QString());
    out.Line(QStringLiteral("%1 configured, %2 failed").arg(configured).arg(failed));
    return ExitCode::Ok;
}

}  // namespace CliWatch
