#pragma once
#include <QString>

class TCliOutput;

// Waits for interfaces and sends the settings text once to each one that
// appears (those attached at the start included), one line per device. Ends with
// a summary line when SIGINT or SIGTERM arrives; returns ExitCode::Ok.
namespace CliWatch {

int Run(const QString &settingsText, const QString &dataFolder, TCliOutput &out);

}  // namespace CliWatch
