#pragma once
#include "Dialogs.h"
#include "Guarded.h"
#include "FormSize.h"
#include "Styles.h"
#include "TsiLang.h"
#include "TsiLangDispatcher.h"
#include "WidgetTranslationTarget.h"
#include "WindowEnvironment.h"
#include "DeviceSettings.h"
#include "SettingsPayload.h"

#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

class QAction;
class QComboBox;
class QCheckBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QModelIndex;
class QPainter;
class QStyleOptionViewItem;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimeEdit;
class QTimer;
class QToolButton;
class TPhotoButton;
class TPhotoPrompt;
class TFloatSpinEdit;
class TGradientPanel;
class TRadioGroup;
class TSpinEdit;

// The tool's one window. It owns every control, menu, timer and dialog; the
// handlers keep the names of the controls and events they belong to.
class TFTernuSetup : public QMainWindow {
    Q_OBJECT
public:
    explicit TFTernuSetup(const TWindowEnvironment &env = TWindowEnvironment(), QWidget *parent = nullptr);
    ~TFTernuSetup() override;

    // ---- Program start-up and lifecycle ----
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose();
    void FormDestroy();
    void btnCloseClick();
    void mnuExitClick();
    void Timer1Timer();
    void chkPCTimeClick();
    void dtpTimeChange();
    void dtpDateChange();
    void InitDataFolder();
    void UpdateCaption();
    // True from creation until the window is first shown.
    bool IsStarting() const { return FStarting; }
    // The computer's clock that Timer1 shows; a test puts a fixed one in.
    void SetClock(std::function<QDateTime()> clock) { FClock = std::move(clock); }

    // Sizes every label that has no fixed size to its text; call after texts change.
    void AutoSizeLabels();

    // Runs fn; an escaping exception becomes the standard error report.
    template <class Fn> bool Guarded(Fn &&fn);
    // Connects signal to handler (a method of the window or a callable), run guarded.
    template <class TSender, class TSignal, class TFn>
    QMetaObject::Connection ConnectGuarded(const TSender *sender, TSignal signal, TFn handler);


    // ---- Device settings ----
    void btnUnitsClick();
    void rgWeightClick();
    void UpdateWeightUnit();
    void btnWheel1Click();
    void btnwheel2Click();
    void N700x20c1Click(QAction *item);
    void edHRLowerExit();
    void edHRUpperExit();
    void cboLapModeChange();
    void edLapTimeChange();
    void cboSexChange();
    void UpdateSexImage();
    void BuildSettings();
    const TSettingsPayload &BuiltPayload() const { return FBuiltPayload; }
    void LoadSettings(const QString &fileName);  // with the settings files
    // Applies a settings text to the controls; an empty text changes nothing.
    void ApplySettingsText(const QString &text);
    // The record as the controls hold it, and back; setting the controls runs the
    // handlers of the weight unit and the PC-clock option when they change.
    DeviceSettings SettingsFromControls() const;
    void SettingsToControls(const DeviceSettings &s);
    void ConnectSettingsHandlers();

    // ---- Device link ----
    // FExchange keeps the state of the running exchange (operation code, whether
    // the reply came, blink count) and runs Timer2 and Timer3.
    static constexpr int kClearMemoryYes = 100, kClearMemoryNo = 101;  // task dialog results
    void ConnectDeviceLink();  // creates the port and the exchange, wires the controls
    void RunDeviceOperation(quint8 operation);
    void OpenComPort(const QString &name);
    void CloseComPort();
    void SendCommand();
    void ComPort1RxChar(int count);
    void Timer2Timer();
    void Timer3Timer();
    void imgDeviceClick();
    void btnSendClick();
    void btnDeleteClick();

    // ---- Port selection ----
    void DetectInterface(bool silent);
    void AssignComPort(int n);
    void BuildComPortMenu();
    void ComPortMenuItemClick(QAction *item);
    void mnuComportClick();
    // A device has arrived (kDeviceArrival) or has been removed (kDeviceRemoval).
    static constexpr int kDeviceArrival = 0x8000;
    static constexpr int kDeviceRemoval = 0x8004;
    void WMDeviceChange(int event);
    // Refills the port list; the port opened last stays selected when still there.
    void RefreshPortList();
    // The port part of RestoreState: detects the interface, or assigns the stored
    // port after telling when the interface sits on another one.
    void RestorePortState();
    void CreatePortSelection();  // window creation: port list and device changes
    // The port choice as the start, the port menu and the last detection left it.
    struct TPortChoiceState {
        qint16 ComPortNo;      // the port assigned last; -1 for none yet
        bool AutoDetect;       // the interface's port is found automatically
        QString LastPortName;  // the port the last detection left selected
    };
    TPortChoiceState PortChoiceState() const { return {FComPortNo, FAutoDetect, FLastPortName}; }
    QString PortsFolder() const;
    QString LastOpenedPortName() const;
    void ShowInterfaceDetected();
    void ShowPortMismatch(int detected, int assigned);

    // ---- Persistence, styles and placement ----
    void ConnectPersistHandlers();        // window creation: styles, placement, menus
    void LoadToolConfig();
    void SaveToolConfig();
    void RestoreState();
    QString ReadSettingsText(const QString &fileName);
    void SaveSettings(const QString &fileName);
    QString SettingsFolder() const;
    void mnuLoadClick();
    void mnuSaveClick();
    void mnuLayoutClick();
    void mnuOfficeSilverClick(QAction *item);
    void ApplyStyle(int number);
    void RestorePlacement();
    void SavePlacement();

    // ---- Localization ----
    void UpdateStrings();
    // The message string of that name (strTOOLCAPTION, strStrNoPongReceived, ...) in
    // the language in use, as dialogs, the monitor and the caption show it; empty
    // for a name the window does not have.
    QString MessageString(QStringView name) const;
    QString GetLanguageName() const;
    void cboLangChange();
    void cboLangDrawItem(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index);
    void ScanLanguageFiles();
    void siLang_FTernuSetupChangeLanguage();
    void ConnectLocalization();        // translator to controls, language box events
    void LoadStartupLanguage();        // German.sil, silently
    void SelectCurrentLanguageItem();  // without running cboLangChange
    // The toolkit's own dialogs and menus, and the date field's calendar, speak the
    // language in use.
    void ApplyToolkitLanguage();

    // ---- Accessibility ----
    void ConnectAccessibility();   // window creation: names, descriptions, the photo button
    void UpdateAccessibleTexts();  // after texts or units have changed
    // Each input field with the label in front of it (its buddy).
    QList<std::pair<QLabel *, QWidget *>> LabelledFields() const;

signals:
    // The close sequence has run (the window is about to close).
    void FormClosed();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateControls();  // FormTernuSetupLayout.cpp
    void CreateMenus();
    void CreateTopPanel(QWidget *client);
    void CreateCentrePanel(QWidget *client);
    void CreateRightPanel(QWidget *client);
    void CreateStatusBar();
    void SetTabOrder();
    void ConnectLifecycle();
    bool IsMenuShortcut(const QKeyEvent *key) const;


    // ---- Controls ----
    QMenuBar *AdvMainMenu1;
    QMenu *mnuFile;
    QAction *mnuLoad, *mnuSave, *N2, *mnuExit;
    QMenu *mnuSettings;
    QMenu *mnuLayout;
    QAction *mnuOfficeBlue, *mnuOfficeSilver, *mnuOfficeOlive, *mnuOfficeClassic, *mnuOfficeLuna,
        *mnuOfficeObsidian, *mnuWindowsXP, *mnuWhidbey, *mnuOffice2007Silver;
    QMenu *mnuComport;
    QMenu *mnuWheel;
    QAction *N700x20c1, *N700x23c1, *N700x25c1, *N700x28c1, *N700x32c1, *N700x35c1, *N700x38c1,
        *N650x23c1, *N26x151, *N26x1901, *N26x1951, *N26x201, *N26x211, *N26x221;

    QFrame *Panel1;
    QLabel *imgSymbol;
    QPlainTextEdit *Memo1;
    QLabel *lblLang;
    QComboBox *cboLang;
    QComboBox *ComComboBox;

    TGradientPanel *AdvPanel1;
    QGroupBox *grpTime;
    QLabel *lblTime, *lblTime2, *lblDate;
    QTimeEdit *dtpTime;
    QDateEdit *dtpDate;
    QCheckBox *chkPCTime;
    QGroupBox *grpPerson;
    QLabel *lblSex, *imgUserSex, *lblUWeight, *lbKG;
    QComboBox *cboSex;
    TSpinEdit *edWeight;
    QGroupBox *grpBike1, *grpBike2;
    QLabel *lblOdo1, *lblkm1, *lblWSize1, *lblmm1;
    QLabel *lblOdo2, *lblkm2, *lblWSize2, *lblmm2;
    TSpinEdit *edOdo1, *edWheel1, *edOdo2, *edWheel2;
    QToolButton *btnWheel1, *btnwheel2;
    QGroupBox *grpStopWatch;
    QLabel *lblMode, *lblLapMode, *lblStop;
    QComboBox *cboLapMode;
    TFloatSpinEdit *edLapDist;
    QTimeEdit *edLapTime;
    QGroupBox *grpHRLimits;
    QLabel *lblHFU, *lnlHFU2, *lblHFL, *lnlHFL2;
    TSpinEdit *edHRUpper, *edHRLower;
    TRadioGroup *grpSampleRate;
    QGroupBox *grpAlt;
    QLabel *lblHAlt, *lblHAltm;
    TSpinEdit *edHomeAlt;
    QGroupBox *grpUnits;
    TRadioGroup *rgSpeed, *rgWeight, *rgTemp, *rgTime;
    QPushButton *btnUnits;

    QFrame *Panel3;
    TPhotoButton *imgDevice; TPhotoPrompt *lblDev1, *lblDev2, *lblDev3;
    QLabel *lbDevLink;
    QLabel *DBHTMLabel1;
    QPushButton *btnSend, *btnDelete, *btnClose;
    QProgressBar *ProgressBar1;
    QLabel *lblMonitor;
    QPlainTextEdit *moMonitor;

    QStatusBar *AdvOfficeStatusBar1;
    QLabel *AdvOfficeStatusBar1Text;  // the bar's single text

    QTimer *Timer1, *Timer2, *Timer3;
    TFileDialogSpec dlgOpen, dlgSave;
    QList<QPixmap> imgSex;      // 0 male, 1 female
    QList<QPixmap> ImageList1;  // wheel menu markers: 0 yellow, 1 blue
    QList<QPixmap> imgFlags;    // 0 en, 1 de, 2 fr, 3 it, 4 nl, 5 es, 6 unknown

    QStringList FLanguages;

    // ---- Device settings ----
    quint8 FLastWeightUnit = 0;

    // ---- Device link ----
    class TComPort *ComPort1 = nullptr;

    // ---- Port selection ----
    qint16 FComPortNo = 0;
    bool FAutoDetect = false;
    QString FLastPortName;

    // ---- Persistence, styles and placement ----
    quint8 FStyle = 0;
    TFormStyler AdvFormStyler1;          // the style in use and the parts that show it
    TFormSize *FormSize1 = nullptr;       // keeps the placement; a child object

    // ---- Localization ----
    // The translator starts with the built-in English and German texts, German active.
    TsiLang siLang_FTernuSetup;
    TsiLangDispatcher siLangDispatcher1{siLang_FTernuSetup};

    // ---- Start-up and lifecycle ----
    bool FStarting = false;
    QString FDataFolder;
    QString FIniFileName;
    // The computer's clock, read once for the time and the date together.
    std::function<QDateTime()> FClock = [] { return QDateTime::currentDateTime(); };

    // ---- Message strings (refreshed after every language change) ----
    QString strTOOLCAPTION, strSTRAUTO, strStrNOTEItSeemsThat, strStrTernuInterfaceDetet,
        strStrNoTernuInterfaceD, strStrNOTEYouCanAvoid, strStrTernuInterfaceDete,
        strStrHardwareDetection, strStrMaybeTernuIsNotI, strStrNoPongReceived,
        strStrSelectPredefinedVa, strStrDELETIONCONFIRMED, strStrSendingDatas, strStrDELETEDATAS,
        strStrClickToSeeMore, strStrClickToHide, strStrCAUTIONThisWillD, strStrNoDoNotDeleteMe,
        strStrYesDeleteMemory, strStrDoYouReallyWantT, strStrPleaseConfirmClear,
        strStrClearDeviceMemory;

    QList<QLabel *> FAutoSizeLabels;

    // ---- Further state ----
    const TWindowEnvironment FEnv;
    IDialogs &FDialogs;
    // The window lost the activation to another program, not to a window of the tool.
    bool FLeftForOtherProgram = false;
    TTaskDialogSpec TaskDialog1;
    bool FUnitToggle = false;
    quint8 FWheelTarget = 0;
    // The payload, its sum and the settings text, as BuildSettings made them last.
    TSettingsPayload FBuiltPayload;
    // A lap mode outside the list (from a settings text), kept while the list shows none.
    int FForeignLapMode = -1;
    class TDeviceExchange *FExchange = nullptr;
    class IExchangeView *FLinkView = nullptr;  // a child object of the window
    class TPortParts;  // bridge access, serial ports, device-change monitor
    TPortParts *FPortParts = nullptr;  // owned as a child object
    std::unique_ptr<TWidgetTranslationTarget> FTranslationTarget;
    class TToolkitTranslation *FToolkitTranslation = nullptr;  // a child object
    class TCalendarLanguage *FCalendarLanguage = nullptr;      // a child of dtpDate
};

template <class Fn>
bool TFTernuSetup::Guarded(Fn &&fn)
{
    return ::Guarded(FDialogs, this, std::forward<Fn>(fn));
}

template <class TSender, class TSignal, class TFn>
QMetaObject::Connection TFTernuSetup::ConnectGuarded(const TSender *sender, TSignal signal, TFn handler)
{
    const auto connectAs = [&]<class... TArgs>(TSlotParameters<TArgs...>) {
        return connect(sender, signal, this, [this, handler](TArgs... args) {
            Guarded([&] {
                if constexpr (std::is_member_function_pointer_v<TFn>)
                    (this->*handler)(args...);
                else
                    handler(args...);
            });
        });
    };
    return connectAs(typename TSlotParametersOf<TFn>::TParameters{});
}
