#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

class TCliOutput;

// Runs one device operation to its outcome with the window's exchange: the same
// frames, pauses and 550 ms to the outcome, its log lines written as they come.
namespace CliExchange {

// Builds the payload of a settings transfer at the moment of sending.
using TPayloadSource = std::function<QByteArray()>;

// Returns ExitCode::Ok when the device answered as expected, NoAnswer when it
// did not. Throws ECliError: NoPort when the port cannot be opened, NoAnswer when
// writing to it fails (the device went away). The message of a port error keeps
// the port's own first line.
int Run(quint8 operation, const QString &port, const QString &portsFolder, TCliOutput &out,
        const TPayloadSource &payload = {});

// The English text of a log line of the exchange, from the window's translation table.
QString EnglishText(int message);

}  // namespace CliExchange
