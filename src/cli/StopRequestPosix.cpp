#include "StopRequest.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction g_old[std::size(kSignals)] {};
int g_pipe[2] = {-1, -1};

// Only what is safe inside a signal handler: one write to the pipe.
void OnStopSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

TStopRequest::TStopRequest(bool withHangUp, QObject *parent)
    : QObject(parent), FSignalCount(withHangUp ? 3 : 2)
{
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("cannot make a pipe for Ctrl+C");
    FNotifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
        }
        Deliver();
    });
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int i = 0; i < FSignalCount; ++i)
        sigaction(kSignals[i], &sa, &g_old[i]);
}

TStopRequest::~TStopRequest()
{
    for (int i = 0; i < FSignalCount; ++i)
        sigaction(kSignals[i], &g_old[i], nullptr);
    delete FNotifier;
    for (int &fd : g_pipe) {
        ::close(fd);
        fd = -1;
    }
}

void TStopRequest::Deliver()
{
    if (!FRequested.exchange(true))
        emit Requested();
}
