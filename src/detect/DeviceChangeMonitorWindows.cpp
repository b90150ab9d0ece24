#include "DeviceChangeMonitor.h"

#include <QMetaObject>

#include <windows.h>

namespace {

constexpr WPARAM kDeviceArrival = 0x8000;  // DBT_DEVICEARRIVAL
constexpr WPARAM kDeviceRemoval = 0x8004;  // DBT_DEVICEREMOVECOMPLETE
const wchar_t kWindowClass[] = L"TernuDeviceChangeWindow";

}  // namespace

// A hidden top-level window: the system broadcasts device changes to top-level
// windows only (a message-only window gets none). Qt's event loop dispatches its
// messages in a window program and in a console program alike.
class TDeviceChangeMonitor::TImpl {
public:
    explicit TImpl(TDeviceChangeMonitor &owner);
    ~TImpl()
    {
        if (FWindow)
            DestroyWindow(FWindow);
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    TDeviceChangeMonitor &FOwner;
    HWND FWindow = nullptr;
};

TDeviceChangeMonitor::TImpl::TImpl(TDeviceChangeMonitor &owner) : FOwner(owner)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &TImpl::WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    FWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, instance, nullptr);
    if (FWindow)
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK TDeviceChangeMonitor::TImpl::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                       LPARAM lParam)
{
    if (message != WM_DEVICECHANGE)
        return DefWindowProcW(window, message, wParam, lParam);
    auto *self = reinterpret_cast<TImpl *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // The sender waits for the answer: the detection runs once the event loop is
    // back, so that a dialog it shows never holds the system's broadcast.
    if (self && (wParam == kDeviceArrival || wParam == kDeviceRemoval)) {
        TDeviceChangeMonitor *owner = &self->FOwner;
        const bool arrival = wParam == kDeviceArrival;
        QMetaObject::invokeMethod(
            owner,
            [owner, arrival] {
                if (arrival)
                    emit owner->Arrived();
                else
                    emit owner->Removed();
            },
            Qt::QueuedConnection);
    }
    return TRUE;
}

TDeviceChangeMonitor::TDeviceChangeMonitor(const Options &options, QObject *parent) : QObject(parent)
{
    if (options.WatchSystemDevices)
        FImpl = std::make_unique<TImpl>(*this);
}

TDeviceChangeMonitor::~TDeviceChangeMonitor() = default;

bool TDeviceChangeMonitor::WatchingSystemDevices() const
{
    return FImpl && FImpl->FWindow;
}

bool TDeviceChangeMonitor::WatchingPortsFolder() const
{
    return false;
}
