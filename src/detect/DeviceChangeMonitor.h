#pragma once
#include <QObject>
#include <QString>
#include <memory>

// Tells when a serial device arrives or goes away.
// Linux: udev events of subsystem "tty" ("add" and "remove") and port aliases
// appearing in or vanishing from the Ports folder (created when missing so that it
// can be watched).
// Windows: the device messages the system broadcasts to top-level windows
// (WM_DEVICECHANGE with 0x8000 arrival and 0x8004 removal), received by a hidden
// top-level window of the monitor's own, so that a console program gets them too.
class TDeviceChangeMonitor : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString PortsFolder;             // the folder of port aliases (Linux)
        bool WatchSystemDevices = true;  // listen to the system as well
    };

    explicit TDeviceChangeMonitor(const Options &options, QObject *parent = nullptr);
    ~TDeviceChangeMonitor() override;

    // Whether the system's notifications are being received.
    bool WatchingSystemDevices() const;
    bool WatchingPortsFolder() const;

signals:
    void Arrived();
    void Removed();

private:
    class TImpl;
    std::unique_ptr<TImpl> FImpl;
};
