#include "StopRequest.h"

#include <atomic>

#include <windows.h>

namespace {

std::atomic<bool> g_stop {false};

// Runs on a thread of its own that the console starts.
BOOL WINAPI onConsoleControl(DWORD event)
{
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        g_stop = true;
        return TRUE;
    }
    return FALSE;
}

}  // namespace

TStopRequest::TStopRequest()
{
    g_stop = false;
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

TStopRequest::~TStopRequest()
{
    SetConsoleCtrlHandler(onConsoleControl, FALSE);
}

bool TStopRequest::Requested() const
{
    return g_stop;
}
