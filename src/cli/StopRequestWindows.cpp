#include "StopRequest.h"

#include <QMetaObject>

#include <mutex>

#include <windows.h>

namespace {

std::mutex g_mutex;  // guards g_instance against the destructor
TStopRequest *g_instance = nullptr;

// Runs on a thread of its own that the console starts: the delivery is posted to
// the object's thread.
BOOL WINAPI OnConsoleControl(DWORD event)
{
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        const std::lock_guard lock(g_mutex);
        if (g_instance)
            QMetaObject::invokeMethod(g_instance, "Deliver", Qt::QueuedConnection);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

TStopRequest::TStopRequest(bool, QObject *parent) : QObject(parent)
{
    {
        const std::lock_guard lock(g_mutex);
        g_instance = this;
    }
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

TStopRequest::~TStopRequest()
{
    SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    const std::lock_guard lock(g_mutex);
    g_instance = nullptr;
}

void TStopRequest::Deliver()
{
    if (!FRequested.exchange(true))
        emit Requested();
}
