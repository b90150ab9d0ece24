#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "PortNames.h"

class ISerialPortSource;

// The serial ports for the command line, named and detected as the window does.
namespace CliPorts {

struct TPortEntry {
    QString Port;    // "COM33"
    QString Device;  // the node it opens
    std::optional<PortNames::TUsbIdentity> Usb;
    bool IsInterface = false;  // the PC-link interface by its USB identity
};

// Every port of the port list, in its order.
QList<TPortEntry> List(ISerialPortSource &source, const QString &portsFolder);

// One line per port, columns aligned.
QStringList Table(const QList<TPortEntry> &ports);
// One JSON array of objects with the keys port, device, usb and interface.
QByteArray Json(const QList<TPortEntry> &ports);

// The COM names of every interface attached now, in the order detection takes them.
QStringList InterfacePorts(ISerialPortSource &source, const QString &portsFolder);

// The port an operation uses: the one given, else the port stored by the window
// (CPort) when it is fixed, else the first interface found by its USB identity.
// Throws ECliError: usage for a given name that is no COM name ("COM" and a number
// from 1, nothing else; an empty name too), no port when nothing is found (the
// message lists the ports there are).
QString Choose(const std::optional<QString> &given, const QString &dataFolder, ISerialPortSource &source);

}  // namespace CliPorts
