#pragma once
#include <functional>

class QWidget;

// Runs work once, as soon as the shown window has been painted for the first time:
// what the first paint does not need waits until the user sees the window. Call
// after show(). Nothing runs if the window is never exposed or goes first.
void AfterFirstPaint(QWidget *window, std::function<void()> work);
