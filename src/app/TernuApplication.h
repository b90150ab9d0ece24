#pragma once
#include <QApplication>

class IDialogs;

// The application object. Its notify() is the last exception boundary: an exception
// that a handler let escape is shown as the standard error report and the program
// goes on.
class TApplication : public QApplication {
public:
    TApplication(int &argc, char **argv);

    // Where error reports go; the real dialogs unless a test sets its own.
    void SetDialogs(IDialogs *dialogs) { FDialogs = dialogs; }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    IDialogs *FDialogs;
};
