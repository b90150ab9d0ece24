#include "QtDialogs.h"

#include "ErrorReport.h"
#include "TaskDialog.h"
#include "Version.h"
#include "WindowIcon.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

IDialogs &QtDialogs()
{
    static TQtDialogs dialogs;
    return dialogs;
}

QString QtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        // Qt reads the patterns from the brackets; blanks separate them there.
        QString qtPatterns = patterns;
        qtPatterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (patterns.isEmpty() || description.contains(QLatin1Char('(')))
            filters << description;
        else
            filters << QStringLiteral("%1 (%2)").arg(description, qtPatterns);
    }
    return filters.join(QStringLiteral(";;"));
}

static QString RunFileDialog(QWidget *parent, const TFileDialogSpec &request, QFileDialog::AcceptMode mode)
{
    EnsureWindowIcon();
    QFileDialog dialog(parent, request.Title, request.StartFolder);
    dialog.setAcceptMode(mode);
    // Open also takes a name that does not exist yet; the caller decides what that means.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // The toolkit's own dialog speaks the tool's language; a desktop's native one
    // would speak the system's.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(request.DefaultExtension);
    const QString filter = QtFileFilter(request.Filter);
    if (!filter.isEmpty())
        dialog.setNameFilters(filter.split(QStringLiteral(";;")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

int TQtDialogs::ShowTaskDialog(QWidget *parent, const TTaskDialogSpec &request)
{
    EnsureWindowIcon();  // a dialog of the start comes before the window's first paint
    TTaskDialog dialog(request, parent);
    return dialog.Run();
}

QString TQtDialogs::GetOpenFileName(QWidget *parent, const TFileDialogSpec &request)
{
    return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString TQtDialogs::GetSaveFileName(QWidget *parent, const TFileDialogSpec &request)
{
    return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

void TQtDialogs::ShowError(QWidget *parent, const QString &message)
{
    EnsureWindowIcon();
    QMessageBox::critical(parent, QString::fromLatin1(kApplicationTitle), ErrorReportText(message));
}
