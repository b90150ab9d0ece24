// The toolkit's floor for "ternu-cli ports" in scripts/bench-startup.sh: a QtCore
// program that lists the serial ports with their USB identity.
#include <QCoreApplication>
#include <QSerialPortInfo>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts()) {
        out << port.portName() << ' ' << port.systemLocation();
        if (port.hasVendorIdentifier() && port.hasProductIdentifier())
            out << ' ' << Qt::hex << port.vendorIdentifier() << ':' << port.productIdentifier() << Qt::dec
                << ' ' << port.serialNumber();
        out << '\n';
    }
    return 0;
}
