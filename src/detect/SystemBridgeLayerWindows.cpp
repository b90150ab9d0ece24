#include "SystemBridgeLayer.h"

#include "PortList.h"
#include "WindowsRegistry.h"

std::optional<QList<BridgeInfo>> TSystemBridgeLayer::attachedBridges()
{
    const QStringList present = PortList::entries(FSource.availablePorts(), {});
    return WindowsRegistry::UsbBridges(HKEY_LOCAL_MACHINE, WindowsRegistry::kUsbEnumKey, present);
}
