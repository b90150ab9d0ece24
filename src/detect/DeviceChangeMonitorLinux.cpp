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
    ~TImpl() { StopUdev(); }

    void StartUdev();
    void StopUdev();
    void ReadUdevEvent();
    void PortsFolderChanged();
    QSet<QString> AliasKeys() const;

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

bool TDeviceChangeMonitor::WatchingSystemDevices() const
{
    return FImpl->FNotifier != nullptr;
}

bool TDeviceChangeMonitor::WatchingPortsFolder() const
{
    return FImpl->FWatcher && FImpl->FWatcher->directories().contains(FImpl->FPortsFolder);
}

TDeviceChangeMonitor::TImpl::TImpl(TDeviceChangeMonitor &owner, const Options &options)
    : FOwner(owner), FPortsFolder(options.PortsFolder)
{
    if (!FPortsFolder.isEmpty()) {
        QDir().mkpath(FPortsFolder);
        FWatcher = new QFileSystemWatcher(&FOwner);
        FWatcher->addPath(FPortsFolder);
        QObject::connect(FWatcher, &QFileSystemWatcher::directoryChanged, &FOwner,
                         [this] { PortsFolderChanged(); });
        FAliases = AliasKeys();
    }
    if (options.WatchSystemDevices)
        StartUdev();
}

void TDeviceChangeMonitor::TImpl::StartUdev()
{
    FUdev = udev_new();
    if (!FUdev)
        return;
    // "udev" rather than "kernel": the device node exists once the event arrives.
    FMonitor = udev_monitor_new_from_netlink(FUdev, "udev");
    if (!FMonitor
        || udev_monitor_filter_add_match_subsystem_devtype(FMonitor, "tty", nullptr) < 0
        || udev_monitor_enable_receiving(FMonitor) < 0) {
        StopUdev();
        return;
    }
    const int fd = udev_monitor_get_fd(FMonitor);
    if (fd < 0) {
        StopUdev();
        return;
    }
    FNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, &FOwner);
    QObject::connect(FNotifier, &QSocketNotifier::activated, &FOwner, [this] { ReadUdevEvent(); });
}

void TDeviceChangeMonitor::TImpl::StopUdev()
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

void TDeviceChangeMonitor::TImpl::ReadUdevEvent()
{
    udev_device *device = udev_monitor_receive_device(FMonitor);
    if (!device)
        return;
    const QByteArray action = udev_device_get_action(device);
    udev_device_unref(device);
    if (action == "add")
        emit FOwner.Arrived();
    else if (action == "remove")
        emit FOwner.Removed();
}

// An alias that now links to another device counts as a removal and an arrival.
QSet<QString> TDeviceChangeMonitor::TImpl::AliasKeys() const
{
    QSet<QString> names;
    for (const PortNames::TPortAlias &alias : PortNames::ReadAliases(FPortsFolder))
        names.insert(alias.LinkPath + QLatin1Char('\n') + alias.DevicePath);
    return names;
}

void TDeviceChangeMonitor::TImpl::PortsFolderChanged()
{
    // A folder that was removed and made again must be watched anew.
    if (!FWatcher->directories().contains(FPortsFolder) && QDir().mkpath(FPortsFolder))
        FWatcher->addPath(FPortsFolder);

    const QSet<QString> now = AliasKeys();
    const bool someRemoved = !(FAliases - now).isEmpty();
    const bool someArrived = !(now - FAliases).isEmpty();
    FAliases = now;
    if (someRemoved)
        emit FOwner.Removed();
    if (someArrived)
        emit FOwner.Arrived();
}
