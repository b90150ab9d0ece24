#include "SystemBridgeLayer.h"

#include <algorithm>
#include <utility>

TSystemBridgeLayer::TSystemBridgeLayer(ISerialPortSource &source, QString portsFolder)
    : FSource(source), FPortsFolder(std::move(portsFolder))
{
}

QList<TBridgeInfo> TSystemBridgeLayer::BridgesFrom(const QList<TSerialPortRecord> &ports,
                                                  const QList<PortNames::TPortAlias> &aliases)
{
    struct TNumbered {
        int Number;  // 0 = no COM name
        TBridgeInfo Bridge;
    };
    QList<TNumbered> found;
    const auto aliasHasNumber = [&aliases](int number) {
        return std::any_of(aliases.begin(), aliases.end(),
                           [number](const PortNames::TPortAlias &a) { return a.Number == number; });
    };
    const auto make = [](const PortNames::TUsbIdentity &id, int number) {
        TBridgeInfo b;
        b.VendorId = id.VendorId;
        b.ProductId = id.ProductId;
        b.SerialNumber = id.SerialNumber;
        if (number > 0)
            b.PortName = PortNames::ComName(number);
        return b;
    };

    for (const TSerialPortRecord &port : ports) {
        if (!port.Usb)
            continue;
        int number = PortNames::DefaultNumberForDevice(port.SystemLocation);
        if (number > 0 && aliasHasNumber(number))
            number = 0;
        found.append({number, make(*port.Usb, number)});
    }
    for (const PortNames::TPortAlias &alias : aliases) {
        if (alias.Identity)
            found.append({alias.Number, make(*alias.Identity, alias.Number)});
    }

    std::stable_sort(found.begin(), found.end(), [](const TNumbered &a, const TNumbered &b) {
        if ((a.Number == 0) != (b.Number == 0))
            return b.Number == 0;
        return a.Number < b.Number;
    });
    QList<TBridgeInfo> bridges;
    for (const TNumbered &n : found)
        bridges.append(n.Bridge);
    return bridges;
}
