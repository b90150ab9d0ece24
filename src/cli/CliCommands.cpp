#include "CliCommands.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QMap>

#include <cstdio>
#include <functional>

#include "CliErrors.h"
#include "CliExchange.h"
#include "CliOutput.h"
#include "CliPorts.h"
#include "CliSettings.h"
#include "CliWatch.h"
#include "CommandFrames.h"
#include "DataFolder.h"
#include "SerialPortSource.h"

namespace CliCommands {
namespace {

struct TCommand {
    QString synopsis;     // after "ternu-cli "
    QString description;  // what --help says first
    QList<QCommandLineOption> options;
    int maxPositional;
    std::function<int(const QCommandLineParser &, TCliOutput &)> run;
};

const QCommandLineOption kPortOption(QStringLiteral("port"),
                                     QStringLiteral("Use port COM<n> instead of finding the interface."),
                                     QStringLiteral("COMn"));
const QCommandLineOption kJsonOption(QStringLiteral("json"), QStringLiteral("Print JSON."));
const QCommandLineOption kYesOption(QStringLiteral("yes"),
                                    QStringLiteral("Confirm that the recorder memory is to be cleared."));
const QCommandLineOption kHelpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                     QStringLiteral("Show this help."));

void print(const QByteArray &text)
{
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

QString positional(const QCommandLineParser &parser)
{
    return parser.positionalArguments().value(0);
}

QString choosePort(const QCommandLineParser &parser)
{
    TSystemSerialPortSource source;
    const auto given = parser.isSet(kPortOption) ? std::optional(parser.value(kPortOption)) : std::nullopt;
    return CliPorts::Choose(given, DataFolder::path(), source);
}

QString portsFolder()
{
    return DataFolder::portsFolder(DataFolder::path());
}

int runPorts(const QCommandLineParser &parser, TCliOutput &out)
{
    TSystemSerialPortSource source;
    const auto ports = CliPorts::List(source, portsFolder());
    if (parser.isSet(kJsonOption)) {
        print(CliPorts::Json(ports) + '\n');
        return ExitCode::Ok;
    }
    if (ports.isEmpty())
        out.Error(QStringLiteral("no serial ports found"));
    for (const QString &line : CliPorts::Table(ports))
        out.Line(line);
    return ExitCode::Ok;
}

int runPing(const QCommandLineParser &parser, TCliOutput &out)
{
    return CliExchange::Run(TOperationCode::ConnectionTest, choosePort(parser), portsFolder(), out);
}

int runSend(const QCommandLineParser &parser, TCliOutput &out)
{
    // Every input is checked before a port is touched.
    const QString file = positional(parser);
    const QString text = file.isEmpty() ? CliSettings::ReadStoredSettings(DataFolder::path())
                                        : CliSettings::ReadSettingsFile(file);
    const QString port = choosePort(parser);
    return CliExchange::Run(TOperationCode::SettingsTransfer, port, portsFolder(), out, [&text] {
        return CliSettings::TransferPayload(text, QDateTime::currentDateTime());
    });
}

int runClear(const QCommandLineParser &parser, TCliOutput &out)
{
    if (!parser.isSet(kYesOption))
        throw ECliError{ExitCode::Usage,
                        QStringLiteral("clearing erases every recording on the device; confirm with --yes")};
    return CliExchange::Run(TOperationCode::ClearMemory, choosePort(parser), portsFolder(), out);
}

int runShow(const QCommandLineParser &parser, TCliOutput &out)
{
    const QString file = positional(parser);
    if (file.isEmpty())
        throw ECliError{ExitCode::Usage, QStringLiteral("show needs a settings file")};
    const QString text = CliSettings::ReadSettingsFile(file);
    const QDateTime now = QDateTime::currentDateTime();
    if (parser.isSet(kJsonOption)) {
        print(CliSettings::DescribeJson(text, now));
        return ExitCode::Ok;
    }
    for (const QString &line : CliSettings::Describe(text, now))
        out.Line(line);
    return ExitCode::Ok;
}

int runWatch(const QCommandLineParser &parser, TCliOutput &out)
{
    const QString file = positional(parser);
    const QString text = file.isEmpty() ? CliSettings::ReadStoredSettings(DataFolder::path())
                                        : CliSettings::ReadSettingsFile(file);
    return CliWatch::Run(text, DataFolder::path(), out);
}

QMap<QString, TCommand> commands()
{
    return {
        {QStringLiteral("ports"),
         {QStringLiteral("ports [--json]"),
          QStringLiteral("Lists every serial port: its COM name, the device it opens, its USB identity\n"
                         "and whether it is the PC-link interface."),
          {kJsonOption}, 0, runPorts}},
        {QStringLiteral("ping"),
         {QStringLiteral("ping [--port COMn]"),
          QStringLiteral("Tests the connection: sends a ping and, after the pong, the follow-up frame."),
          {kPortOption}, 0, runPing}},
        {QStringLiteral("send"),
         {QStringLiteral("send [FILE] [--port COMn]"),
          QStringLiteral("Sends the settings of a settings file (or, without FILE, those the window\n"
                         "stored at its last close), with the computer's clock and date."),
          {kPortOption}, 1, runSend}},
        {QStringLiteral("clear"),
         {QStringLiteral("clear --yes [--port COMn]"),
          QStringLiteral("Clears the recorder memory of the device. Refuses without --yes."),
          {kYesOption, kPortOption}, 0, runClear}},
        {QStringLiteral("show"),
         {QStringLiteral("show FILE [--json]"),
          QStringLiteral("Prints the settings of a settings file as the device would take them."),
          {kJsonOption}, 1, runShow}},
        {QStringLiteral("watch"),
         {QStringLiteral("watch [FILE]"),
          QStringLiteral("Waits for PC-link interfaces and sends the settings once to each one that\n"
                         "appears. Ctrl+C ends it with a summary."),
          {}, 1, runWatch}},
    };
}

const char kExitCodes[] =
    "Exit codes:\n"
    "  0  the device answered as expected\n"
    "  1  the device answered wrongly or not at all\n"
    "  2  usage or bad input (nothing was written to a port)\n"
    "  3  no port to use (no interface found, or the port cannot be opened)\n";

QString programHelp()
{
    QString text = QStringLiteral(
        "Usage: ternu-cli <command> [options]\n\n"
        "Configures a Ternu cycling computer through its PC-link interface.\n"
        "Without --port the interface is found by its USB identity, as the window finds it.\n\n"
        "Commands:\n");
    const auto all = commands();
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        text += QStringLiteral("  %1\n").arg(it->synopsis);
    text += QStringLiteral("\nOptions:\n  -h, --help  Show this help; ternu-cli <command> --help for a command.\n"
                           "  --version   Show the version.\n\n");
    return text + QString::fromLatin1(kExitCodes);
}

QString commandHelp(const TCommand &command)
{
    QString text = QStringLiteral("Usage: ternu-cli %1\n\n%2\n\nOptions:\n")
                       .arg(command.synopsis, command.description);
    for (const QCommandLineOption &o : command.options + QList<QCommandLineOption>{kHelpOption}) {
        QString names = QStringLiteral("--") + o.names().last();
        if (o.names().size() > 1)
            names = QStringLiteral("-") + o.names().first() + QStringLiteral(", ") + names;
        if (!o.valueName().isEmpty())
            names += QLatin1Char(' ') + o.valueName();
        text += QStringLiteral("  %1  %2\n").arg(names, -18).arg(o.description());
    }
    return text + QLatin1Char('\n') + QString::fromLatin1(kExitCodes);
}

}  // namespace

int Main(const QStringList &arguments, TCliOutput &out)
{
    const QString name = arguments.value(0);
    if (name.isEmpty() || name == QLatin1String("--help") || name == QLatin1String("-h")
        || name == QLatin1String("help")) {
        print(programHelp().toLocal8Bit());
        return name.isEmpty() ? ExitCode::Usage : ExitCode::Ok;
    }
    if (name == QLatin1String("--version")) {
        print(QByteArray("ternu-cli " TERNU_VERSION "\n"));
        return ExitCode::Ok;
    }
    const auto all = commands();
    const auto found = all.constFind(name);
    if (found == all.cend()) {
        out.Error(QStringLiteral("unknown command \"%1\"; see ternu-cli --help").arg(name));
        return ExitCode::Usage;
    }
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(found->options);
    parser.addOption(kHelpOption);
    if (!parser.parse(QStringList{QStringLiteral("ternu-cli")} + arguments.mid(1))) {
        out.Error(parser.errorText() + QStringLiteral("; see ternu-cli %1 --help").arg(name));
        return ExitCode::Usage;
    }
    if (parser.isSet(kHelpOption)) {
        print(commandHelp(*found).toLocal8Bit());
        return ExitCode::Ok;
    }
    if (parser.positionalArguments().size() > found->maxPositional) {
        out.Error(QStringLiteral("too many arguments; usage: ternu-cli %1").arg(found->synopsis));
        return ExitCode::Usage;
    }
    try {
        return found->run(parser, out);
    } catch (const ECliError &e) {
        out.Error(e.message);
        return e.exitCode;
    } catch (const std::exception &e) {
        out.Error(QString::fromUtf8(e.what()));
        return ExitCode::NoAnswer;
    }
}

}  // namespace CliCommands
