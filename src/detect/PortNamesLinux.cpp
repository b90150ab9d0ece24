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

struct Range {
    const char *prefix;  // device node name without the number
    int first;           // COM number of node 0
};
constexpr Range kRanges[] = {{"ttyS", 1}, {"ttyUSB", 33}, {"ttyACM", 65}};
constexpr int kRangeSize = 32;

bool isCharacterDevice(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

QString aliasPath(const QString &portsFolder, int number)
{
    return QDir(portsFolder).filePath(comName(number));
}

}  // namespace

int defaultNumberForDevice(const QString &deviceNode)
{
    const QString node = QFileInfo(deviceNode).fileName();
    for (const Range &r : kRanges) {
        const QString prefix = QLatin1String(r.prefix);
        if (!node.startsWith(prefix))
            continue;
        const QString rest = node.mid(prefix.size());
        bool ok = false;
        const int index = rest.toInt(&ok, 10);
        if (ok && !rest.isEmpty() && rest.at(0).isDigit() && index >= 0 && index < kRangeSize)
            return r.first + index;
    }
    return 0;
}

QString defaultDeviceForNumber(int number)
{
    for (const Range &r : kRanges) {
        if (number >= r.first && number < r.first + kRangeSize)
            return QStringLiteral("/dev/%1%2").arg(QLatin1String(r.prefix)).arg(number - r.first);
    }
    return {};
}

QList<PortAlias> readAliases(const QString &portsFolder)
{
    QList<PortAlias> aliases;
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
        if (!isCharacterDevice(target) || isStaleAlias(entry.absoluteFilePath()))
            continue;
        PortAlias alias;
        alias.number = m.captured(1).toInt();
        alias.linkPath = entry.absoluteFilePath();
        alias.devicePath = target;
        QFile usb(entry.absoluteFilePath() + QStringLiteral(".usb"));
        if (usb.open(QIODevice::ReadOnly | QIODevice::Text))
            alias.identity = parseIdentity(QString::fromUtf8(usb.readLine(256)));
        aliases.append(alias);
    }
    std::sort(aliases.begin(), aliases.end(),
              [](const PortAlias &a, const PortAlias &b) { return a.number < b.number; });
    return aliases;
}

namespace {

// The identity file and the link of an alias whose number is free.
bool writeAliasFiles(const QString &link, const QString &devicePath, const std::optional<UsbIdentity> &identity)
{
    // The identity goes first, so that the arrival of the link sees it.
    if (identity) {
        QFile usb(link + QStringLiteral(".usb"));
        if (!usb.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return false;
        usb.write(formatIdentity(*identity).toUtf8() + '\n');
    }
    return QFile::link(devicePath, link);
}

}  // namespace

bool writeAlias(const QString &portsFolder, int number, const QString &devicePath,
                const std::optional<UsbIdentity> &identity)
{
    if (!QDir().mkpath(portsFolder))
        return false;
    removeAlias(portsFolder, number);
    return writeAliasFiles(aliasPath(portsFolder, number), devicePath, identity);
}

std::unique_ptr<TAliasOwnerLock> writeOwnedAlias(const QString &portsFolder, int number,
                                                 const QString &devicePath,
                                                 const std::optional<UsbIdentity> &identity)
{
    if (!QDir().mkpath(portsFolder))
        return nullptr;
    removeAlias(portsFolder, number);
    const QString link = aliasPath(portsFolder, number);
    // The owner is locked before the link appears, so that the alias is never
    // seen as stale while it is being made.
    auto owner = std::make_unique<TAliasOwnerLock>(ownerFilePath(link));
    if (!owner->isHeld() || !writeAliasFiles(link, devicePath, identity))
        return nullptr;
    return owner;
}

void removeAlias(const QString &portsFolder, int number)
{
    const QString link = aliasPath(portsFolder, number);
    QFile::remove(link);
    QFile::remove(link + QStringLiteral(".usb"));
    QFile::remove(ownerFilePath(link));
}

}  // namespace PortNames
