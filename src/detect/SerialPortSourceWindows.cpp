#include "SerialPortSource.h"

#include "WindowsRegistry.h"

// The ports Windows lists under HARDWARE\DEVICEMAP\SERIALCOMM; a port's location is
// its name ("COM7"). The USB identity comes from the bridge layer.
QList<TSerialPortRecord> TSystemSerialPortSource::AvailablePorts()
{
    QList<TSerialPortRecord> ports;
    for (const QString &name : WindowsRegistry::SerialCommPorts(HKEY_LOCAL_MACHINE, WindowsRegistry::kSerialCommKey))
        ports.append({name, std::nullopt});
    return ports;
}
