#include "ErrorReport.h"
#include "FakeDialogs.h"
#include "Guarded.h"
#include "QtDialogs.h"
#include "TaskDialog.h"
#include "TernuApplication.h"

#include <QCommandLinkButton>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(ErrorReportTest, AppendsAFullStopOnlyWhereOneIsMissing)
{
    const struct {
        const char *Message, *Shown;
    } cases[] = {
        {"Port not found", "Port not found."},
        {"Done.", "Done."},
        {"No Pong received!", "No Pong received!"},  // '!' sorts below '.'
        {"Error (code 3)", "Error (code 3)"},         // so does ')'
        {"Trailing blank ", "Trailing blank "},
        {"", ""},
        {"Zugriff verweigert: Ä", "Zugriff verweigert: Ä."},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ErrorReportText(QString::fromUtf8(c.Message)), QString::fromUtf8(c.Shown)) << c.Message;
}

TEST(FileFilterTest, PairsBecomeQtNameFilters)
{
    const struct {
        const char *Filter, *Qt;
    } cases[] = {
        {"Settings Files (*.dat)|*.dat", "Settings Files (*.dat)"},
        {"Setting Dateien (*.dat)|*.dat", "Setting Dateien (*.dat)"},
        {"Settings|*.dat", "Settings (*.dat)"},
        {"Settings|*.dat|All|*.*", "Settings (*.dat);;All (*.*)"},
        {"Both|*.dat;*.txt", "Both (*.dat *.txt)"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(QtFileFilter(QString::fromUtf8(c.Filter)), QString::fromUtf8(c.Qt)) << c.Filter;
}

namespace {
class TThrowingObject : public QObject {
public:
    bool event(QEvent *) override { throw std::runtime_error("Gerät antwortet nicht"); }
};
}  // namespace

TEST(ExceptionBoundaryTest, AnEscapingErrorBecomesTheErrorReport)
{
    auto *app = static_cast<TApplication *>(QCoreApplication::instance());
    TFakeDialogs dialogs;
    app->SetDialogs(&dialogs);
    TThrowingObject thrower;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &event));
    EXPECT_EQ(dialogs.Errors, QStringList{QStringLiteral("Gerät antwortet nicht")});

    EXPECT_FALSE(Guarded(dialogs, nullptr, [] { throw std::runtime_error("again"); }));
    EXPECT_TRUE(Guarded(dialogs, nullptr, [] {}));
    EXPECT_EQ(dialogs.Errors.size(), 2);
    app->SetDialogs(&QtDialogs());
}

namespace {
TTaskDialogSpec ClearMemoryRequest()
{
    TTaskDialogSpec request;
    request.Title = QStringLiteral("Clear device memory");
    request.Instruction = QStringLiteral("Please confirm clearing...");
    request.Content = QStringLiteral("Do you really want to clear the device memory?");
    request.Icon = TTaskDialogSpec::TIcon::Warning;
    request.CustomButtons = {QStringLiteral("Yes (Delete memory)"), QStringLiteral("No (Do not delete memory)")};
    request.CommandLinks = true;
    request.DefaultButton = 101;
    request.ExpandedText = QStringLiteral("CAUTION");
    request.ExpandControlText = QStringLiteral("Click to hide");
    request.CollapseControlText = QStringLiteral("Click to see more");
    return request;
}
}  // namespace

TEST(TaskDialogTest, CommandLinksReturnTheirResultsAndDetailsExpand)
{
    TTaskDialog dialog(ClearMemoryRequest());
    QPushButton *yes = dialog.ButtonFor(100);
    QPushButton *no = dialog.ButtonFor(101);
    ASSERT_TRUE(yes && no);
    EXPECT_TRUE(qobject_cast<QCommandLinkButton *>(yes));
    EXPECT_TRUE(no->isDefault());

    auto *toggle = dialog.findChild<QPushButton *>(QStringLiteral("detailsToggle"));
    ASSERT_NE(toggle, nullptr);
    EXPECT_FALSE(dialog.DetailsShown());
    EXPECT_TRUE(toggle->text().endsWith(QStringLiteral("Click to see more")));
    toggle->click();
    EXPECT_TRUE(dialog.DetailsShown());
    EXPECT_TRUE(toggle->text().endsWith(QStringLiteral("Click to hide")));

    QTimer::singleShot(0, yes, &QPushButton::click);
    EXPECT_EQ(dialog.Run(), 100);
}

TEST(TaskDialogTest, ClosingWithoutAChoiceCancels)
{
    TTaskDialogSpec request;
    request.Instruction = QStringLiteral("Ternu Interface detected!");
    request.CommonButtons = TTaskDialogSpec::OkButton;
    TTaskDialog dialog(request);
    ASSERT_NE(dialog.ButtonFor(kTaskDialogOk), nullptr);
    QTimer::singleShot(0, &dialog, &QDialog::reject);
    EXPECT_EQ(dialog.Run(), kTaskDialogCancel);
    QTimer::singleShot(0, dialog.ButtonFor(kTaskDialogOk), &QPushButton::click);
    EXPECT_EQ(dialog.Run(), kTaskDialogOk);
}
