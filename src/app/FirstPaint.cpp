#include "FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Watches the window's native window: its first expose event is handled by
// painting the whole window and flushing it to the screen, so a zero timer started
// there fires once that paint is done.
class TFirstPaintWatch final : public QObject {
public:
    TFirstPaintWatch(QWidget *window, std::function<void()> work)
        : QObject(window), FWindow(window), FWork(std::move(work))
    {
        window->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && FWindow->windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, FWindow, std::move(FWork));
            deleteLater();
        }
        return false;
    }

private:
    QWidget *FWindow;
    std::function<void()> FWork;
};

}  // namespace

void AfterFirstPaint(QWidget *window, std::function<void()> work)
{
    // Not shown, there is no paint to wait for; already exposed, it has been painted.
    if (!window->windowHandle() || window->windowHandle()->isExposed()) {
        QTimer::singleShot(0, window, std::move(work));
        return;
    }
    new TFirstPaintWatch(window, std::move(work));
}
