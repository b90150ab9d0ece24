#pragma once
#include "Dialogs.h"

#include <QString>
#include <exception>
#include <utility>

// Runs fn and turns an escaping exception into the standard error report, so that no
// exception crosses a signal or event dispatch. Returns false when fn threw.
template <class Fn>
bool Guarded(IDialogs &dialogs, QWidget *parent, Fn &&fn)
{
    try {
        std::forward<Fn>(fn)();
        return true;
    } catch (const std::exception &e) {
        dialogs.ShowError(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

// The parameters a handler takes, so that a guarding slot can take the same ones and
// Qt drops the signal's further arguments as it does for the handler itself.
template <class... TArgs> struct TSlotParameters {};

template <class Fn> struct TSlotParametersOf : TSlotParametersOf<decltype(&Fn::operator())> {};
template <class C, class R, class... TArgs> struct TSlotParametersOf<R (C::*)(TArgs...)> {
    using TParameters = TSlotParameters<TArgs...>;
};
template <class C, class R, class... TArgs> struct TSlotParametersOf<R (C::*)(TArgs...) const> {
    using TParameters = TSlotParameters<TArgs...>;
};
