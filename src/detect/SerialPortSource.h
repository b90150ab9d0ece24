#pragma once
#include "PortNames.h"

#include <QList>
#include <QString>
#include <optional>

// A serial port as the system reports it: its device node and, for a USB serial
// adapter, the USB identity of the adapter.
struct TSerialPortRecord {
    QString SystemLocation;                      // "/dev/ttyUSB0"
    std::optional<PortNames::TUsbIdentity> Usb;   // only for USB devices
};

// Where the serial ports of this computer come from. Tests give a fixed list.
class ISerialPortSource {
public:
    virtual ~ISerialPortSource() = default;
    virtual QList<TSerialPortRecord> AvailablePorts() = 0;
};

// The serial ports the operating system reports right now, of the kinds that have
// a fixed COM name (ttyS, ttyUSB, ttyACM).
class TSystemSerialPortSource final : public ISerialPortSource {
public:
    QList<TSerialPortRecord> AvailablePorts() override;
};
