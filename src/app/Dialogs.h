#pragma once
#include <QList>
#include <QString>

class QWidget;

// Everything the window shows modally goes through this interface, so that a test
// can answer a dialog in advance instead of waiting for a click.

// A task dialog: title, main instruction, content, icon, buttons and expandable
// details. Custom buttons get the results 100, 101, ... in the order given.
struct TTaskDialogSpec {
    enum class TIcon { None, Information, Question, Warning, Error };
    enum TCommonButton { NoButton = 0, OkButton = 1 };

    QString Title;
    QString Instruction;
    QString Content;
    TIcon Icon = TIcon::None;
    QList<QString> CustomButtons;  // results 100, 101, ...
    bool CommandLinks = false;     // custom buttons as command links
    int CommonButtons = NoButton;
    int DefaultButton = 0;         // a result; 0 = none
    QString ExpandedText;          // details, hidden at first
    QString ExpandControlText;     // label of the details control while shown
    QString CollapseControlText;   // label of the details control while hidden
};

// Results of a task dialog besides the custom buttons.
constexpr int kTaskDialogOk = 1;
constexpr int kTaskDialogCancel = 2;  // closed without choosing

struct TFileDialogSpec {
    QString Title;
    QString StartFolder;
    QString Filter;            // "Description (*.ext)|*.ext" as the translation table holds it
    QString DefaultExtension;  // added when the user types a name without one
};

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // Shows the task dialog modally and returns the result of the chosen button.
    virtual int ShowTaskDialog(QWidget *parent, const TTaskDialogSpec &request) = 0;
    // The chosen file, or empty when the user cancels.
    virtual QString GetOpenFileName(QWidget *parent, const TFileDialogSpec &request) = 0;
    virtual QString GetSaveFileName(QWidget *parent, const TFileDialogSpec &request) = 0;
    // The standard error report: a critical message box titled with the application
    // title, the message with a full stop appended unless it ends in one.
    virtual void ShowError(QWidget *parent, const QString &message) = 0;
};
