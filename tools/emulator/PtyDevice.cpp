#include "PtyDevice.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

void MakeRaw(int fd)
{
    termios tio {};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B9600);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
}

}  // namespace

TPtyDevice::TPtyDevice()
{
    FMaster = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (FMaster < 0 || ::grantpt(FMaster) != 0 || ::unlockpt(FMaster) != 0) {
        if (FMaster >= 0)
            ::close(FMaster);
        throw std::runtime_error("cannot open a pseudo-terminal");
    }
    char name[128] = {};
    if (::ptsname_r(FMaster, name, sizeof name) != 0) {
        ::close(FMaster);
        throw std::runtime_error("cannot name the pseudo-terminal");
    }
    FSlavePath = QString::fromLocal8Bit(name);
    // Raw from the start: no echo and no line editing, even before the tool opens it.
    FSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (FSlave >= 0)
        MakeRaw(FSlave);
    MakeRaw(FMaster);
}

TPtyDevice::~TPtyDevice()
{
    Unplug();
}

void TPtyDevice::Unplug()
{
    if (FSlave >= 0)
        ::close(FSlave);
    if (FMaster >= 0)
        ::close(FMaster);
    FSlave = FMaster = -1;
}

QByteArray TPtyDevice::Read(int timeoutMs)
{
    if (FMaster < 0)
        return {};
    pollfd p {FMaster, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0 || !(p.revents & POLLIN))
        return {};
    char buffer[4096];
    const ssize_t n = ::read(FMaster, buffer, sizeof buffer);
    return n > 0 ? QByteArray(buffer, int(n)) : QByteArray();
}

int TPtyDevice::QueuedAtTerminal() const
{
    int count = 0;
    return FSlave >= 0 && ::ioctl(FSlave, FIONREAD, &count) == 0 ? count : 0;
}

bool TPtyDevice::Write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (FMaster >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(FMaster, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return done == bytes.size();
}
