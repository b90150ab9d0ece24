#pragma once
#include "Dialogs.h"

// The real modal dialogs: the task dialog, Qt's file dialogs and the error report.
class TQtDialogs : public IDialogs {
public:
    int ShowTaskDialog(QWidget *parent, const TTaskDialogSpec &request) override;
    QString GetOpenFileName(QWidget *parent, const TFileDialogSpec &request) override;
    QString GetSaveFileName(QWidget *parent, const TFileDialogSpec &request) override;
    void ShowError(QWidget *parent, const QString &message) override;
};

// The one instance the program uses.
IDialogs &QtDialogs();

// "Description (*.a)|*.a|Other|*.b" as Qt's name filters, ";;"-separated. A
// description without its pattern in brackets gets it appended.
QString QtFileFilter(const QString &filter);
