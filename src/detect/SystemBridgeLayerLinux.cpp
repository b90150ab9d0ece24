#include "SystemBridgeLayer.h"

std::optional<QList<BridgeInfo>> TSystemBridgeLayer::attachedBridges()
{
    return bridgesFrom(m_source.availablePorts(), PortNames::readAliases(m_portsFolder));
}
