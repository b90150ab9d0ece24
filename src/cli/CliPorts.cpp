#include "CliPorts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "CliErrors.h"
#include "DataFolder.h"
#include "PortChoice.h"
#include "PortList.h"
#include "SystemBridgeLayer.h"
#include "ToolConfig.h"
#include "uCP210x.h"

namespace CliPorts {
namespace {

bool IsInterface(const PortNames::TUsbIdentity &id, const QString &port)
{
    return TCP210x::LookupPortNumber(id.VendorId, id.ProductId, id.SerialNumber, port) != -1;
}

}  // namespace

QList<TPortEntry> List(ISerialPortSource &source, const QString &portsFolder)
{
    const QList<TSerialPortRecord> system = source.AvailablePorts();
    const QList<PortNames::TPortAlias> aliases = PortNames::ReadAliases(portsFolder);
    TSystemBridgeLayer layer(source, portsFolder);
    const QList<TBridgeInfo> bridges = layer.AttachedBridges().value_or(QList<TBridgeInfo>());
    QList<TPortEntry> entries;
    for (const QString &name : PortList::Entries(system, aliases)) {
        TPortEntry entry;
        entry.Port = name;
        entry.Device = PortNames::Resolve(name, portsFolder);
        for (const TBridgeInfo &b : bridges) {
            if (b.PortName.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            entry.Usb = PortNames::TUsbIdentity{b.VendorId, b.ProductId, b.SerialNumber};
            entry.IsInterface = IsInterface(*entry.Usb, name);
        }
        entries.append(entry);
    }
    return entries;
}

QStringList Table(const QList<TPortEntry> &ports)
{
    QStringList lines;
    for (const TPortEntry &p : ports) {
        const QString usb = p.Usb ? PortNames::FormatIdentity(*p.Usb) : QStringLiteral("-");
        QString line = QStringLiteral("%1 %2 %3").arg(p.Port, -6).arg(p.Device, -16).arg(usb, -16);
        if (p.IsInterface)
            line += QStringLiteral(" PC-link interface");
        lines << line.trimmed();
    }
    return lines;
}

QByteArray Json(const QList<TPortEntry> &ports)
{
    QJsonArray array;
    for (const TPortEntry &p : ports) {
        QJsonObject o;
        o[QStringLiteral("port")] = p.Port;
        o[QStringLiteral("device")] = p.Device;
        o[QStringLiteral("usb")] = p.Usb ? QJsonValue(PortNames::FormatIdentity(*p.Usb)) : QJsonValue();
        o[QStringLiteral("interface")] = p.IsInterface;
        array.append(o);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

QStringList InterfacePorts(ISerialPortSource &source, const QString &portsFolder)
{
    QStringList found;
    TSystemBridgeLayer layer(source, portsFolder);
    const QList<TBridgeInfo> bridges = layer.AttachedBridges().value_or(QList<TBridgeInfo>());
    for (const TBridgeInfo &b : bridges) {
        const PortNames::TUsbIdentity id{b.VendorId, b.ProductId, b.SerialNumber};
        if (!b.PortName.isEmpty() && IsInterface(id, b.PortName))
            found << b.PortName;
    }
    return found;
}

QString Choose(const std::optional<QString> &given, const QString &dataFolder, ISerialPortSource &source)
{
    const QString portsFolder = DataFolder::PortsFolder(dataFolder);
    if (given) {
        // Only a COM name: "COM+5" or "COM 5" would open COM5 without being its name.
        static const QRegularExpression comName(QStringLiteral("^COM[1-9][0-9]*$"),
                                                QRegularExpression::CaseInsensitiveOption);
        const int number = PortNames::NumberFromName(*given);
        if (!comName.match(*given).hasMatch() || number < 1)
            throw ECliError{ExitCode::Usage,
                            QStringLiteral("%1 is no port name; ports are named COM<n> (see ternu-cli ports)")
                                .arg(given->isEmpty() ? QStringLiteral("\"\"") : *given)};
        return PortNames::ComName(number);
    }
    // The same choice as the window's at start: the stored port, else detection.
    const qint16 stored = ToolConfig::ReadMisc(ToolConfig::FilePath(dataFolder)).ComPortNo;
    TSystemBridgeLayer layer(source, portsFolder);
    TCP210x bridges(layer);
    const int number = PortChoice::Choose(stored, bridges);
    if (number != PortChoice::kDetect)
        return PortNames::ComName(number);

    QString message = QStringLiteral("No Ternu interface detected");
    const QList<TPortEntry> ports = List(source, portsFolder);
    if (ports.isEmpty()) {
        message += QStringLiteral("\nNo serial ports were found. Plug in the PC-link interface.");
    } else {
        message += QStringLiteral("\nThese ports were found, none with the interface's USB identity 10C4:EA60 0001:");
        for (const QString &line : Table(ports))
            message += QStringLiteral("\n  ") + line;
        message += QStringLiteral("\nName one with --port COM<n> to use it anyway.");
    }
    throw ECliError{ExitCode::NoPort, message};
}

}  // namespace CliPorts
