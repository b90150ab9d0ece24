// The system's port list, asked only for the kinds of terminal that have a COM name,
// against the toolkit's full listing of this computer's serial ports.
#include "SerialPortSource.h"

#include <QSerialPortInfo>
#include <gtest/gtest.h>

namespace {

QString Describe(const SerialPortRecord &port)
{
    QString text = port.systemLocation;
    if (port.usb)
        text += QLatin1Char(' ') + PortNames::formatIdentity(*port.usb);
    return text;
}

TEST(SystemSerialPortSource, ReportsTheToolkitsPortsThatCanHaveAComName)
{
    QStringList expected;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        if (PortNames::defaultNumberForDevice(info.systemLocation()) == 0)
            continue;
        SerialPortRecord record{info.systemLocation(), std::nullopt};
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            record.usb = PortNames::UsbIdentity{info.vendorIdentifier(), info.productIdentifier(), info.serialNumber()};
        expected << Describe(record);
    }
    QStringList reported;
    for (const SerialPortRecord &port : TSystemSerialPortSource().availablePorts()) {
        if (PortNames::defaultNumberForDevice(port.systemLocation) != 0)
            reported << Describe(port);
    }
    expected.sort();
    reported.sort();
    EXPECT_EQ(reported, expected);
}

}  // namespace
