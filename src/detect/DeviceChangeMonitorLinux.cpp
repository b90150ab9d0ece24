#include "DeviceChangeMonitor.h"

#include "PortNames.h"

#include <QDir>
#include <QFileSystemWatcher>
#include <QSet>
#include <QSocketNotifier>

#include <libudev.h>

class TDeviceChangeMonitor::TImpl {
public:
    TImpl(TDeviceChangeMonitor &owner, const Options &options);
    ~TImpl() { stopUdev(); }

    void startUdev();
    void stopUdev();
    void readUdevEvent();
    void portsFolderChanged();
    QSet<QString> aliasKeys() const;

    TDeviceChangeMonitor &FOwner;
    QString FPortsFolder;
    QFileSystemWatcher *FWatcher = nullptr;
    QSet<QString> FAliases;  // aliases seen last: link and target
    udev *FUdev = nullptr;
    udev_monitor *FMonitor = nullptr;
    QSocketNotifier *FNotifier = nullptr;
};

TDeviceChangeMonitor::TDeviceChangeMonitor(const Options &options, QObject *parent)
    : QObject(parent), FImpl(std::make_unique<TImpl>(*this, options))
{
}

TDeviceChangeMonitor::~TDeviceChangeMonitor() = default;

bool TDeviceChangeMonitor::watchingSystemDevices() const
{
    return FImpl->FNotifier != nullptr;
}

bool TDeviceChangeMonitor::watchingPortsFolder() const
{
    return FImpl->FWatcher && FImpl->FWatcher->directories().contains(FImpl->FPortsFolder);
}

TDeviceChangeMonitor::TImpl::TImpl(TDeviceChangeMonitor &owner, const Options &options)
    : FOwner(owner), FPortsFolder(options.portsFolder)
{
    if (!FPortsFolder.isEmpty()) {
        QDir().mkpath(FPortsFolder);
        FWatcher = new QFileSystemWatcher(&FOwner);
        FWatcher->addPath(FPortsFolder);
        QObject::connect(FWatcher, &QFileSystemWatcher::directoryChanged, &FOwner,
                         [this] { portsFolderChanged(); });
        FAliases = aliasKeys();
    }
    if (options.watchSystemDevices)
        startUdev();
}

void TDeviceChangeMonitor::TImpl::startUdev()
{
    FUdev = udev_new();
    if (!FUdev)
        return;
    // "udev" rather than "kernel": the device node exists once the event arrives.
    FMonitor = udev_monitor_new_from_netlink(FUdev, "udev");
    if (!FMonitor
        || udev_monitor_filter_add_match_subsystem_devtype(FMonitor, "tty", nullptr) < 0
        || udev_monitor_enable_receiving(FMonitor) < 0) {
        stopUdev();
        return;
    }
    const int fd = udev_monitor_get_fd(FMonitor);
    if (fd < 0) {
        stopUdev();
        return;
    }
    FNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, &FOwner);
    QObject::connect(FNotifier, &QSocketNotifier::activated, &FOwner, [this] { readUdevEvent(); });
}

void TDeviceChangeMonitor::TImpl::stopUdev()
{
    delete FNotifier;
    FNotifier = nullptr;
    if (FMonitor)
        udev_monitor_unref(FMonitor);
    FMonitor = nullptr;
    if (FUdev)
        udev_unref(FUdev);
    FUdev = nullptr;
}

void TDeviceChangeMonitor::TImpl::readUdevEvent()
{
    udev_device *device = udev_monitor_receive_device(FMonitor);
    if (!device)
        return;
    const QByteArray action = udev_device_get_action(device);
    udev_device_unref(device);
    if (action == "add")
        emit FOwner.arrived();
    else if (action == "remove")
        emit FOwner.removed();
}

// An alias that now links to another device counts as a removal and an arrival.
QSet<QString> TDeviceChangeMonitor::TImpl::aliasKeys() const
{
    QSet<QString> names;
    for (const PortNames::PortAlias &alias : PortNames::readAliases(FPortsFolder))
        names.insert(alias.linkPath + QLatin1Char('\n') + alias.devicePath);
    return names;
}

void TDeviceChangeMonitor::TImpl::portsFolderChanged()
{
    // A folder that was removed and made again must be watched anew.
    if (!FWatcher->directories().contains(FPortsFolder) && QDir().mkpath(FPortsFolder))
        FWatcher->addPath(FPortsFolder);

    const QSet<QString> now = aliasKeys();
    const bool someRemoved = !(FAliases - now).isEmpty();
    const bool someArrived = !(now - FAliases).isEmpty();
    FAliases = now;
    if (someRemoved)
        emit FOwner.removed();
    if (someArrived)
        emit FOwner.arrived();
}
