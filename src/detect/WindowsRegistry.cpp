#include "WindowsRegistry.h"

#include "ComPortErrors.h"
#include "PortNames.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <algorithm>

namespace WindowsRegistry {
namespace {

const wchar_t *Wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// A REG_SZ value's data up to its first NUL.
QString TextOf(const wchar_t *data, DWORD bytes)
{
    const qsizetype chars = qsizetype(bytes / sizeof(wchar_t));
    QString text = QString::fromWCharArray(data, chars);
    const qsizetype nul = text.indexOf(QChar(0));
    return nul >= 0 ? text.left(nul) : text;
}

std::optional<QStringList> SubKeys(HKEY root, const QString &keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Wide(keyPath), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const auto close = qScopeGuard([key] { RegCloseKey(key); });
    QStringList names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        const LONG status = RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            break;
        names << QString::fromWCharArray(name, int(length));
    }
    return names;
}

}  // namespace

std::optional<QString> ReadText(HKEY root, const QString &keyPath, const QString &valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Wide(keyPath), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const auto close = qScopeGuard([key] { RegCloseKey(key); });
    wchar_t data[256] = {};
    DWORD bytes = sizeof(data);
    DWORD type = 0;
    if (RegQueryValueExW(key, Wide(valueName), nullptr, &type, reinterpret_cast<BYTE *>(data), &bytes)
            != ERROR_SUCCESS
        || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    return TextOf(data, bytes);
}

QStringList SerialCommPorts(HKEY root, const QString &keyPath)
{
    HKEY key = nullptr;
    QStringList names;
    if (RegOpenKeyExW(root, Wide(keyPath), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        for (int n = 1; n <= 10; ++n)
            names << PortNames::ComName(n);
        return names;
    }
    const auto close = qScopeGuard([key] { RegCloseKey(key); });
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[257];
        DWORD nameLength = 257;
        wchar_t data[128] = {};  // 256 bytes
        DWORD bytes = sizeof(data);
        DWORD type = 0;
        const LONG status = RegEnumValueW(key, index, valueName, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE *>(data), &bytes);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            throw EComPortExt(TComOperation::PortList, int(status), QStringLiteral("EnumComPorts"));
        if (type == REG_SZ)
            names << TextOf(data, bytes);
    }
    return names;
}

QList<TBridgeInfo> UsbBridges(HKEY root, const QString &usbEnumKeyPath, const QStringList &presentPorts)
{
    static const QRegularExpression deviceRe(
        QStringLiteral("^VID_([0-9A-F]{2,4})&PID_([0-9A-F]{2,4})(&MI_00)?$"),
        QRegularExpression::CaseInsensitiveOption);
    struct TNumbered {
        int Number;
        TBridgeInfo Bridge;
    };
    QList<TNumbered> found;
    for (const QString &device : SubKeys(root, usbEnumKeyPath).value_or(QStringList())) {
        const auto m = deviceRe.match(device);
        if (!m.hasMatch())
            continue;
        const bool composite = !m.captured(3).isEmpty();
        const QString devicePath = usbEnumKeyPath + QLatin1Char('\\') + device;
        for (const QString &instance : SubKeys(root, devicePath).value_or(QStringList())) {
            QString serial = instance;
            if (composite) {
                if (!serial.endsWith(QLatin1String("_00")))
                    continue;
                serial.chop(3);
            }
            const auto portName = ReadText(root, devicePath + QLatin1Char('\\') + instance
                                               + QStringLiteral("\\Device Parameters"),
                                           QStringLiteral("PortName"));
            if (!portName || portName->isEmpty() || !presentPorts.contains(*portName, Qt::CaseInsensitive))
                continue;
            TBridgeInfo bridge;
            bridge.VendorId = quint16(m.captured(1).toUInt(nullptr, 16));
            bridge.ProductId = quint16(m.captured(2).toUInt(nullptr, 16));
            bridge.SerialNumber = serial;
            bridge.PortName = portName->toUpper();
            const int number = PortNames::NumberFromName(bridge.PortName);
            found.append({number > 0 ? number : std::numeric_limits<int>::max(), bridge});
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const TNumbered &a, const TNumbered &b) { return a.Number < b.Number; });
    QList<TBridgeInfo> bridges;
    for (const TNumbered &n : found)
        bridges.append(n.Bridge);
    return bridges;
}

}  // namespace WindowsRegistry
