#pragma once
#include "Dialogs.h"

#include <QList>
#include <QStringList>

// Answers the window's modal dialogs from queues filled by the test, and records
// what was asked. An empty queue answers "cancelled" (task dialog) or "" (files).
class TFakeDialogs : public IDialogs {
public:
    QList<TaskDialogSpec> taskDialogs;
    QList<FileDialogSpec> openDialogs, saveDialogs;
    QStringList errors;

    QList<int> taskAnswers;
    QStringList openAnswers, saveAnswers;

    int showTaskDialog(QWidget *, const TaskDialogSpec &request) override
    {
        taskDialogs.append(request);
        return taskAnswers.isEmpty() ? kTaskDialogCancel : taskAnswers.takeFirst();
    }
    QString getOpenFileName(QWidget *, const FileDialogSpec &request) override
    {
        openDialogs.append(request);
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString getSaveFileName(QWidget *, const FileDialogSpec &request) override
    {
        saveDialogs.append(request);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    void showError(QWidget *, const QString &message) override { errors.append(message); }
};
