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
        const char *message, *shown;
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
        EXPECT_EQ(ErrorReportText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown)) << c.message;
}

TEST(FileFilterTest, PairsBecomeQtNameFilters)
{
    const struct {
        const char *filter, *qt;
    } cases[] = {
        {"Settings Files (*.dat)|*.dat", "Settings Files (*.dat)"},
        {"Setting Dateien (*.dat)|*.dat", "Setting Dateien (*.dat)"},
        {"Settings|*.dat", "Settings (*.dat)"},
        {"Settings|*.dat|All|*.*", "Settings (*.dat);;All (*.*)"},
        {"Both|*.dat;*.txt", "Both (*.dat *.txt)"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(QtFileFilter(QString::fromUtf8(c.filter)), QString::fromUtf8(c.qt)) << c.filter;
}

namespace {
class ThrowingObject : public QObject {
public:
    bool event(QEvent *) override { throw std::runtime_error("Gerät antwortet nicht"); }
};
}  // namespace

TEST(ExceptionBoundaryTest, AnEscapingErrorBecomesTheErrorReport)
{
    auto *app = static_cast<TApplication *>(QCoreApplication::instance());
    TFakeDialogs dialogs;
    app->setDialogs(&dialogs);
    ThrowingObject thrower;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &event));
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Gerät antwortet nicht")});

    EXPECT_FALSE(guarded(dialogs, nullptr, [] { throw std::runtime_error("again"); }));
    EXPECT_TRUE(guarded(dialogs, nullptr, [] {}));
    EXPECT_EQ(dialogs.errors.size(), 2);
    app->setDialogs(&QtDialogs());
}

namespace {
TaskDialogSpec ClearMemoryRequest()
{
    TaskDialogSpec request;
    request.title = QStringLiteral("Clear device memory");
    request.instruction = QStringLiteral("Please confirm clearing...");
    request.content = QStringLiteral("Do you really want to clear the device memory?");
    request.icon = TaskDialogSpec::Icon::Warning;
    request.customButtons = {QStringLiteral("Yes (Delete memory)"), QStringLiteral("No (Do not delete memory)")};
    request.commandLinks = true;
    request.defaultButton = 101;
    request.expandedText = QStringLiteral("CAUTION");
    request.expandControlText = QStringLiteral("Click to hide");
    request.collapseControlText = QStringLiteral("Click to see more");
    return request;
}
}  // namespace

TEST(TaskDialogTest, CommandLinksReturnTheirResultsAndDetailsExpand)
{
    TTaskDialog dialog(ClearMemoryRequest());
    QPushButton *yes = dialog.buttonFor(100);
    QPushButton *no = dialog.buttonFor(101);
    ASSERT_TRUE(yes && no);
    EXPECT_TRUE(qobject_cast<QCommandLinkButton *>(yes));
    EXPECT_TRUE(no->isDefault());

    auto *toggle = dialog.findChild<QPushButton *>(QStringLiteral("detailsToggle"));
    ASSERT_NE(toggle, nullptr);
    EXPECT_FALSE(dialog.detailsShown());
    EXPECT_TRUE(toggle->text().endsWith(QStringLiteral("Click to see more")));
    toggle->click();
    EXPECT_TRUE(dialog.detailsShown());
    EXPECT_TRUE(toggle->text().endsWith(QStringLiteral("Click to hide")));

    QTimer::singleShot(0, yes, &QPushButton::click);
    EXPECT_EQ(dialog.run(), 100);
}

TEST(TaskDialogTest, ClosingWithoutAChoiceCancels)
{
    TaskDialogSpec request;
    request.instruction = QStringLiteral("Ternu Interface detected!");
    request.commonButtons = TaskDialogSpec::OkButton;
    TTaskDialog dialog(request);
    ASSERT_NE(dialog.buttonFor(kTaskDialogOk), nullptr);
    QTimer::singleShot(0, &dialog, &QDialog::reject);
    EXPECT_EQ(dialog.run(), kTaskDialogCancel);
    QTimer::singleShot(0, dialog.buttonFor(kTaskDialogOk), &QPushButton::click);
    EXPECT_EQ(dialog.run(), kTaskDialogOk);
}
