#pragma once
#include "Dialogs.h"

#include <QDialog>

class QLabel;
class QPushButton;

// A small task dialog: main instruction, content, icon, command-link or push
// buttons, an optional OK button and details that expand on request.
class TTaskDialog : public QDialog {
    Q_OBJECT
public:
    explicit TTaskDialog(const TTaskDialogSpec &request, QWidget *parent = nullptr);

    // Shows the dialog centred on its parent; returns the chosen button's result,
    // kTaskDialogCancel when it was closed without a choice.
    int Run();

    // The button that returns result, if any (for tests and keyboard focus).
    QPushButton *ButtonFor(int result) const;
    void SetDetailsShown(bool shown);
    bool DetailsShown() const;

private:
    void Choose(int result);

    TTaskDialogSpec FRequest;
    int FResult = kTaskDialogCancel;
    QList<QPair<int, QPushButton *>> FButtons;
    QPushButton *FDetailsToggle = nullptr;
    QLabel *FDetails = nullptr;
};
