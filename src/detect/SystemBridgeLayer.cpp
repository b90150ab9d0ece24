#include "SystemBridgeLayer.h"

#include <algorithm>
#include <utility>

TSystemBridgeLayer::TSystemBridgeLayer(ISerialPortSource &source, QString portsFolder)
    : FSource(source), FPortsFolder(std::move(portsFolder))
{
}

QList<BridgeInfo> TSystemBridgeLayer::bridgesFrom(const QList<SerialPortRecord> &ports,
                                                  const QList<PortNames::PortAlias> &aliases)
{
    struct Numbered {
        int number;  // 0 = no COM name
        BridgeInfo bridge;
    };
    QList<Numbered> found;
    const auto aliasHasNumber = [&aliases](int number) {
        return std::any_of(aliases.begin(), aliases.end(),
                           [number](const PortNames::PortAlias &a) { return a.number == number; });
    };
    const auto make = [](const PortNames::UsbIdentity &id, int number) {
        BridgeInfo b;
        b.vendorId = id.vendorId;
        b.productId = id.productId;
        b.serialNumber = id.serialNumber;
        if (number > 0)
            b.portName = PortNames::comName(number);
        return b;
    };

    for (const SerialPortRecord &port : ports) {
        if (!port.usb)
            continue;
        int number = PortNames::defaultNumberForDevice(port.systemLocation);
        if (number > 0 && aliasHasNumber(number))
            number = 0;
        found.append({number, make(*port.usb, number)});
    }
    for (const PortNames::PortAlias &alias : aliases) {
        if (alias.identity)
            found.append({alias.number, make(*alias.identity, alias.number)});
    }

    std::stable_sort(found.begin(), found.end(), [](const Numbered &a, const Numbered &b) {
        if ((a.number == 0) != (b.number == 0))
            return b.number == 0;
        return a.number < b.number;
    });
    QList<BridgeInfo> bridges;
    for (const Numbered &n : found)
        bridges.append(n.bridge);
    return bridges;
}
