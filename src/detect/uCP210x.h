#pragma once
#include "BridgeLayer.h"

#include <QString>
#include <array>

// Finds the COM port of the PC-link interface among the attached USB-to-UART
// bridges. The interface is the bridge with vendor id 10C4, product id EA60 and the
// serial number "0001"; a bridge counts only when all three match.
//
// The calls keep the shape of the bridge maker's manufacturing library (count,
// open, query, close; each returns a status, 0 meaning success) over an IBridgeLayer
// that stands for the library and for the system's record of which port a bridge
// got. The layer is made ready on the first call and stays so until
// UnloadBridgeLibrary(); a layer that cannot be made ready makes every call fail.
// GUI thread only.
class TCP210x {
public:
    using BridgeHandle = int;  // the index of an open bridge; -1 for none

    static constexpr int kStatusOk = 0;
    static constexpr int kStatusFailed = 0xFF;
    static constexpr int kSerialBufferSize = 64;

    static constexpr quint16 kInterfaceVendorId = 0x10C4;
    static constexpr quint16 kInterfaceProductId = 0xEA60;
    static QString InterfaceSerialNumber() { return QStringLiteral("0001"); }

    // layer must outlive this object.
    explicit TCP210x(IBridgeLayer &layer);
    ~TCP210x();
    TCP210x(const TCP210x &) = delete;
    TCP210x &operator=(const TCP210x &) = delete;

    // --- Calls of the library ---
    // Counts the attached bridges and remembers them for the calls below.
    int CP210x_GetNumDevices(quint32 &count);
    int CP210x_Open(quint32 index, BridgeHandle &handle);
    int CP210x_Close(BridgeHandle handle);
    int CP210x_GetDeviceVid(BridgeHandle handle, quint16 &vendorId);
    int CP210x_GetDevicePid(BridgeHandle handle, quint16 &productId);
    // Writes the serial number as ASCII bytes into buffer (kSerialBufferSize bytes,
    // zero-padded) and its length into length. Only ASCII delivery is offered.
    int CP210x_GetDeviceSerialNumber(BridgeHandle handle,
                                     std::array<char, kSerialBufferSize> &buffer,
                                     quint8 &length, bool ascii);
    // The COM name the system recorded for the bridge's port ("COM7"), or empty.
    int GetDevicePortName(BridgeHandle handle, QString &portName);

    // --- Detection ---
    // Counts the bridges; true when they could be counted (also when there are none).
    bool BridgePresent();
    // The COM number of the first interface among the bridges of the last count, in
    // index order, or -1. Every bridge is examined, also after a match.
    int FindInterfacePort();
    // The number of portName ("COM12" gives 12, read from its fourth character on)
    // when the identity is the interface's; -1 otherwise or when that is no number.
    static int LookupPortNumber(quint16 vendorId, quint16 productId, const QString &serialNumber,
                                const QString &portName);
    // Releases the layer; the next call makes it ready again.
    void UnloadBridgeLibrary();

    bool BridgeLoaded() const { return FLoaded; }
    quint32 BridgeCount() const { return FCount; }

private:
    bool EnsureLoaded();
    const TBridgeInfo *OpenBridge(BridgeHandle handle) const;

    IBridgeLayer &FLayer;
    bool FLoaded = false;
    quint32 FCount = 0;
    BridgeHandle FHandle = -1;  // the handle FindInterfacePort works with
    QList<TBridgeInfo> FBridges; // what the last count saw
    QList<bool> FOpen;          // per bridge of the last count: opened and not closed
};
