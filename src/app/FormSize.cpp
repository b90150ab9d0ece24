#include "FormSize.h"

#include "Placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// Snap only once the user has let go: the platform keeps moving the window
// while it is dragged.
constexpr int kSnapDelayMs = 300;

QRect WorkAreaAt(const QWidget *window, QPoint point)
{
    QScreen *screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

TFormSize::TFormSize(QWidget *window) : QObject(window), FWindow(window)
{
    FSnapTimer.setSingleShot(true);
    FSnapTimer.setInterval(kSnapDelayMs);
    connect(&FSnapTimer, &QTimer::timeout, this, &TFormSize::SnapToWorkArea);
    FWindow->installEventFilter(this);
}

ToolConfig::TPlacementRecord TFormSize::CurrentPlacement() const
{
    const QRect frame = FWindow->frameGeometry();
    QRect normal = frame;
    if (FWindow->isMaximized() || FWindow->isFullScreen()) {
        // The normal rectangle of the client area, widened by the frame.
        const QRect client = FWindow->geometry();
        normal = FWindow->normalGeometry().adjusted(frame.left() - client.left(),
                                                     frame.top() - client.top(),
                                                     frame.right() - client.right(),
                                                     frame.bottom() - client.bottom());
    }
    // The window has a fixed size and is never maximised: 0 is always written.
    return {normal.x(), normal.y(), normal.x() + normal.width(), normal.y() + normal.height(), false};
}

void TFormSize::RestorePlacement()
{
    const ToolConfig::TPlacementRecord current = CurrentPlacement();
    ToolConfig::TPlacementRecord stored = ToolConfig::ReadPlacement(SaveName, current);

    const QScreen *primary = QGuiApplication::primaryScreen();
    if (primary)
        stored = Placement::PullBackIntoVirtualScreen(stored, primary->virtualSize());

    const QPoint topLeft(stored.Left, stored.Top);
    const QRect workArea = WorkAreaAt(FWindow, topLeft);
    if (workArea.isValid())
        MoveFrameTo(Placement::SnapToWorkArea(topLeft, FWindow->frameGeometry().size(), workArea));
    else
        MoveFrameTo(topLeft);
    // A stored Maximized=1 is taken like 0: a maximised fixed-size window would
    // neither snap nor save its place again.
}

void TFormSize::SavePlacement()
{
    ToolConfig::WritePlacement(SaveName, CurrentPlacement());
}

bool TFormSize::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FWindow && event->type() == QEvent::Move && !FPlacing
        && FWindow->isVisible() && !FWindow->isMaximized() && !FWindow->isFullScreen())
        FSnapTimer.start();
    return QObject::eventFilter(watched, event);
}

void TFormSize::SnapToWorkArea()
{
    if (!FWindow->isVisible() || FWindow->isMaximized() || FWindow->isFullScreen())
        return;
    const QRect frame = FWindow->frameGeometry();
    const QRect workArea = WorkAreaAt(FWindow, frame.center());
    if (!workArea.isValid())
        return;
    const QPoint snapped = Placement::SnapToWorkArea(frame.topLeft(), frame.size(), workArea);
    if (snapped != frame.topLeft())
        MoveFrameTo(snapped);
}

void TFormSize::MoveFrameTo(QPoint topLeft)
{
    FPlacing = true;
    FWindow->move(topLeft);  // a top-level window's position is that of its frame
    FPlacing = false;
}
