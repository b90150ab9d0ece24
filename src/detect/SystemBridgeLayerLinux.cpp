#include "SystemBridgeLayer.h"

std::optional<QList<TBridgeInfo>> TSystemBridgeLayer::AttachedBridges()
{
    return BridgesFrom(FSource.AvailablePorts(), PortNames::ReadAliases(FPortsFolder));
}
