#pragma once
#include <QList>
#include <QString>
#include <memory>
#include <optional>

// COM names of the serial ports. Every port the tool can use has a name COMn.
// On Windows that is the system's own name. On Linux fixed ranges map the kernel's
// device nodes to numbers, so that a stored number names the same port after every
// replug, and aliases in the Ports folder of the data folder add or replace names:
//   COM1..COM32   /dev/ttyS0..ttyS31
//   COM33..COM64  /dev/ttyUSB0..ttyUSB31
//   COM65..COM96  /dev/ttyACM0..ttyACM31
namespace PortNames {

// USB identity of a port: what detection compares with the interface's identity.
struct TUsbIdentity {
    quint16 VendorId = 0;
    quint16 ProductId = 0;
    QString SerialNumber;
    bool operator==(const TUsbIdentity &) const = default;
};

// An entry "COM<n>" of the Ports folder: a symbolic link to a terminal device,
// optionally with a "COM<n>.usb" file beside it that holds "VVVV:PPPP SERIAL".
struct TPortAlias {
    int Number = 0;
    QString LinkPath;    // the link itself
    QString DevicePath;  // what the link points to
    std::optional<TUsbIdentity> Identity;
};

// "COM<number>".
QString ComName(int number);

// The number written by the characters of name from the fourth on ("COM12" gives
// 12), or -1 when they do not form a whole number.
int NumberFromName(const QString &name);

// The fixed COM number of a device node ("/dev/ttyUSB0" or "ttyUSB0" gives 33; on
// Windows "COM7" or "\\.\COM7" gives 7), or 0 when it has no COM number.
int DefaultNumberForDevice(const QString &deviceNode);

// The device of a fixed COM number ("/dev/ttyS0" for 1, on Windows "\\.\COM1"),
// empty when there is none.
QString DefaultDeviceForNumber(int number);

// Parses the identity line of a .usb file; nothing when it is malformed.
std::optional<TUsbIdentity> ParseIdentity(const QString &line);
QString FormatIdentity(const TUsbIdentity &identity);

// The aliases in a Ports folder (none on Windows) that link to an existing terminal (character)
// device, ordered by number. Entries that are not such links, and stale aliases
// (see AliasOwner.h), are passed over.
QList<TPortAlias> ReadAliases(const QString &portsFolder);

// The device a COM name opens: its alias when the Ports folder has one, else the
// fixed mapping. Empty when the name is not of the form COMn or maps to nothing.
QString Resolve(const QString &comName, const QString &portsFolder);

// Creates the alias COM<number> -> devicePath (and its identity file when given),
// replacing an older alias of that number. Returns false when it cannot be written.
bool WriteAlias(const QString &portsFolder, int number, const QString &devicePath,
                const std::optional<TUsbIdentity> &identity);

class TAliasOwnerLock;

// The same for a program that keeps the alias only while it runs: the alias is
// owned by this process for as long as the returned lock lives, and stale once it
// is gone, however the process ends. Null when it cannot be written.
std::unique_ptr<TAliasOwnerLock> WriteOwnedAlias(const QString &portsFolder, int number,
                                                 const QString &devicePath,
                                                 const std::optional<TUsbIdentity> &identity);

// Removes the alias COM<number>, its identity file and its owner file.
void RemoveAlias(const QString &portsFolder, int number);

}  // namespace PortNames
