#include "SerialPortSource.h"

#include <QSerialPortInfo>

#include <fcntl.h>
#include <libudev.h>
#include <linux/serial.h>
#include <memory>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Only these kinds of terminal have a COM name. Asking the system for them by
// name skips the dozens of virtual terminals, whose lookup made a listing take
// some 15 ms, twice in the window's start.
constexpr const char *kNamedKinds[] = {"ttyS*", "ttyUSB*", "ttyACM*"};

struct TUdevDeleter {
    void operator()(udev *u) const { udev_unref(u); }
    void operator()(udev_enumerate *e) const { udev_enumerate_unref(e); }
    void operator()(udev_device *d) const { udev_device_unref(d); }
};

// The hexadecimal number of a udev property, if the device has it.
std::optional<quint16> HexProperty(udev_device *device, const char *name)
{
    bool ok = false;
    const uint value = QString::fromLatin1(udev_device_get_property_value(device, name)).toUInt(&ok, 16);
    if (!ok || value > 0xFFFF)
        return std::nullopt;
    return static_cast<quint16>(value);
}

// The legacy 8250 driver registers placeholders for ports that may not exist; the
// port itself says whether a UART answers behind it.
bool IsReal8250Port(const char *node)
{
    const int fd = ::open(node, O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    serial_struct info {};
    const bool real = ::ioctl(fd, TIOCGSERIAL, &info) != -1 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return real;
}

// The same ports and identities as QSerialPortInfo reports: a terminal without a
// parent device is virtual, and an 8250 placeholder counts only when a UART is
// behind it. Nothing when udev cannot be asked or knows no terminal of these
// kinds at all (a system without udev's view of the devices).
std::optional<QList<TSerialPortRecord>> PortsFromUdev()
{
    std::unique_ptr<udev, TUdevDeleter> context(udev_new());
    if (!context)
        return std::nullopt;
    std::unique_ptr<udev_enumerate, TUdevDeleter> enumerate(udev_enumerate_new(context.get()));
    if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), "tty") < 0)
        return std::nullopt;
    for (const char *kind : kNamedKinds) {
        if (udev_enumerate_add_match_sysname(enumerate.get(), kind) < 0)
            return std::nullopt;
    }
    if (udev_enumerate_scan_devices(enumerate.get()) < 0)
        return std::nullopt;

    udev_list_entry *first = udev_enumerate_get_list_entry(enumerate.get());
    if (!first)
        return std::nullopt;
    QList<TSerialPortRecord> ports;
    udev_list_entry *entry = nullptr;
    udev_list_entry_foreach(entry, first)
    {
        std::unique_ptr<udev_device, TUdevDeleter> device(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        if (!device)
            continue;
        udev_device *parent = udev_device_get_parent(device.get());  // owned by the device
        const char *node = udev_device_get_devnode(device.get());
        if (!parent || !node)
            continue;
        if (qstrcmp(udev_device_get_driver(parent), "serial8250") == 0 && !IsReal8250Port(node))
            continue;
        TSerialPortRecord record;
        record.SystemLocation = QString::fromLocal8Bit(node);
        const auto vendorId = HexProperty(device.get(), "ID_VENDOR_ID");
        const auto productId = HexProperty(device.get(), "ID_MODEL_ID");
        if (vendorId && productId) {
            record.Usb = PortNames::TUsbIdentity{
                *vendorId, *productId,
                QString::fromLatin1(udev_device_get_property_value(device.get(), "ID_SERIAL_SHORT"))};
        }
        ports.append(record);
    }
    return ports;
}

}  // namespace

QList<TSerialPortRecord> TSystemSerialPortSource::AvailablePorts()
{
    if (auto ports = PortsFromUdev())
        return *ports;
    // Without udev the toolkit finds the ports its own way.
    QList<TSerialPortRecord> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        TSerialPortRecord record;
        record.SystemLocation = info.systemLocation();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            PortNames::TUsbIdentity id;
            id.VendorId = info.vendorIdentifier();
            id.ProductId = info.productIdentifier();
            id.SerialNumber = info.serialNumber();
            record.Usb = id;
        }
        ports.append(record);
    }
    return ports;
}
