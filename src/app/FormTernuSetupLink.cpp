// The window's device link: the three device operations and the handlers of the
// serial port and of Timer2/Timer3. The exchange itself (frames, replies, timing)
// lives in TDeviceExchange; this file binds it to the controls.
#include "FormTernuSetup.h"

#include "Accessibility.h"
#include "ComPort.h"
#include "Controls.h"
#include "DeviceExchange.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

// The window as the exchange sees it.
class TWindowLinkView : public QObject, public IExchangeView {
public:
    explicit TWindowLinkView(TFTernuSetup &form)
        : QObject(&form), FForm(form), FLinkStateNews(form.lbDevLink->text())
    {
    }
    ~TWindowLinkView() override { SetDefaultCursor(); }

    void SetLinkCaption(const QString &caption) override
    {
        FForm.lbDevLink->setText(caption);
        FForm.lbDevLink->adjustSize();
        if (FLinkStateNews.IsNews(caption))
            AnnounceLabelChange(FForm.lbDevLink);
    }
    void RepaintLinkCaption() override { FForm.lbDevLink->repaint(); }
    void AppendLog(const QString &line) override { FForm.moMonitor->appendPlainText(line); }
    void SetDeviceControlsEnabled(bool enabled) override
    {
        if (enabled) {
            FForm.btnSend->setEnabled(true);
            FForm.imgDevice->setEnabled(true);
            FForm.btnDelete->setEnabled(true);
        } else {
            FForm.btnSend->setEnabled(false);
            FForm.btnDelete->setEnabled(false);
            FForm.imgDevice->setEnabled(false);
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
    void SetProgress(int percent) override { FForm.ProgressBar1->setValue(percent); }
    QString MessageText(TLinkMessage message) const override
    {
        switch (message) {
        case TLinkMessage::SendingDatas: return FForm.strStrSendingDatas;
        case TLinkMessage::DeleteDatas: return FForm.strStrDELETEDATAS;
        case TLinkMessage::DeletionConfirmed: return FForm.strStrDELETIONCONFIRMED;
        case TLinkMessage::NoPongReceived: return FForm.strStrNoPongReceived;
        case TLinkMessage::MaybeNotInPcLinkMode: return FForm.strStrMaybeTernuIsNotI;
        }
        return {};
    }
    QByteArray BuildSettings() override
    {
        FForm.BuildSettings();
        return QByteArray(reinterpret_cast<const char *>(FForm.FPayload.data()),
                          qsizetype(FForm.FPayload.size()));
    }

private:
    TFTernuSetup &FForm;
    bool FBusy = false;
    TLinkStateNews FLinkStateNews;
};

}  // namespace

void TFTernuSetup::ConnectDeviceLink()
{
    ComPort1 = new TComPort(QString(), this);
    ComPort1->setObjectName(QStringLiteral("ComPort1"));
    FLinkView = new TWindowLinkView(*this);
    FExchange = new TDeviceExchange(*ComPort1, *FLinkView, *Timer2, *Timer3, this);

    // The handlers of the port and the timers never throw; the clicks report errors.
    connect(ComPort1, &TComPort::RxChar, this, [this](int count) { ComPort1RxChar(count); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    for (TClickLabel *control : {imgDevice, lblDev1, lblDev2, lblDev3})
        connect(control, &TClickLabel::clicked, this, [this] { imgDeviceClick(); });
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
    TaskDialog1 = TaskDialogSpec();
    TaskDialog1.title = strStrClearDeviceMemory;
    TaskDialog1.icon = TaskDialogSpec::Icon::Question;
    TaskDialog1.instruction = strStrPleaseConfirmClear;
    TaskDialog1.content = strStrDoYouReallyWantT;
    TaskDialog1.customButtons = {strStrYesDeleteMemory, strStrNoDoNotDeleteMe};
    TaskDialog1.defaultButton = kClearMemoryNo;
    TaskDialog1.commandLinks = true;
    TaskDialog1.expandedText = strStrCAUTIONThisWillD;
    TaskDialog1.expandControlText = strStrClickToHide;
    TaskDialog1.collapseControlText = strStrClickToSeeMore;
    if (FDialogs.showTaskDialog(this, TaskDialog1) != kClearMemoryYes)
        return;
    // Let the dialog vanish and the window repaint before the blocking steps.
    QCoreApplication::processEvents();
    RunDeviceOperation(TOperationCode::ClearMemory);
}
