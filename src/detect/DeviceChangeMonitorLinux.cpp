#include "DeviceChangeMonitor.h"

#include "PortNames.h"

#include <QDir>
#include <QFileSystemWatcher>
#include <QSocketNotifier>

#include <libudev.h>

TDeviceChangeMonitor::TDeviceChangeMonitor(const Options &options, QObject *parent)
    : QObject(parent), m_portsFolder(options.portsFolder)
{
    if (!m_portsFolder.isEmpty()) {
        QDir().mkpath(m_portsFolder);
        m_watcher = new QFileSystemWatcher(this);
        m_watcher->addPath(m_portsFolder);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
                &TDeviceChangeMonitor::portsFolderChanged);
        m_aliases = aliasKeys();
    }
    if (options.watchSystemDevices)
        startUdev();
}

TDeviceChangeMonitor::~TDeviceChangeMonitor()
{
    stopUdev();
}

bool TDeviceChangeMonitor::watchingPortsFolder() const
{
    return m_watcher && m_watcher->directories().contains(m_portsFolder);
}

void TDeviceChangeMonitor::startUdev()
{
    m_udev = udev_new();
    if (!m_udev)
        return;
    // "udev" rather than "kernel": the device node exists once the event arrives.
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor
        || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "tty", nullptr) < 0
        || udev_monitor_enable_receiving(m_monitor) < 0) {
        stopUdev();
        return;
    }
    const int fd = udev_monitor_get_fd(m_monitor);
    if (fd < 0) {
        stopUdev();
        return;
    }
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TDeviceChangeMonitor::readUdevEvent);
}

void TDeviceChangeMonitor::stopUdev()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    m_monitor = nullptr;
    if (m_udev)
        udev_unref(m_udev);
    m_udev = nullptr;
}

void TDeviceChangeMonitor::readUdevEvent()
{
    udev_device *device = udev_monitor_receive_device(m_monitor);
    if (!device)
        return;
    const QByteArray action = udev_device_get_action(device);
    udev_device_unref(device);
    if (action == "add")
        emit arrived();
    else if (action == "remove")
        emit removed();
}

// An alias that now links to another device counts as a removal and an arrival.
QSet<QString> TDeviceChangeMonitor::aliasKeys() const
{
    QSet<QString> names;
    for (const PortNames::PortAlias &alias : PortNames::readAliases(m_portsFolder))
        names.insert(alias.linkPath + QLatin1Char('\n') + alias.devicePath);
    return names;
}

void TDeviceChangeMonitor::portsFolderChanged()
{
    // A folder that was removed and made again must be watched anew.
    if (!m_watcher->directories().contains(m_portsFolder) && QDir().mkpath(m_portsFolder))
        m_watcher->addPath(m_portsFolder);

    const QSet<QString> now = aliasKeys();
    const bool someRemoved = !(m_aliases - now).isEmpty();
    const bool someArrived = !(now - m_aliases).isEmpty();
    m_aliases = now;
    if (someRemoved)
        emit removed();
    if (someArrived)
        emit arrived();
}
