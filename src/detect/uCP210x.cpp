#include "uCP210x.h"

#include "PortNames.h"

#include <cstring>

TCP210x::TCP210x(IBridgeLayer &layer) : FLayer(layer) {}

TCP210x::~TCP210x()
{
    UnloadBridgeLibrary();
}

bool TCP210x::EnsureLoaded()
{
    if (!FLoaded)
        FLoaded = FLayer.Load();
    return FLoaded;
}

const TBridgeInfo *TCP210x::OpenBridge(BridgeHandle handle) const
{
    if (handle < 0 || handle >= FBridges.size() || !FOpen.at(handle))
        return nullptr;
    return &FBridges.at(handle);
}

int TCP210x::CP210x_GetNumDevices(quint32 &count)
{
    if (!EnsureLoaded())
        return kStatusFailed;
    const auto bridges = FLayer.AttachedBridges();
    if (!bridges)
        return kStatusFailed;
    FBridges = *bridges;
    FOpen = QList<bool>(FBridges.size(), false);
    count = static_cast<quint32>(FBridges.size());
    return kStatusOk;
}

int TCP210x::CP210x_Open(quint32 index, BridgeHandle &handle)
{
    if (!EnsureLoaded() || index >= static_cast<quint32>(FBridges.size()))
        return kStatusFailed;
    handle = static_cast<BridgeHandle>(index);
    FOpen[handle] = true;
    return kStatusOk;
}

int TCP210x::CP210x_Close(BridgeHandle handle)
{
    if (!EnsureLoaded() || !OpenBridge(handle))
        return kStatusFailed;
    FOpen[handle] = false;
    return kStatusOk;
}

int TCP210x::CP210x_GetDeviceVid(BridgeHandle handle, quint16 &vendorId)
{
    const TBridgeInfo *bridge = EnsureLoaded() ? OpenBridge(handle) : nullptr;
    if (!bridge)
        return kStatusFailed;
    vendorId = bridge->VendorId;
    return kStatusOk;
}

int TCP210x::CP210x_GetDevicePid(BridgeHandle handle, quint16 &productId)
{
    const TBridgeInfo *bridge = EnsureLoaded() ? OpenBridge(handle) : nullptr;
    if (!bridge)
        return kStatusFailed;
    productId = bridge->ProductId;
    return kStatusOk;
}

int TCP210x::CP210x_GetDeviceSerialNumber(BridgeHandle handle,
                                          std::array<char, kSerialBufferSize> &buffer,
                                          quint8 &length, bool ascii)
{
    const TBridgeInfo *bridge = EnsureLoaded() ? OpenBridge(handle) : nullptr;
    if (!bridge || !ascii)
        return kStatusFailed;
    const QByteArray bytes = bridge->SerialNumber.toLatin1().left(kSerialBufferSize);
    buffer.fill('\0');
    std::memcpy(buffer.data(), bytes.constData(), static_cast<size_t>(bytes.size()));
    length = static_cast<quint8>(bytes.size());
    return kStatusOk;
}

int TCP210x::GetDevicePortName(BridgeHandle handle, QString &portName)
{
    const TBridgeInfo *bridge = EnsureLoaded() ? OpenBridge(handle) : nullptr;
    if (!bridge)
        return kStatusFailed;
    portName = bridge->PortName;
    return kStatusOk;
}

bool TCP210x::BridgePresent()
{
    return CP210x_GetNumDevices(FCount) == kStatusOk;
}

int TCP210x::FindInterfacePort()
{
    int result = -1;
    for (quint32 i = 0; i < FCount; ++i) {
        int yielded = -1;
        if (CP210x_Open(i, FHandle) == kStatusOk) {
            quint16 vendorId = 0;
            quint16 productId = 0;
            std::array<char, kSerialBufferSize> serial{};
            quint8 length = 0;
            QString portName;
            const bool queried =
                CP210x_GetDeviceVid(FHandle, vendorId) == kStatusOk
                && CP210x_GetDevicePid(FHandle, productId) == kStatusOk
                && CP210x_GetDeviceSerialNumber(FHandle, serial, length, true) == kStatusOk
                && GetDevicePortName(FHandle, portName) == kStatusOk;
            CP210x_Close(FHandle);
            if (queried) {
                // The text is the bytes up to the first zero byte.
                const QString serialText =
                    QString::fromLatin1(serial.data(), qstrnlen(serial.data(), serial.size()));
                yielded = LookupPortNumber(vendorId, productId, serialText, portName);
            }
        }
        if (result == -1)
            result = yielded;
    }
    return result;
}

int TCP210x::LookupPortNumber(quint16 vendorId, quint16 productId, const QString &serialNumber,
                              const QString &portName)
{
    if (portName.isEmpty() || vendorId != kInterfaceVendorId || productId != kInterfaceProductId
        || serialNumber != InterfaceSerialNumber())
        return -1;
    return PortNames::NumberFromName(portName);
}

void TCP210x::UnloadBridgeLibrary()
{
    if (FLoaded)
        FLayer.Unload();
    FLoaded = false;
}
