#include "AliasOwner.h"

#include <QByteArray>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace PortNames {

QString OwnerFilePath(const QString &linkPath)
{
    return linkPath + QStringLiteral(".owner");
}

bool IsStaleAlias(const QString &linkPath)
{
    const int fd = ::open(QFile::encodeName(OwnerFilePath(linkPath)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;  // no owner file (or none this user may read): taken as it stands
    // A shared lock only succeeds when no owner holds its exclusive one; it is
    // released again at once by closing.
    const bool unlocked = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    ::close(fd);
    return unlocked;
}

TAliasOwnerLock::TAliasOwnerLock(const QString &ownerPath)
{
    const int fd = ::open(QFile::encodeName(ownerPath).constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    // Blocking: a reader's shared lock lasts only a moment.
    if (::flock(fd, LOCK_EX) != 0) {
        ::close(fd);
        return;
    }
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::write(fd, pid.constData(), size_t(pid.size())) != pid.size()) {
        ::close(fd);
        return;
    }
    FFd = fd;
}

TAliasOwnerLock::~TAliasOwnerLock()
{
    if (FFd >= 0)
        ::close(FFd);
}

}  // namespace PortNames
