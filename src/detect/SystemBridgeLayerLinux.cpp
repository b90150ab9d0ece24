#include "SystemBridgeLayer.h"

std::optional<QList<BridgeInfo>> TSystemBridgeLayer::attachedBridges()
{
    return bridgesFrom(FSource.availablePorts(), PortNames::readAliases(FPortsFolder));
}
