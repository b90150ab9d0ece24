#pragma once
#include <QStringList>

class TCliOutput;

// The commands of ternu-cli. arguments excludes the program name. Returns the exit
// code; never throws.
namespace CliCommands {

int Main(const QStringList &arguments, TCliOutput &out);

}  // namespace CliCommands
