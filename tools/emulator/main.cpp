// ternu-emulator: plays a cycling computer in PC-link mode on a pseudo-terminal.
// The terminal is registered as the port alias COM<n> in the tool's Ports folder,
// with the USB identity of the PC-link interface, so that the tool finds it as it
// finds the real interface. The alias is removed when the emulator ends.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <thread>

#include "AliasOwner.h"
#include "DataFolder.h"
#include "DeviceResponder.h"
#include "PayloadReport.h"
#include "PortNames.h"
#include "PtyDevice.h"
#include "StopRequest.h"

namespace {

// A frame whose rest does not come within this time is dropped.
constexpr int kQuietMs = 200;

void Say(const QString &line)
{
    const QString stamp = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"));
    std::printf("%s  %s\n", qPrintable(stamp), line.toLocal8Bit().constData());
    std::fflush(stdout);
}

void PauseMs(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

struct TReplyTiming {
    int DelayMs = 0;
    bool Split = false;
    int SplitPauseMs = 0;
};

void SendReply(TPtyDevice &pty, const QByteArray &reply, const TReplyTiming &timing)
{
    PauseMs(timing.DelayMs);
    if (!timing.Split) {
        pty.Write(reply);
    } else {
        for (qsizetype i = 0; i < reply.size(); ++i) {
            if (i > 0)
                PauseMs(timing.SplitPauseMs);
            pty.Write(reply.mid(i, 1));
        }
    }
    Say(QStringLiteral("   reply: %1").arg(HexBytes(reply)));
}

void Report(const TReceivedFrame &frame)
{
    Say(QStringLiteral("received %1 (%2 bytes): %3")
            .arg(QString::fromLatin1(TDeviceResponder::KindName(frame.Kind)))
            .arg(frame.Bytes.size())
            .arg(HexBytes(frame.Bytes)));
    if (frame.Kind == TReceivedFrame::TKind::Settings) {
        for (const QString &line : DescribePayload(frame.Bytes.mid(1, 28)))
            Say(QStringLiteral("   ") + line);
    }
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ternu-emulator"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays a Ternu cycling computer in PC-link mode on a pseudo-terminal that the "
        "Ternu Setup Tool finds as a port."));
    parser.addHelpOption();
    const QCommandLineOption comOption(QStringLiteral("com"),
                                       QStringLiteral("Register as COM<n> (default 7)."),
                                       QStringLiteral("n"), QStringLiteral("7"));
    const QCommandLineOption silentOption(QStringLiteral("silent"),
                                          QStringLiteral("Never answer."));
    const QCommandLineOption wrongOption(
        QStringLiteral("wrong"),
        QStringLiteral("Answer wrongly (a ping with 96 00 96, settings and clear with each "
                       "other's acknowledgement)."));
    const QCommandLineOption splitOption(
        QStringLiteral("split"),
        QStringLiteral("Send replies one byte at a time, <ms> apart."),
        QStringLiteral("ms"));
    const QCommandLineOption delayOption(QStringLiteral("delay"),
                                         QStringLiteral("Wait <ms> before each reply."),
                                         QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption noUsbOption(
        QStringLiteral("no-usb-id"),
        QStringLiteral("Register the port without the PC-link interface's USB identity."));
    parser.addOptions({comOption, silentOption, wrongOption, splitOption, delayOption, noUsbOption});
    parser.process(app);

    bool ok = false;
    const int com = parser.value(comOption).toInt(&ok);
    if (!ok || com < 1) {
        std::fprintf(stderr, "ternu-emulator: --com needs a number of 1 or more\n");
        return 2;
    }
    TReplyTiming timing;
    timing.DelayMs = qMax(0, parser.value(delayOption).toInt());
    timing.Split = parser.isSet(splitOption);
    if (timing.Split)
        timing.SplitPauseMs = qMax(0, parser.value(splitOption).toInt());
    TResponderOptions options;
    options.Silent = parser.isSet(silentOption);
    options.Wrong = parser.isSet(wrongOption);

    const TStopRequest stop(true);
    QObject::connect(&stop, &TStopRequest::Requested, &app, &QCoreApplication::quit);
    try {
        TPtyDevice pty;
        const QString portsFolder = DataFolder::PortsFolder(DataFolder::Path());
        std::optional<PortNames::TUsbIdentity> identity;
        if (!parser.isSet(noUsbOption))
            identity = PortNames::TUsbIdentity{0x10C4, 0xEA60, QStringLiteral("0001")};
        // The alias is valid only while this process holds its owner lock, so that
        // a killed emulator never leaves a usable alias behind.
        const auto owner = PortNames::WriteOwnedAlias(portsFolder, com, pty.SlavePath(), identity);
        if (!owner) {
            std::fprintf(stderr, "ternu-emulator: cannot write the port alias in %s\n",
                         qPrintable(portsFolder));
            return 1;
        }
        Say(QStringLiteral("%1 -> %2%3; waiting for frames (Ctrl+C ends)")
                .arg(PortNames::ComName(com), pty.SlavePath(),
                     identity ? QStringLiteral(", USB ") + PortNames::FormatIdentity(*identity)
                              : QStringLiteral(", no USB identity")));

        TDeviceResponder responder(options);
        QTimer quiet;
        quiet.setSingleShot(true);
        QObject::connect(&quiet, &QTimer::timeout, &app, [&] {
            if (responder.HasPartial())
                Say(QStringLiteral("incomplete frame dropped: %1").arg(HexBytes(responder.TakePartial())));
        });
        QSocketNotifier line(pty.Handle(), QSocketNotifier::Read);
        QObject::connect(&line, &QSocketNotifier::activated, &app, [&] {
            const QByteArray input = pty.Read(0);
            if (input.isEmpty())
                return;
            quiet.start(kQuietMs);
            for (const TReceivedFrame &frame : responder.Feed(input)) {
                Report(frame);
                if (!frame.Reply.isEmpty())
                    SendReply(pty, frame.Reply, timing);
            }
        });
        if (!stop.IsRequested())
            app.exec();
        // Another emulator may have taken the number meanwhile; its alias stays.
        const QString link = QDir(portsFolder).filePath(PortNames::ComName(com));
        if (QFileInfo(link).symLinkTarget() == pty.SlavePath()) {
            PortNames::RemoveAlias(portsFolder, com);
            Say(QStringLiteral("%1 removed").arg(PortNames::ComName(com)));
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "ternu-emulator: %s\n", e.what());
        return 1;
    }
    return 0;
}
