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

bool isInterface(const PortNames::UsbIdentity &id, const QString &port)
{
    return TCP210x::LookupPortNumber(id.vendorId, id.productId, id.serialNumber, port) != -1;
}

}  // namespace

QList<TPortEntry> List(ISerialPortSource &source, const QString &portsFolder)
{
    const QList<SerialPortRecord> system = source.availablePorts();
    const QList<PortNames::PortAlias> aliases = PortNames::readAliases(portsFolder);
    TSystemBridgeLayer layer(source, portsFolder);
    const QList<BridgeInfo> bridges = layer.attachedBridges().value_or(QList<BridgeInfo>());
    QList<TPortEntry> entries;
    for (const QString &name : PortList::entries(system, aliases)) {
        TPortEntry entry;
        entry.port = name;
        entry.device = PortNames::resolve(name, portsFolder);
        for (const BridgeInfo &b : bridges) {
            if (b.portName.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            entry.usb = PortNames::UsbIdentity{b.vendorId, b.productId, b.serialNumber};
            entry.isInterface = isInterface(*entry.usb, name);
        }
        entries.append(entry);
    }
    return entries;
}

QStringList Table(const QList<TPortEntry> &ports)
{
    QStringList lines;
    for (const TPortEntry &p : ports) {
        const QString usb = p.usb ? PortNames::formatIdentity(*p.usb) : QStringLiteral("-");
        QString line = QStringLiteral("%1 %2 %3").arg(p.port, -6).arg(p.device, -16).arg(usb, -16);
        if (p.isInterface)
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
        o[QStringLiteral("port")] = p.port;
        o[QStringLiteral("device")] = p.device;
        o[QStringLiteral("usb")] = p.usb ? QJsonValue(PortNames::formatIdentity(*p.usb)) : QJsonValue();
        o[QStringLiteral("interface")] = p.isInterface;
        array.append(o);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

QStringList InterfacePorts(ISerialPortSource &source, const QString &portsFolder)
{
    QStringList found;
    TSystemBridgeLayer layer(source, portsFolder);
    const QList<BridgeInfo> bridges = layer.attachedBridges().value_or(QList<BridgeInfo>());
    for (const BridgeInfo &b : bridges) {
        const PortNames::UsbIdentity id{b.vendorId, b.productId, b.serialNumber};
        if (!b.portName.isEmpty() && isInterface(id, b.portName))
            found << b.portName;
    }
    return found;
}

QString Choose(const std::optional<QString> &given, const QString &dataFolder, ISerialPortSource &source)
{
    const QString portsFolder = DataFolder::portsFolder(dataFolder);
    if (given) {
        // Only a COM name: "COM+5" or "COM 5" would open COM5 without being its name.
        static const QRegularExpression comName(QStringLiteral("^COM[1-9][0-9]*$"),
                                                QRegularExpression::CaseInsensitiveOption);
        const int number = PortNames::numberFromName(*given);
        if (!comName.match(*given).hasMatch() || number < 1)
            throw ECliError{ExitCode::Usage,
                            QStringLiteral("%1 is no port name; ports are named COM<n> (see ternu-cli ports)")
                                .arg(given->isEmpty() ? QStringLiteral("\"\"") : *given)};
        return PortNames::comName(number);
    }
    // The same choice as the window's at start: the stored port, else detection.
    const qint16 stored = ToolConfig::readMisc(ToolConfig::filePath(dataFolder)).comPortNo;
    TSystemBridgeLayer layer(source, portsFolder);
    TCP210x bridges(layer);
    const int number = PortChoice::Choose(stored, bridges);
    if (number != PortChoice::kDetect)
        return PortNames::comName(number);

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
