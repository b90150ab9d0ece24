#include "SerialPortSource.h"

#include <QSerialPortInfo>

QList<SerialPortRecord> TSystemSerialPortSource::availablePorts()
{
    QList<SerialPortRecord> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        SerialPortRecord record;
        record.systemLocation = info.systemLocation();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            PortNames::UsbIdentity id;
            id.vendorId = info.vendorIdentifier();
            id.productId = info.productIdentifier();
            id.serialNumber = info.serialNumber();
            record.usb = id;
        }
        ports.append(record);
    }
    return ports;
}
