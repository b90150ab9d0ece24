// ternu-cli: the device operations of the Ternu Setup Tool from the command line.
#include <QCoreApplication>

#include "CliCommands.h"
#include "CliOutput.h"
#include "Console.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ternu-cli"));
    PrepareConsole();
    TCliOutput out;
    return CliCommands::Main(QCoreApplication::arguments().mid(1), out);
}
