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
    QString Synopsis;     // after "ternu-cli "
    QString Description;  // what --help says first
    QList<QCommandLineOption> Options;
    int MaxPositional;
    std::function<int(const QCommandLineParser &, TCliOutput &)> Run;
};

const QCommandLineOption kPortOption(QStringLiteral("port"),
                                     QStringLiteral("Use port COM<n> instead of finding the interface."),
                                     QStringLiteral("COMn"));
const QCommandLineOption kJsonOption(QStringLiteral("json"), QStringLiteral("Print JSON."));
const QCommandLineOption kYesOption(QStringLiteral("yes"),
                                    QStringLiteral("Confirm that the recorder memory is to be cleared."));
const QCommandLineOption kHelpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                     QStringLiteral("Show this help."));

void Print(const QByteArray &text)
{
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

QString Positional(const QCommandLineParser &parser)
{
    return parser.positionalArguments().value(0);
}

QString ChoosePort(const QCommandLineParser &parser)
{
    TSystemSerialPortSource source;
    const auto given = parser.isSet(kPortOption) ? std::optional(parser.value(kPortOption)) : std::nullopt;
    return CliPorts::Choose(given, DataFolder::Path(), source);
}

QString PortsFolder()
{
    return DataFolder::PortsFolder(DataFolder::Path());
}

int RunPorts(const QCommandLineParser &parser, TCliOutput &out)
{
    TSystemSerialPortSource source;
    const auto ports = CliPorts::List(source, PortsFolder());
    if (parser.isSet(kJsonOption)) {
        Print(CliPorts::Json(ports) + '\n');
        return ExitCode::Ok;
    }
    if (ports.isEmpty())
        out.Error(QStringLiteral("no serial ports found"));
    for (const QString &line : CliPorts::Table(ports))
        out.Line(line);
    return ExitCode::Ok;
}

int RunPing(const QCommandLineParser &parser, TCliOutput &out)
{
    return CliExchange::Run(TOperationCode::ConnectionTest, ChoosePort(parser), PortsFolder(), out);
}

int RunSend(const QCommandLineParser &parser, TCliOutput &out)
{
    // Every input is checked before a port is touched.
    const QString file = Positional(parser);
    const QString text = file.isEmpty() ? CliSettings::ReadStoredSettings(DataFolder::Path())
                                        : CliSettings::ReadSettingsFile(file);
    const QString port = ChoosePort(parser);
    return CliExchange::Run(TOperationCode::SettingsTransfer, port, PortsFolder(), out, [&text] {
        return CliSettings::TransferPayload(text, QDateTime::currentDateTime());
    });
}

int RunClear(const QCommandLineParser &parser, TCliOutput &out)
{
    if (!parser.isSet(kYesOption))
        throw ECliError{ExitCode::Usage,
                        QStringLiteral("clearing erases every recording on the device; confirm with --yes")};
    return CliExchange::Run(TOperationCode::ClearMemory, ChoosePort(parser), PortsFolder(), out);
}

int RunShow(const QCommandLineParser &parser, TCliOutput &out)
{
    const QString file = Positional(parser);
    if (file.isEmpty())
        throw ECliError{ExitCode::Usage, QStringLiteral("show needs a settings file")};
    const QString text = CliSettings::ReadSettingsFile(file);
    const QDateTime now = QDateTime::currentDateTime();
    if (parser.isSet(kJsonOption)) {
        Print(CliSettings::DescribeJson(text, now));
        return ExitCode::Ok;
    }
    for (const QString &line : CliSettings::Describe(text, now))
        out.Line(line);
    return ExitCode::Ok;
}

int RunWatch(const QCommandLineParser &parser, TCliOutput &out)
{
    const QString file = Positional(parser);
    const QString text = file.isEmpty() ? CliSettings::ReadStoredSettings(DataFolder::Path())
                                        : CliSettings::ReadSettingsFile(file);
    return CliWatch::Run(text, DataFolder::Path(), out);
}

QMap<QString, TCommand> Commands()
{
    return {
        {QStringLiteral("ports"),
         {QStringLiteral("ports [--json]"),
          QStringLiteral("Lists every serial port: its COM name, the device it opens, its USB identity\n"
                         "and whether it is the PC-link interface."),
          {kJsonOption}, 0, RunPorts}},
        {QStringLiteral("ping"),
         {QStringLiteral("ping [--port COMn]"),
          QStringLiteral("Tests the connection: sends a ping and, after the pong, the follow-up frame."),
          {kPortOption}, 0, RunPing}},
        {QStringLiteral("send"),
         {QStringLiteral("send [FILE] [--port COMn]"),
          QStringLiteral("Sends the settings of a settings file (or, without FILE, those the window\n"
                         "stored at its last close), with the computer's clock and date."),
          {kPortOption}, 1, RunSend}},
        {QStringLiteral("clear"),
         {QStringLiteral("clear --yes [--port COMn]"),
          QStringLiteral("Clears the recorder memory of the device. Refuses without --yes."),
          {kYesOption, kPortOption}, 0, RunClear}},
        {QStringLiteral("show"),
         {QStringLiteral("show FILE [--json]"),
          QStringLiteral("Prints the settings of a settings file as the device would take them."),
          {kJsonOption}, 1, RunShow}},
        {QStringLiteral("watch"),
         {QStringLiteral("watch [FILE]"),
          QStringLiteral("Waits for PC-link interfaces and sends the settings once to each one that\n"
                         "appears. Ctrl+C ends it with a summary."),
          {}, 1, RunWatch}},
    };
}

const char kExitCodes[] =
    "Exit codes:\n"
    "  0  the device answered as expected\n"
    "  1  the device answered wrongly or not at all\n"
    "  2  usage or bad input (nothing was written to a port)\n"
    "  3  no port to use (no interface found, or the port cannot be opened)\n";

QString ProgramHelp()
{
    QString text = QStringLiteral(
        "Usage: ternu-cli <command> [options]\n\n"
        "Configures a Ternu cycling computer through its PC-link interface.\n"
        "Without --port the interface is found by its USB identity, as the window finds it.\n\n"
        "Commands:\n");
    const auto all = Commands();
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        text += QStringLiteral("  %1\n").arg(it->Synopsis);
    text += QStringLiteral("\nOptions:\n  -h, --help  Show this help; ternu-cli <command> --help for a command.\n"
                           "  --version   Show the version.\n\n");
    return text + QString::fromLatin1(kExitCodes);
}

QString CommandHelp(const TCommand &command)
{
    QString text = QStringLiteral("Usage: ternu-cli %1\n\n%2\n\nOptions:\n")
                       .arg(command.Synopsis, command.Description);
    for (const QCommandLineOption &o : command.Options + QList<QCommandLineOption>{kHelpOption}) {
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
        Print(ProgramHelp().toLocal8Bit());
        return name.isEmpty() ? ExitCode::Usage : ExitCode::Ok;
    }
    if (name == QLatin1String("--version")) {
        Print(QByteArray("ternu-cli " TERNU_VERSION "\n"));
        return ExitCode::Ok;
    }
    const auto all = Commands();
    const auto found = all.constFind(name);
    if (found == all.cend()) {
        out.Error(QStringLiteral("unknown command \"%1\"; see ternu-cli --help").arg(name));
        return ExitCode::Usage;
    }
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(found->Options);
    parser.addOption(kHelpOption);
    if (!parser.parse(QStringList{QStringLiteral("ternu-cli")} + arguments.mid(1))) {
        out.Error(parser.errorText() + QStringLiteral("; see ternu-cli %1 --help").arg(name));
        return ExitCode::Usage;
    }
    if (parser.isSet(kHelpOption)) {
        Print(CommandHelp(*found).toLocal8Bit());
        return ExitCode::Ok;
    }
    if (parser.positionalArguments().size() > found->MaxPositional) {
        out.Error(QStringLiteral("too many arguments; usage: ternu-cli %1").arg(found->Synopsis));
        return ExitCode::Usage;
    }
    try {
        return found->Run(parser, out);
    } catch (const ECliError &e) {
        out.Error(e.Message);
        return e.ExitCode;
    } catch (const std::exception &e) {
        out.Error(QString::fromUtf8(e.what()));
        return ExitCode::NoAnswer;
    }
}

}  // namespace CliCommands
