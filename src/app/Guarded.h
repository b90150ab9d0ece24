#pragma once
#include "Dialogs.h"

#include <QString>
#include <exception>
#include <utility>

// Runs fn and turns an escaping exception into the standard error report, so that no
// exception crosses a signal or event dispatch. Returns false when fn threw.
template <class Fn>
bool guarded(IDialogs &dialogs, QWidget *parent, Fn &&fn)
{
    try {
        std::forward<Fn>(fn)();
        return true;
    } catch (const std::exception &e) {
        dialogs.showError(parent, QString::fromUtf8(e.what()));
    }
    return false;
}
