#pragma once
#include <QList>
#include <QString>

class QWidget;

// Everything the window shows modally goes through this interface, so that a test
// can answer a dialog in advance instead of waiting for a click.

// A task dialog: title, main instruction, content, icon, buttons and expandable
// details. Custom buttons get the results 100, 101, ... in the order given.
struct TaskDialogSpec {
    enum class Icon { None, Information, Question, Warning, Error };
    enum CommonButton { NoButton = 0, OkButton = 1 };

    QString title;
    QString instruction;
    QString content;
    Icon icon = Icon::None;
    QList<QString> customButtons;  // results 100, 101, ...
    bool commandLinks = false;     // custom buttons as command links
    int commonButtons = NoButton;
    int defaultButton = 0;         // a result; 0 = none
    QString expandedText;          // details, hidden at first
    QString expandControlText;     // label of the details control while shown
    QString collapseControlText;   // label of the details control while hidden
};

// Results of a task dialog besides the custom buttons.
constexpr int kTaskDialogOk = 1;
constexpr int kTaskDialogCancel = 2;  // closed without choosing

struct FileDialogSpec {
    QString title;
    QString startFolder;
    QString filter;            // "Description (*.ext)|*.ext" as the translation table holds it
    QString defaultExtension;  // added when the user types a name without one
};

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // Shows the task dialog modally and returns the result of the chosen button.
    virtual int showTaskDialog(QWidget *parent, const TaskDialogSpec &request) = 0;
    // The chosen file, or empty when the user cancels.
    virtual QString getOpenFileName(QWidget *parent, const FileDialogSpec &request) = 0;
    virtual QString getSaveFileName(QWidget *parent, const FileDialogSpec &request) = 0;
    // The standard error report: a critical message box titled with the application
    // title, the message with a full stop appended unless it ends in one.
    virtual void showError(QWidget *parent, const QString &message) = 0;
};
