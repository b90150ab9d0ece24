// Port names on Linux: fixed ranges of the kernel's device nodes, and port
// aliases in the Ports folder.
#include "PortNames.h"

#include "AliasOwner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include <sys/stat.h>

namespace PortNames {
namespace {

struct TRange {
    const char *Prefix;  // device node name without the number
    int First;           // COM number of node 0
};
constexpr TRange kRanges[] = {{"ttyS", 1}, {"ttyUSB", 33}, {"ttyACM", 65}};
constexpr int kRangeSize = 32;

bool IsCharacterDevice(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

QString AliasPath(const QString &portsFolder, int number)
{
    return QDir(portsFolder).filePath(ComName(number));
}

}  // namespace

int DefaultNumberForDevice(const QString &deviceNode)
{
    const QString node = QFileInfo(deviceNode).fileName();
    for (const TRange &r : kRanges) {
        const QString prefix = QLatin1String(r.Prefix);
        if (!node.startsWith(prefix))
            continue;
        const QString rest = node.mid(prefix.size());
        bool ok = false;
        const int index = rest.toInt(&ok, 10);
        if (ok && !rest.isEmpty() && rest.at(0).isDigit() && index >= 0 && index < kRangeSize)
            return r.First + index;
    }
    return 0;
}

QString DefaultDeviceForNumber(int number)
{
    for (const TRange &r : kRanges) {
        if (number >= r.First && number < r.First + kRangeSize)
            return QStringLiteral("/dev/%1%2").arg(QLatin1String(r.Prefix)).arg(number - r.First);
    }
    return {};
}

QList<TPortAlias> ReadAliases(const QString &portsFolder)
{
    QList<TPortAlias> aliases;
    if (portsFolder.isEmpty())
        return aliases;
    static const QRegularExpression nameRe(QStringLiteral("^COM([1-9][0-9]{0,4})$"));
    const QDir dir(portsFolder);
    const auto entries = dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const auto m = nameRe.match(entry.fileName());
        if (!m.hasMatch() || !entry.isSymLink())
            continue;
        const QString target = entry.symLinkTarget();
        // A stale alias may point at a terminal number that someone else has since.
        if (!IsCharacterDevice(target) || IsStaleAlias(entry.absoluteFilePath()))
            continue;
        TPortAlias alias;
        alias.Number = m.captured(1).toInt();
        alias.LinkPath = entry.absoluteFilePath();
        alias.DevicePath = target;
        QFile usb(entry.absoluteFilePath() + QStringLiteral(".usb"));
        if (usb.open(QIODevice::ReadOnly | QIODevice::Text))
            alias.Identity = ParseIdentity(QString::fromUtf8(usb.readLine(256)));
        aliases.append(alias);
    }
    std::sort(aliases.begin(), aliases.end(),
              [](const TPortAlias &a, const TPortAlias &b) { return a.Number < b.Number; });
    return aliases;
}

namespace {

// The identity file and the link of an alias whose number is free.
bool WriteAliasFiles(const QString &link, const QString &devicePath, const std::optional<TUsbIdentity> &identity)
{
    // The identity goes first, so that the arrival of the link sees it.
    if (identity) {
        QFile usb(link + QStringLiteral(".usb"));
        if (!usb.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return false;
        usb.write(FormatIdentity(*identity).toUtf8() + '\n');
    }
    return QFile::link(devicePath, link);
}

}  // namespace

bool WriteAlias(const QString &portsFolder, int number, const QString &devicePath,
                const std::optional<TUsbIdentity> &identity)
{
    if (!QDir().mkpath(portsFolder))
        return false;
    RemoveAlias(portsFolder, number);
    return WriteAliasFiles(AliasPath(portsFolder, number), devicePath, identity);
}

std::unique_ptr<TAliasOwnerLock> WriteOwnedAlias(const QString &portsFolder, int number,
                                                 const QString &devicePath,
                                                 const std::optional<TUsbIdentity> &identity)
{
    if (!QDir().mkpath(portsFolder))
        return nullptr;
    RemoveAlias(portsFolder, number);
    const QString link = AliasPath(portsFolder, number);
    // The owner is locked before the link appears, so that the alias is never
    // seen as stale while it is being made.
    auto owner = std::make_unique<TAliasOwnerLock>(OwnerFilePath(link));
    if (!owner->IsHeld() || !WriteAliasFiles(link, devicePath, identity))
        return nullptr;
    return owner;
}

void RemoveAlias(const QString &portsFolder, int number)
{
    const QString link = AliasPath(portsFolder, number);
    QFile::remove(link);
    QFile::remove(link + QStringLiteral(".usb"));
    QFile::remove(OwnerFilePath(link));
}

}  // namespace PortNames
