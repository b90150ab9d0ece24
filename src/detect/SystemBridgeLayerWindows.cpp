#include "SystemBridgeLayer.h"

#include "PortList.h"
#include "WindowsRegistry.h"

std::optional<QList<TBridgeInfo>> TSystemBridgeLayer::AttachedBridges()
{
    const QStringList present = PortList::Entries(FSource.AvailablePorts(), {});
    return WindowsRegistry::UsbBridges(HKEY_LOCAL_MACHINE, WindowsRegistry::kUsbEnumKey, present);
}
