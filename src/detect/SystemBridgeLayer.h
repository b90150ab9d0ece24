#pragma once
#include "BridgeLayer.h"
#include "PortNames.h"
#include "SerialPortSource.h"

// The bridges of this computer.
// Linux: every USB serial port the system reports, named by its fixed COM number,
// and every port alias that carries a USB identity. An alias takes the place of
// the fixed mapping of its number, so a system port whose number an alias has
// taken keeps no COM name.
// Windows: the USB devices for which the system recorded a port name (Enum\USB in
// the registry) whose port is in the port list now; the records outlive an unplug.
// Ordered by COM number; bridges without a COM name come last.
class TSystemBridgeLayer final : public IBridgeLayer {
public:
    // portsFolder: the folder of port aliases; source must outlive the layer.
    TSystemBridgeLayer(ISerialPortSource &source, QString portsFolder);

    bool Load() override { return true; }
    void Unload() override {}
    std::optional<QList<TBridgeInfo>> AttachedBridges() override;

    // The bridge list of the given system ports and aliases.
    static QList<TBridgeInfo> BridgesFrom(const QList<TSerialPortRecord> &ports,
                                         const QList<PortNames::TPortAlias> &aliases);

private:
    ISerialPortSource &FSource;
    QString FPortsFolder;
};
