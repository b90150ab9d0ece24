#pragma once
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// One attached USB-to-UART bridge: its USB identity and the serial port the system
// gave it.
struct TBridgeInfo {
    quint16 VendorId = 0;
    quint16 ProductId = 0;
    QString SerialNumber;
    QString PortName;  // "COM<n>", empty when the bridge's port has no COM name
    bool operator==(const TBridgeInfo &) const = default;
};

// Lists the attached bridges. One implementation asks the system; tests use a fake.
class IBridgeLayer {
public:
    virtual ~IBridgeLayer() = default;
    // Makes the layer ready for use; false when this system offers no way to list
    // bridges (the interface is then undetectable).
    virtual bool Load() = 0;
    // Releases what load() took.
    virtual void Unload() = 0;
    // The bridges attached now, in index order; nothing when they cannot be counted.
    virtual std::optional<QList<TBridgeInfo>> AttachedBridges() = 0;
};
