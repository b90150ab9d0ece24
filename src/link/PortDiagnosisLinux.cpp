#include "PortDiagnosis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace PortDiagnosis {
namespace {

QString ReadFirstLine(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(f.readLine(256)).trimmed();
}

std::optional<THolder> LiveProcess(qint64 pid)
{
    if (pid <= 0 || !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
        return std::nullopt;
    return THolder{pid, ReadFirstLine(QStringLiteral("/proc/%1/comm").arg(pid))};
}

// Lock files as serial programs write them: LCK..ttyUSB0 for /dev/ttyUSB0,
// LCK..pts_3 for /dev/pts/3, the holder's process id on the first line.
std::optional<THolder> FromLockFile(const QString &device)
{
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    name = QStringLiteral("LCK..") + name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const char *folder : {"/run/lock", "/var/lock", "/var/spool/locks", "/var/spool/uucp", "/tmp"}) {
        const QString path = QString::fromLatin1(folder) + QLatin1Char('/') + name;
        if (!QFileInfo::exists(path))
            continue;
        bool ok = false;
        const qint64 pid = ReadFirstLine(path).toLongLong(&ok);
        if (ok)
            return LiveProcess(pid);
    }
    return std::nullopt;
}

// Only the user's own processes are visible this way (all of them to root).
std::optional<THolder> FromOpenFiles(const QString &device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : pids) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        const QString fdFolder = QStringLiteral("/proc/%1/fd").arg(pid);
        for (const QFileInfo &fd : QDir(fdFolder).entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
            if (fd.symLinkTarget() == target || fd.symLinkTarget() == device)
                return LiveProcess(pid);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<THolder> FindHolder(const QString &device)
{
    if (device.isEmpty())
        return std::nullopt;
    if (auto holder = FromLockFile(device))
        return holder;
    return FromOpenFiles(device);
}

QString OpenAdvice(const QString &portName, const QString &device, int systemError)
{
    if (!QFileInfo::exists(device))
        return QStringLiteral("%1 (%2) is not there: the interface may have been unplugged.").arg(portName, device);
    // Without access the holder does not matter: nobody else's use is the cause.
    if (::access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0 && errno == EACCES) {
        return QStringLiteral(
                   "No permission to open %1. Install the udev rule 60-ternu-pclink.rules (the package "
                   "installs it) and plug the interface in again, or add your user to the group dialout "
                   "(sudo adduser $USER dialout) and log in again.")
            .arg(device);
    }
    // A lock file is taken for the whole use; a process with the device open
    // counts only when the system said the device is busy.
    std::optional<THolder> holder = FromLockFile(device);
    if (!holder && systemError == EBUSY)
        holder = FromOpenFiles(device);
    if (holder) {
        return QStringLiteral("%1 (%2) is in use by %3 (process %4). End that program or choose another port.")
            .arg(portName, device, holder->Program.isEmpty() ? QStringLiteral("another program") : holder->Program)
            .arg(holder->Pid);
    }
    if (systemError == EBUSY)
        return QStringLiteral("%1 (%2) is in use by another program.").arg(portName, device);
    return {};
}

}  // namespace PortDiagnosis
