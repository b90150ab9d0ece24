#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// Why a serial port could not be opened, told so that the user knows what to do.
// FindHolder and OpenAdvice ask the system: one implementation per platform,
// chosen in CMake. NoSuchPortAdvice is the same everywhere.
namespace PortDiagnosis {

struct THolder {
    qint64 Pid = 0;
    QString Program;
};

// The process that holds a device open, as far as the system tells: a lock file
// naming a live process, else a process with the device among its open files.
std::optional<THolder> FindHolder(const QString &device);

// The lines that follow the port error of a failed open of portName, which
// resolved to device; systemError is the system's error number of the open.
// Empty when there is nothing useful to add.
QString OpenAdvice(const QString &portName, const QString &device, int systemError);

// The lines that follow the port error when portName names no port (empty: no
// port is selected): the ports there are, so that the user can choose one.
QString NoSuchPortAdvice(const QString &portName, const QStringList &portsFound);

}  // namespace PortDiagnosis
