#pragma once
#include <QEvent>
#include <QString>

class QKeyEvent;
class QWidget;

// Appends the platform's separator to a non-empty path that does not end in one.
QString WithTrailingBackslash(const QString &path);

// Posted to a window to move the keyboard focus to the next (or, backward, the
// previous) control in tab order, after the current key press has been handled.
class TNextControlEvent : public QEvent {
public:
    static QEvent::Type EventType();
    explicit TNextControlEvent(bool backward) : QEvent(EventType()), Backward(backward) {}
    const bool Backward;
};

// Enter (with or without Shift) becomes a posted focus move in window and is
// swallowed: returns true. Any other key is left alone: returns false.
bool FocusNextOnEnter(QKeyEvent *key, QWidget *window);
