#include "StopRequest.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t g_stop = 0;
struct sigaction g_oldInt {}, g_oldTerm {};

void onStopSignal(int)
{
    g_stop = 1;
}

}  // namespace

TStopRequest::TStopRequest()
{
    g_stop = 0;
    struct sigaction sa {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, &g_oldInt);
    sigaction(SIGTERM, &sa, &g_oldTerm);
}

TStopRequest::~TStopRequest()
{
    sigaction(SIGINT, &g_oldInt, nullptr);
    sigaction(SIGTERM, &g_oldTerm, nullptr);
}

bool TStopRequest::Requested() const
{
    return g_stop != 0;
}
