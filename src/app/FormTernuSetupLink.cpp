// The window's device link: the three device operations and the handlers of the
// serial port and of Timer2/Timer3. The exchange itself (frames, replies, timing)
// lives in TDeviceExchange; this file binds it to the controls.
#include "FormTernuSetup.h"

#include "Accessibility.h"
#include "ComPort.h"
#include "DeviceExchange.h"
#include "PhotoButton.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <utility>

namespace {

// The controls the exchange shows its state on.
struct TLinkControls {
    QLabel *LinkCaption;
    QPlainTextEdit *Monitor;
    QPushButton *Send, *Delete;
    QWidget *Photo;
    QProgressBar *Progress;
};

// The window as the exchange sees it: its controls, its message texts in the
// language in use, and the settings payload built from its fields.
class TWindowLinkView : public QObject, public IExchangeView {
public:
    TWindowLinkView(QObject *parent, const TLinkControls &controls,
                    std::function<QString(TLinkMessage)> messageText,
                    std::function<QByteArray()> buildSettings)
        : QObject(parent), FControls(controls), FMessageText(std::move(messageText)),
          FBuildSettings(std::move(buildSettings)), FLinkStateNews(controls.LinkCaption->text())
    {
    }
    ~TWindowLinkView() override { SetDefaultCursor(); }

    void SetLinkCaption(const QString &caption) override
    {
        FControls.LinkCaption->setText(caption);
        FControls.LinkCaption->adjustSize();
        if (FLinkStateNews.IsNews(caption))
            AnnounceLabelChange(FControls.LinkCaption);
    }
    void RepaintLinkCaption() override { FControls.LinkCaption->repaint(); }
    void AppendLog(const QString &line) override { FControls.Monitor->appendPlainText(line); }
    void SetDeviceControlsEnabled(bool enabled) override
    {
        if (enabled) {
            FControls.Send->setEnabled(true);
            FControls.Photo->setEnabled(true);
            FControls.Delete->setEnabled(true);
        } else {
            FControls.Send->setEnabled(false);
            FControls.Delete->setEnabled(false);
            FControls.Photo->setEnabled(false);
        }
    }
    void SetHourglassCursor() override
    {
        if (FBusy)
            return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        FBusy = true;
    }
    void SetDefaultCursor() override
    {
        if (!FBusy)
            return;
        QApplication::restoreOverrideCursor();
        FBusy = false;
    }
    void Beep() override { QApplication::beep(); }
    void SetProgress(int percent) override { FControls.Progress->setValue(percent); }
    QString MessageText(TLinkMessage message) const override { return FMessageText(message); }
    QByteArray BuildSettings() override { return FBuildSettings(); }

private:
    TLinkControls FControls;
    std::function<QString(TLinkMessage)> FMessageText;
    std::function<QByteArray()> FBuildSettings;
    bool FBusy = false;
    TLinkStateNews FLinkStateNews;
};

}  // namespace

void TFTernuSetup::ConnectDeviceLink()
{
    ComPort1 = new TComPort(QString(), this);
    ComPort1->setObjectName(QStringLiteral("ComPort1"));
    const auto messageText = [this](TLinkMessage message) {
        switch (message) {
        case TLinkMessage::SendingDatas: return strStrSendingDatas;
        case TLinkMessage::DeleteDatas: return strStrDELETEDATAS;
        case TLinkMessage::DeletionConfirmed: return strStrDELETIONCONFIRMED;
        case TLinkMessage::NoPongReceived: return strStrNoPongReceived;
        case TLinkMessage::MaybeNotInPcLinkMode: return strStrMaybeTernuIsNotI;
        }
        return QString();
    };
    const auto buildSettings = [this] {
        BuildSettings();
        return QByteArray(reinterpret_cast<const char *>(FBuiltPayload.Bytes.data()),
                          qsizetype(FBuiltPayload.Bytes.size()));
    };
    FLinkView = new TWindowLinkView(
        this, {lbDevLink, moMonitor, btnSend, btnDelete, imgDevice, ProgressBar1}, messageText, buildSettings);
    FExchange = new TDeviceExchange(*ComPort1, *FLinkView, *Timer2, *Timer3, this);

    // The handlers of the port and the timers never throw; the clicks report errors.
    connect(ComPort1, &TComPort::RxChar, this, [this](int count) { ComPort1RxChar(count); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    connect(imgDevice, &QAbstractButton::clicked, this, [this] { imgDeviceClick(); });
    for (TPhotoPrompt *prompt : {lblDev1, lblDev2, lblDev3})
        connect(prompt, &TPhotoPrompt::Clicked, this, [this] { imgDeviceClick(); });
    connect(btnSend, &QPushButton::clicked, this, [this] { btnSendClick(); });
    ConnectGuarded(btnDelete, &QPushButton::clicked, &TFTernuSetup::btnDeleteClick);
}

void TFTernuSetup::OpenComPort(const QString &name)
{
    ComPort1->SetPortsFolder(PortsFolder());
    FExchange->OpenComPort(name);
}

void TFTernuSetup::CloseComPort()
{
    FExchange->CloseComPort();
}

void TFTernuSetup::SendCommand()
{
    FExchange->SendCommand();
}

void TFTernuSetup::ComPort1RxChar(int count)
{
    FExchange->ComPort1RxChar(count);
}

void TFTernuSetup::Timer2Timer()
{
    FExchange->Timer2Timer();
}

void TFTernuSetup::Timer3Timer()
{
    FExchange->Timer3Timer();
}

void TFTernuSetup::RunDeviceOperation(quint8 operation)
{
    const bool started = Guarded([&] {
        ComPort1->SetPortsFolder(PortsFolder());
        FExchange->StartOperation(operation, ComComboBox->currentText());
    });
    // A failed open or write ends the exchange before it began: after the report the
    // window is usable again.
    if (!started)
        FExchange->RecoverAfterFailure();
}

void TFTernuSetup::imgDeviceClick()
{
    RunDeviceOperation(TOperationCode::ConnectionTest);
}

void TFTernuSetup::btnSendClick()
{
    RunDeviceOperation(TOperationCode::SettingsTransfer);
}

void TFTernuSetup::btnDeleteClick()
{
    TaskDialog1 = TTaskDialogSpec();
    TaskDialog1.Title = strStrClearDeviceMemory;
    TaskDialog1.Icon = TTaskDialogSpec::TIcon::Question;
    TaskDialog1.Instruction = strStrPleaseConfirmClear;
    TaskDialog1.Content = strStrDoYouReallyWantT;
    TaskDialog1.CustomButtons = {strStrYesDeleteMemory, strStrNoDoNotDeleteMe};
    TaskDialog1.DefaultButton = kClearMemoryNo;
    TaskDialog1.CommandLinks = true;
    TaskDialog1.ExpandedText = strStrCAUTIONThisWillD;
    TaskDialog1.ExpandControlText = strStrClickToHide;
    TaskDialog1.CollapseControlText = strStrClickToSeeMore;
    if (FDialogs.ShowTaskDialog(this, TaskDialog1) != kClearMemoryYes)
        return;
    // Let the dialog vanish and the window repaint before the blocking steps.
    QCoreApplication::processEvents();
    RunDeviceOperation(TOperationCode::ClearMemory);
}
