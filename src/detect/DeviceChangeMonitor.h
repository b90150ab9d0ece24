#pragma once
#include <QObject>
#include <QSet>
#include <QString>

class QFileSystemWatcher;
class QSocketNotifier;
struct udev;
struct udev_monitor;

// Tells when a serial device arrives or goes away: udev events of subsystem "tty"
// ("add" and "remove") and port aliases appearing in or vanishing from the Ports
// folder. The folder is created when missing so that it can be watched.
class TDeviceChangeMonitor : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString portsFolder;          // the folder of port aliases
        bool watchSystemDevices = true;  // listen to udev as well
    };

    explicit TDeviceChangeMonitor(const Options &options, QObject *parent = nullptr);
    ~TDeviceChangeMonitor() override;

    // Whether udev events are being received (false when udev is not reachable).
    bool watchingSystemDevices() const { return m_notifier != nullptr; }
    bool watchingPortsFolder() const;

signals:
    void arrived();
    void removed();

private:
    void startUdev();
    void stopUdev();
    void readUdevEvent();
    void portsFolderChanged();
    QSet<QString> aliasKeys() const;

    QString m_portsFolder;
    QFileSystemWatcher *m_watcher = nullptr;
    QSet<QString> m_aliases;  // aliases seen last: link and target
    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
};
