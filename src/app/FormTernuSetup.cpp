#include "FormTernuSetup.h"

#include "DataFolder.h"
#include "ToolConfig.h"
#include "ToolFont.h"
#include "Version.h"
#include "uWinstuff.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>

#include <utility>

namespace {
constexpr int kClientHeight = 524;  // below the menu bar, status bar included
constexpr int kClientWidth = 675;

// Starting a running timer would restart its interval; leave it counting instead.
void SetTimerEnabled(QTimer *timer, bool enabled)
{
    if (!enabled)
        timer->stop();
    else if (!timer->isActive())
        timer->start();
}
}  // namespace

TFTernuSetup::TFTernuSetup(const TWindowEnvironment &env, QWidget *parent)
    : QMainWindow(parent), FEnv(env), FDialogs(*env.Dialogs)
{
    setObjectName(QStringLiteral("FTernuSetup"));
    // Fixed size, close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(ToolFont());
    CreateControls();
    setFixedSize(kClientWidth, AdvMainMenu1->sizeHint().height() + kClientHeight);
    move(0, 0);
    ConnectLifecycle();
    ConnectDeviceLink();
    ConnectSettingsHandlers();
    CreatePortSelection();
    ConnectPersistHandlers();
    ConnectAccessibility();
    // Key preview: the window sees key presses before its controls do.
    qApp->installEventFilter(this);
    Guarded([this] { FormCreate(); });
}

TFTernuSetup::~TFTernuSetup()
{
    qApp->removeEventFilter(this);
    FormDestroy();
}

void TFTernuSetup::ConnectLifecycle()
{
    ConnectGuarded(btnClose, &QPushButton::clicked, &TFTernuSetup::btnCloseClick);
    ConnectGuarded(mnuExit, &QAction::triggered, &TFTernuSetup::mnuExitClick);
    ConnectGuarded(Timer1, &QTimer::timeout, &TFTernuSetup::Timer1Timer);
    ConnectGuarded(chkPCTime, &QCheckBox::toggled, &TFTernuSetup::chkPCTimeClick);
    ConnectGuarded(dtpTime, &QTimeEdit::timeChanged, &TFTernuSetup::dtpTimeChange);
    ConnectGuarded(dtpDate, &QDateEdit::dateChanged, &TFTernuSetup::dtpDateChange);
}

void TFTernuSetup::FormCreate()
{
    FLanguages.clear();
    Timer1Timer();
    SetTimerEnabled(Timer1, chkPCTime->isChecked());
    Timer1Timer();
    FStarting = true;
    InitDataFolder();
    ConnectLocalization();
    LoadStartupLanguage();
    try {
        ScanLanguageFiles();
    } catch (const std::exception &) {
        // Without a language list the language box stays empty.
    }
    FIniFileName = ToolConfig::FilePath(FDataFolder);
    FormSize1->SaveName = FIniFileName;
    // The restore shows message strings in the status bar and in the port notice;
    // without a start-up language file no pass has filled them yet.
    UpdateStrings();
    RestoreState();
    SelectCurrentLanguageItem();
    UpdateStrings();  // filled even when no translation pass has run
}

void TFTernuSetup::FormShow()
{
    FStarting = false;
    UpdateCaption();
}

void TFTernuSetup::FormActivate()
{
    // Timer ticks and other queued events run before the focus is placed.
    QCoreApplication::processEvents();
    dtpTime->setFocus(Qt::ActiveWindowFocusReason);
}

void TFTernuSetup::FormClose()
{
    // Every step runs even when an earlier one fails, so that a configuration file
    // that cannot be written costs no other step; the first failure is reported
    // once, and the window still closes.
    std::exception_ptr failure;
    const auto step = [&failure](auto &&fn) {
        try {
            fn();
        } catch (const std::exception &) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    step([this] { CloseComPort(); });
    step([this] { SaveToolConfig(); });
    step([this] { SaveSettings(QString()); });  // the current settings, into the tool configuration
    emit FormClosed();
    if (failure)
        std::rethrow_exception(failure);
}

void TFTernuSetup::FormDestroy()
{
    FLanguages.clear();
    // The placement is written as the window goes. A file that cannot be written
    // was already reported by the close, so a failure here stays quiet.
    try {
        SavePlacement();
    } catch (const std::exception &) {
    }
}

void TFTernuSetup::btnCloseClick()
{
    close();
}

void TFTernuSetup::mnuExitClick()
{
    close();
}

// Setting the pickers here is not a user edit: their change handlers must not run,
// or the clock following would switch itself off at the first tick.
// One reading for both pickers: in the second around midnight, two readings
// could pair today's time with yesterday's date.
void TFTernuSetup::Timer1Timer()
{
    const QDateTime now = FClock();
    const QSignalBlocker blockTime(dtpTime), blockDate(dtpDate);
    dtpTime->setTime(now.time());
    dtpDate->setDate(now.date());
}

void TFTernuSetup::chkPCTimeClick()
{
    SetTimerEnabled(Timer1, chkPCTime->isChecked());
}

void TFTernuSetup::dtpTimeChange()
{
    if (chkPCTime->isChecked())
        chkPCTime->setChecked(false);
}

void TFTernuSetup::dtpDateChange()
{
    if (chkPCTime->isChecked())
        chkPCTime->setChecked(false);
}

// A folder that cannot be created is not reported: reading the configuration then
// just yields its defaults.
void TFTernuSetup::InitDataFolder()
{
    FDataFolder = DataFolder::Path();
    QDir().mkpath(FDataFolder);
}

void TFTernuSetup::UpdateCaption()
{
    // QString::number ignores the locale: the version always shows a point.
    setWindowTitle(QStringLiteral("%1 (Vers. %2)").arg(strTOOLCAPTION, QString::number(kProgramVersion, 'f', 2)));
}

bool TFTernuSetup::IsMenuShortcut(const QKeyEvent *key) const
{
    const QKeySequence pressed(key->keyCombination());
    for (const QAction *action : {mnuLoad, mnuSave, mnuExit})
        if (action->isEnabled() && action->shortcut() == pressed)
            return true;
    return false;
}

bool TFTernuSetup::eventFilter(QObject *watched, QEvent *event)
{
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    auto *widget = isKey && watched->isWidgetType() ? static_cast<QWidget *>(watched) : nullptr;
    if (!widget || widget->window() != this)
        return QMainWindow::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        // The menu's shortcuts win over an edit field's own use of the keys (Ctrl+X).
        if (IsMenuShortcut(key)) {
            key->ignore();
            return true;
        }
        return false;
    }
    QWidget *focus = QApplication::focusWidget();
    const bool inMemo = focus && (focus == Memo1 || focus == moMonitor
                                  || Memo1->isAncestorOf(focus) || moMonitor->isAncestorOf(focus));
    if (!inMemo && FocusNextOnEnter(key, this))
        return true;
    return false;
}

bool TFTernuSetup::event(QEvent *event)
{
    if (event->type() == TNextControlEvent::EventType()) {
        focusNextPrevChild(!static_cast<TNextControlEvent *>(event)->Backward);
        return true;
    }
    if (event->type() == QEvent::WindowDeactivate)
        FLeftForOtherProgram = QApplication::activeWindow() == nullptr;
    if (event->type() == QEvent::WindowActivate) {
        const bool handled = QMainWindow::event(event);
        // The activation handler belongs to activations inside the tool: the start
        // and the return from one of its dialogs. Coming back from another program
        // leaves the focus where the user left it, so that typing goes on there
        // instead of into the clock field.
        if (!std::exchange(FLeftForOtherProgram, false))
            Guarded([this] { FormActivate(); });
        return handled;
    }
    return QMainWindow::event(event);
}

void TFTernuSetup::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        Guarded([this] { FormShow(); });
    QMainWindow::showEvent(event);
}

// Every way of closing (Close button, File > Exit, the close box, Alt+F4) ends here.
// The window closes even when a step of the close sequence fails; the failure is
// reported first.
void TFTernuSetup::closeEvent(QCloseEvent *event)
{
    Guarded([this] { FormClose(); });
    event->accept();
}
