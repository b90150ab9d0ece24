#pragma once
#include "BridgeLayer.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include <windows.h>

// What the port detection reads from the Windows registry, read-only. The keys are
// parameters, so that tests can read keys they wrote themselves.
namespace WindowsRegistry {

// Under HKEY_LOCAL_MACHINE: the list of serial ports, and the USB devices.
inline const QString kSerialCommKey = QStringLiteral("HARDWARE\\DEVICEMAP\\SERIALCOMM");
inline const QString kUsbEnumKey = QStringLiteral("System\\CurrentControlSet\\Enum\\USB");

// A text value, or nothing when the key or the value is missing or not text.
std::optional<QString> ReadText(HKEY root, const QString &keyPath, const QString &valueName);

// The port names of the serial-port list (the data of every value), in the key's
// order; "COM1" to "COM10" when the key cannot be opened. Throws EComPortExt
// (code 23, on "EnumComPorts") when a value cannot be read.
QStringList SerialCommPorts(HKEY root, const QString &keyPath);

// The USB devices that have a port name: "Vid_VVVV&Pid_PPPP\<serial>\Device
// Parameters" and, for the first interface of a composite device,
// "Vid_VVVV&Pid_PPPP&Mi_00\<serial>_00\Device Parameters", each with its text
// value PortName. Only devices whose port is one of presentPorts count (the keys
// stay when a device is unplugged). Ordered by COM number.
QList<TBridgeInfo> UsbBridges(HKEY root, const QString &usbEnumKeyPath, const QStringList &presentPorts);

}  // namespace WindowsRegistry
