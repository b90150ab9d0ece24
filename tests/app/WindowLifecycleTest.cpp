#include "FirstPaint.h"
#include "SpinEdit.h"
#include "WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimeEdit>
#include <QTimer>
#include <clocale>
#include <functional>

class WindowLifecycleTest : public WindowFixture {};

TEST_F(WindowLifecycleTest, EnterMovesFocusAndShiftEnterMovesItBack)
{
    TFTernuSetup &w = MakeWindow();
    ShowActive();
    Child<TSpinEdit>(w, "edWeight")->setFocus();
    Child<TSpinEdit>(w, "edWeight")->selectAll();
    QTest::keyClicks(Child<TSpinEdit>(w, "edWeight"), QStringLiteral("900"));
    QTest::keyClick(Child<TSpinEdit>(w, "edWeight"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Child<TSpinEdit>(w, "edWeight")) << "the move is posted, not done at once";
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), Child<TSpinEdit>(w, "edOdo1"));
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), 220) << "leaving the field crops it (kg)";

    QTest::keyClick(Child<TSpinEdit>(w, "edOdo1"), Qt::Key_Return, Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), Child<TSpinEdit>(w, "edWeight"));
}

TEST_F(WindowLifecycleTest, EnterInAMemoIsLeftToTheMemo)
{
    TFTernuSetup &w = MakeWindow();
    ShowActive();
    for (QPlainTextEdit *memo : {Child<QPlainTextEdit>(w, "Memo1"), Child<QPlainTextEdit>(w, "moMonitor")}) {
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), memo) << memo->objectName().toStdString();
    }
}

TEST_F(WindowLifecycleTest, ClockFollowsThePcUntilEditedByHand)
{
    TFTernuSetup &w = MakeWindow();
    ASSERT_TRUE(Child<QCheckBox>(w, "chkPCTime")->isChecked());
    EXPECT_TRUE(Child<QTimer>(w, "Timer1")->isActive());
    EXPECT_EQ(Child<QTimer>(w, "Timer1")->interval(), 1000);

    Child<QTimeEdit>(w, "dtpTime")->setTime(QTime(3, 0));
    Child<QCheckBox>(w, "chkPCTime")->setChecked(true);  // setting the time by program above unticked it
    Child<QDateEdit>(w, "dtpDate")->setDate(QDate(2001, 1, 1));
    Child<QCheckBox>(w, "chkPCTime")->setChecked(true);
    w.Timer1Timer();
    EXPECT_TRUE(Child<QCheckBox>(w, "chkPCTime")->isChecked()) << "a tick is not a hand edit";
    EXPECT_LE(std::abs(Child<QTimeEdit>(w, "dtpTime")->time().secsTo(QTime::currentTime())), 2);
    EXPECT_EQ(Child<QDateEdit>(w, "dtpDate")->date(), QDate::currentDate());

    // A tick reads the clock once: time and date come from the same reading,
    // even when the next reading would already be the next day.
    QList<QDateTime> readings = {QDateTime(QDate(2020, 6, 15), QTime(23, 59, 59)),
                                 QDateTime(QDate(2020, 6, 16), QTime(0, 0, 0))};
    w.SetClock([&readings] { return readings.size() > 1 ? readings.takeFirst() : readings.first(); });
    w.Timer1Timer();
    EXPECT_EQ(Child<QTimeEdit>(w, "dtpTime")->time(), QTime(23, 59, 59));
    EXPECT_EQ(Child<QDateEdit>(w, "dtpDate")->date(), QDate(2020, 6, 15));
    w.SetClock([] { return QDateTime::currentDateTime(); });

    for (QAbstractSpinBox *picker : {static_cast<QAbstractSpinBox *>(Child<QTimeEdit>(w, "dtpTime")),
                                     static_cast<QAbstractSpinBox *>(Child<QDateEdit>(w, "dtpDate"))}) {
        SCOPED_TRACE(picker->objectName().toStdString());
        // Away from the ends of the ranges: at midnight or on the first of a month
        // a step down would change nothing.
        Child<QTimeEdit>(w, "dtpTime")->setTime(QTime(12, 30));
        Child<QDateEdit>(w, "dtpDate")->setDate(QDate(2020, 6, 15));
        Child<QCheckBox>(w, "chkPCTime")->setChecked(true);
        EXPECT_TRUE(Child<QTimer>(w, "Timer1")->isActive());
        picker->stepBy(-1);  // what the down key does
        EXPECT_FALSE(Child<QCheckBox>(w, "chkPCTime")->isChecked());
        EXPECT_FALSE(Child<QTimer>(w, "Timer1")->isActive());
    }
    Child<QCheckBox>(w, "chkPCTime")->click();
    EXPECT_TRUE(Child<QTimer>(w, "Timer1")->isActive()) << "ticking it again resumes the following";
}

TEST_F(WindowLifecycleTest, CaptionShowsAPointWhateverTheLocale)
{
    const QLocale oldLocale;
    const std::string oldNumeric = std::setlocale(LC_NUMERIC, nullptr);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");

    TFTernuSetup &w = MakeWindow();
    ShowActive();  // showing sets the caption, in the built-in German
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ternu Einstellungswerkzeug (Vers. 1.05)"));
    EXPECT_FALSE(w.IsStarting());

    std::setlocale(LC_NUMERIC, oldNumeric.c_str());
    QLocale::setDefault(oldLocale);
}

TEST_F(WindowLifecycleTest, EveryWayOfClosingRunsTheCloseSequenceOnce)
{
    const std::pair<const char *, std::function<void(TFTernuSetup &)>> ways[] = {
        {"Close button", [](TFTernuSetup &w) { Child<QPushButton>(w, "btnClose")->click(); }},
        {"File > Exit", [](TFTernuSetup &w) { Child<QAction>(w, "mnuExit")->trigger(); }},
        {"Ctrl+X in an edit field",
         [](TFTernuSetup &w) {
             Child<TSpinEdit>(w, "edOdo1")->setFocus();
             Child<TSpinEdit>(w, "edOdo1")->selectAll();
             QTest::keyClick(Child<TSpinEdit>(w, "edOdo1"), Qt::Key_X, Qt::ControlModifier);
         }},
        {"close box", [](TFTernuSetup &w) { w.close(); }},
    };
    for (const auto &[way, closeIt] : ways) {
        SCOPED_TRACE(way);
        TFTernuSetup &w = MakeWindow();
        ShowActive();
        QSignalSpy closed(&w, &TFTernuSetup::FormClosed);
        closeIt(w);
        QApplication::processEvents();
        EXPECT_EQ(closed.count(), 1);
        EXPECT_FALSE(w.isVisible());
    }
}

TEST_F(WindowLifecycleTest, StartBuildsTheDataFolder)
{
    TFTernuSetup &w = MakeWindow();
    EXPECT_TRUE(QFileInfo(DataFolder()).isDir());
    EXPECT_TRUE(w.IsStarting()) << "until the window is shown";
    // The configuration goes into the data folder when the window closes.
    w.close();
    EXPECT_TRUE(QFileInfo(DataFolder() + QStringLiteral("/Ternu_SetupTool.ini")).isFile());
    EXPECT_EQ(QDir(DataFolder()).entryList(QDir::Files), QStringList{"Ternu_SetupTool.ini"});
}

TEST_F(WindowLifecycleTest, ADataFolderThatCannotBeMadeDoesNotStopTheStart)
{
    // A plain file where a parent folder would have to be.
    QFile blocker(configHome.filePath(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", blocker.fileName().toUtf8());

    TFTernuSetup &w = MakeWindow();
    ShowActive();
    EXPECT_FALSE(QFileInfo::exists(blocker.fileName() + QStringLiteral("/Orvan/SetupTool")));
    EXPECT_TRUE(fakeDialogs.Errors.isEmpty());
    EXPECT_TRUE(w.isVisible());
    // Closing cannot store the configuration there either, and says which file it meant.
    w.close();
    EXPECT_FALSE(QFileInfo::exists(blocker.fileName() + QStringLiteral("/Orvan/SetupTool/Ternu_SetupTool.ini")));
    ASSERT_FALSE(fakeDialogs.Errors.isEmpty());
    EXPECT_TRUE(fakeDialogs.Errors.last().contains(QStringLiteral("/Ternu_SetupTool.ini")))
        << fakeDialogs.Errors.last().toStdString();
}

TEST_F(WindowLifecycleTest, ActivationFocusesTheTimeField)
{
    TFTernuSetup &w = MakeWindow();
    ShowActive();
    EXPECT_EQ(QApplication::focusWidget(), Child<QTimeEdit>(w, "dtpTime"));

    const auto reactivate = [&w](QWidget *activeMeanwhile) {
        Child<TSpinEdit>(w, "edWeight")->setFocus();
        QApplication::setActiveWindow(activeMeanwhile);
        QApplication::processEvents();
        QApplication::setActiveWindow(&w);
        QApplication::processEvents();
        return QApplication::focusWidget();
    };
    QWidget dialog;  // a window of the tool, such as a dialog
    dialog.show();
    EXPECT_EQ(reactivate(&dialog), Child<QTimeEdit>(w, "dtpTime")) << "back from a window of the tool";
    EXPECT_EQ(reactivate(nullptr), Child<TSpinEdit>(w, "edWeight")) << "back from another program";
}

TEST_F(WindowLifecycleTest, AnErrorInAHandlerIsReportedAndTheWindowGoesOn)
{
    TFTernuSetup &w = MakeWindow();
    const bool ran = w.Guarded([] { throw std::runtime_error("Zugriff verweigert"); });
    EXPECT_FALSE(ran);
    EXPECT_EQ(fakeDialogs.Errors, QStringList{QStringLiteral("Zugriff verweigert")});
}

namespace {

class TPaintCounter : public QWidget {
public:
    int FPaints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++FPaints; }
};

}  // namespace

TEST(FirstPaint, WorkWaitsForTheFirstPaintAndRunsOnce)
{
    TPaintCounter window;
    window.resize(120, 80);
    window.show();
    int runs = 0;
    int paintsBefore = -1;
    AfterFirstPaint(&window, [&] {
        ++runs;
        paintsBefore = window.FPaints;
    });
    EXPECT_EQ(runs, 0);  // never at once
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs > 0; }));
    EXPECT_GE(paintsBefore, 1);

    // Exposed again, the window is painted again; the work is done.
    window.hide();
    const int paints = window.FPaints;
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.FPaints > paints; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);

    // A window that goes before it is painted takes its work with it.
    int lostRuns = 0;
    {
        TPaintCounter gone;
        gone.show();
        AfterFirstPaint(&gone, [&] { ++lostRuns; });
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(lostRuns, 0);
}
