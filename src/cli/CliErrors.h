#pragma once
#include <QString>

// What ternu-cli exits with.
namespace ExitCode {
constexpr int Ok = 0;        // the device answered as expected
constexpr int NoAnswer = 1;  // it answered wrongly or not at all
constexpr int Usage = 2;     // usage or bad input; nothing was written to a port
constexpr int NoPort = 3;    // no port to use: no interface found, or the port cannot be opened
}  // namespace ExitCode

// A command ends early with this message and exit code.
struct ECliError {
    int ExitCode;
    QString Message;
};
