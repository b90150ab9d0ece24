// The system's port list, asked only for the kinds of terminal that have a COM name,
// against the toolkit's full listing of this computer's serial ports.
#include "SerialPortSource.h"

#include <QSerialPortInfo>
#include <gtest/gtest.h>

namespace {

QString Describe(const TSerialPortRecord &port)
{
    QString text = port.SystemLocation;
    if (port.Usb)
        text += QLatin1Char(' ') + PortNames::FormatIdentity(*port.Usb);
    return text;
}

TEST(SystemSerialPortSource, ReportsTheToolkitsPortsThatCanHaveAComName)
{
    QStringList expected;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        if (PortNames::DefaultNumberForDevice(info.systemLocation()) == 0)
            continue;
        TSerialPortRecord record{info.systemLocation(), std::nullopt};
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            record.Usb = PortNames::TUsbIdentity{info.vendorIdentifier(), info.productIdentifier(), info.serialNumber()};
        expected << Describe(record);
    }
    QStringList reported;
    for (const TSerialPortRecord &port : TSystemSerialPortSource().AvailablePorts()) {
        if (PortNames::DefaultNumberForDevice(port.SystemLocation) != 0)
            reported << Describe(port);
    }
    expected.sort();
    reported.sort();
    EXPECT_EQ(reported, expected);
}

}  // namespace
