#include "uCP210x.h"

#include "PortNames.h"

#include <cstring>

TCP210x::TCP210x(IBridgeLayer &layer) : m_layer(layer) {}

TCP210x::~TCP210x()
{
    UnloadBridgeLibrary();
}

bool TCP210x::ensureLoaded()
{
    if (!m_loaded)
        m_loaded = m_layer.load();
    return m_loaded;
}

const BridgeInfo *TCP210x::openBridge(BridgeHandle handle) const
{
    if (handle < 0 || handle >= m_bridges.size() || !m_open.at(handle))
        return nullptr;
    return &m_bridges.at(handle);
}

int TCP210x::CP210x_GetNumDevices(quint32 &count)
{
    if (!ensureLoaded())
        return kStatusFailed;
    const auto bridges = m_layer.attachedBridges();
    if (!bridges)
        return kStatusFailed;
    m_bridges = *bridges;
    m_open = QList<bool>(m_bridges.size(), false);
    count = static_cast<quint32>(m_bridges.size());
    return kStatusOk;
}

int TCP210x::CP210x_Open(quint32 index, BridgeHandle &handle)
{
    if (!ensureLoaded() || index >= static_cast<quint32>(m_bridges.size()))
        return kStatusFailed;
    handle = static_cast<BridgeHandle>(index);
    m_open[handle] = true;
    return kStatusOk;
}

int TCP210x::CP210x_Close(BridgeHandle handle)
{
    if (!ensureLoaded() || !openBridge(handle))
        return kStatusFailed;
    m_open[handle] = false;
    return kStatusOk;
}

int TCP210x::CP210x_GetDeviceVid(BridgeHandle handle, quint16 &vendorId)
{
    const BridgeInfo *bridge = ensureLoaded() ? openBridge(handle) : nullptr;
    if (!bridge)
        return kStatusFailed;
    vendorId = bridge->vendorId;
    return kStatusOk;
}

int TCP210x::CP210x_GetDevicePid(BridgeHandle handle, quint16 &productId)
{
    const BridgeInfo *bridge = ensureLoaded() ? openBridge(handle) : nullptr;
    if (!bridge)
        return kStatusFailed;
    productId = bridge->productId;
    return kStatusOk;
}

int TCP210x::CP210x_GetDeviceSerialNumber(BridgeHandle handle,
                                          std::array<char, kSerialBufferSize> &buffer,
                                          quint8 &length, bool ascii)
{
    const BridgeInfo *bridge = ensureLoaded() ? openBridge(handle) : nullptr;
    if (!bridge || !ascii)
        return kStatusFailed;
    const QByteArray bytes = bridge->serialNumber.toLatin1().left(kSerialBufferSize);
    buffer.fill('\0');
    std::memcpy(buffer.data(), bytes.constData(), static_cast<size_t>(bytes.size()));
    length = static_cast<quint8>(bytes.size());
    return kStatusOk;
}

int TCP210x::GetDevicePortName(BridgeHandle handle, QString &portName)
{
    const BridgeInfo *bridge = ensureLoaded() ? openBridge(handle) : nullptr;
    if (!bridge)
        return kStatusFailed;
    portName = bridge->portName;
    return kStatusOk;
}

bool TCP210x::BridgePresent()
{
    return CP210x_GetNumDevices(m_count) == kStatusOk;
}

int TCP210x::FindInterfacePort()
{
    int result = -1;
    for (quint32 i = 0; i < m_count; ++i) {
        int yielded = -1;
        if (CP210x_Open(i, m_handle) == kStatusOk) {
            quint16 vendorId = 0;
            quint16 productId = 0;
            std::array<char, kSerialBufferSize> serial{};
            quint8 length = 0;
            QString portName;
            const bool queried =
                CP210x_GetDeviceVid(m_handle, vendorId) == kStatusOk
                && CP210x_GetDevicePid(m_handle, productId) == kStatusOk
                && CP210x_GetDeviceSerialNumber(m_handle, serial, length, true) == kStatusOk
                && GetDevicePortName(m_handle, portName) == kStatusOk;
            CP210x_Close(m_handle);
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
        || serialNumber != interfaceSerialNumber())
        return -1;
    return PortNames::numberFromName(portName);
}

void TCP210x::UnloadBridgeLibrary()
{
    if (m_loaded)
        m_layer.unload();
    m_loaded = false;
}
