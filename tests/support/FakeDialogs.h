#pragma once
#include "Dialogs.h"

#include <QList>
#include <QStringList>

// Answers the window's modal dialogs from queues filled by the test, and records
// what was asked. An empty queue answers "cancelled" (task dialog) or "" (files).
class TFakeDialogs : public IDialogs {
public:
    QList<TTaskDialogSpec> TaskDialogs;
    QList<TFileDialogSpec> OpenDialogs, SaveDialogs;
    QStringList Errors;

    QList<int> TaskAnswers;
    QStringList OpenAnswers, SaveAnswers;

    int ShowTaskDialog(QWidget *, const TTaskDialogSpec &request) override
    {
        TaskDialogs.append(request);
        return TaskAnswers.isEmpty() ? kTaskDialogCancel : TaskAnswers.takeFirst();
    }
    QString GetOpenFileName(QWidget *, const TFileDialogSpec &request) override
    {
        OpenDialogs.append(request);
        return OpenAnswers.isEmpty() ? QString() : OpenAnswers.takeFirst();
    }
    QString GetSaveFileName(QWidget *, const TFileDialogSpec &request) override
    {
        SaveDialogs.append(request);
        return SaveAnswers.isEmpty() ? QString() : SaveAnswers.takeFirst();
    }
    void ShowError(QWidget *, const QString &message) override { Errors.append(message); }
};
