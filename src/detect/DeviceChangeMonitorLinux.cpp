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

    TDeviceChangeMonitor &m_owner;
    QString m_portsFolder;
    QFileSystemWatcher *m_watcher = nullptr;
    QSet<QString> m_aliases;  // aliases seen last: link and target
    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
};

TDeviceChangeMonitor::TDeviceChangeMonitor(const Options &options, QObject *parent)
    : QObject(parent), m_impl(std::make_unique<TImpl>(*this, options))
{
}

TDeviceChangeMonitor::~TDeviceChangeMonitor() = default;

bool TDeviceChangeMonitor::watchingSystemDevices() const
{
    return m_impl->m_notifier != nullptr;
}

bool TDeviceChangeMonitor::watchingPortsFolder() const
{
    return m_impl->m_watcher && m_impl->m_watcher->directories().contains(m_impl->m_portsFolder);
}

TDeviceChangeMonitor::TImpl::TImpl(TDeviceChangeMonitor &owner, const Options &options)
    : m_owner(owner), m_portsFolder(options.portsFolder)
{
    if (!m_portsFolder.isEmpty()) {
        QDir().mkpath(m_portsFolder);
        m_watcher = new QFileSystemWatcher(&m_owner);
        m_watcher->addPath(m_portsFolder);
        QObject::connect(m_watcher, &QFileSystemWatcher::directoryChanged, &m_owner,
                         [this] { portsFolderChanged(); });
        m_aliases = aliasKeys();
    }
    if (options.watchSystemDevices)
        startUdev();
}

void TDeviceChangeMonitor::TImpl::startUdev()
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
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, &m_owner);
    QObject::connect(m_notifier, &QSocketNotifier::activated, &m_owner, [this] { readUdevEvent(); });
}

void TDeviceChangeMonitor::TImpl::stopUdev()
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

void TDeviceChangeMonitor::TImpl::readUdevEvent()
{
    udev_device *device = udev_monitor_receive_device(m_monitor);
    if (!device)
        return;
    const QByteArray action = udev_device_get_action(device);
    udev_device_unref(device);
    if (action == "add")
        emit m_owner.arrived();
    else if (action == "remove")
        emit m_owner.removed();
}

// An alias that now links to another device counts as a removal and an arrival.
QSet<QString> TDeviceChangeMonitor::TImpl::aliasKeys() const
{
    QSet<QString> names;
    for (const PortNames::PortAlias &alias : PortNames::readAliases(m_portsFolder))
        names.insert(alias.linkPath + QLatin1Char('\n') + alias.devicePath);
    return names;
}

void TDeviceChangeMonitor::TImpl::portsFolderChanged()
{
    // A folder that was removed and made again must be watched anew.
    if (!m_watcher->directories().contains(m_portsFolder) && QDir().mkpath(m_portsFolder))
        m_watcher->addPath(m_portsFolder);

    const QSet<QString> now = aliasKeys();
    const bool someRemoved = !(m_aliases - now).isEmpty();
    const bool someArrived = !(now - m_aliases).isEmpty();
    m_aliases = now;
    if (someRemoved)
        emit m_owner.removed();
    if (someArrived)
        emit m_owner.arrived();
}
