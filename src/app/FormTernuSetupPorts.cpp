// Port selection: the port list, detection of the PC-link interface, the COMPort
// submenu and the reaction to devices that come and go.
#include "FormTernuSetup.h"

#include "ComPort.h"
#include "DataFolder.h"
#include "DeviceChangeMonitor.h"
#include "PortChoice.h"
#include "PortList.h"
#include "PortNames.h"
#include "SystemBridgeLayer.h"
#include "uCP210x.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QSignalBlocker>

#include <limits>
#include <memory>

namespace {

constexpr int kAutoDetectTag = 255;

// Fills the "%d" marks of a message text one after the other.
QString FillNumbers(QString text, std::initializer_list<int> numbers)
{
    qsizetype from = 0;
    for (int n : numbers) {
        const qsizetype at = text.indexOf(QLatin1String("%d"), from);
        if (at < 0)
            break;
        const QString digits = QString::number(n);
        text.replace(at, 2, digits);
        from = at + digits.size();
    }
    return text;
}

}  // namespace

// What port selection needs besides the controls; a child of the window.
class TFTernuSetup::TPortParts : public QObject {
public:
    TPortParts(const TWindowEnvironment &env, const QString &portsFolder, QObject *parent)
        : QObject(parent)
    {
        if (!env.SerialPorts)
            OwnSerialPorts = std::make_unique<TSystemSerialPortSource>();
        SerialPorts = env.SerialPorts ? env.SerialPorts : OwnSerialPorts.get();
        if (!env.BridgeLayer)
            OwnBridgeLayer = std::make_unique<TSystemBridgeLayer>(*SerialPorts, portsFolder);
        Bridges = std::make_unique<TCP210x>(env.BridgeLayer ? *env.BridgeLayer : *OwnBridgeLayer);
        monitor = new TDeviceChangeMonitor({portsFolder, env.WatchSystemDevices}, this);
    }

    std::unique_ptr<ISerialPortSource> OwnSerialPorts;
    std::unique_ptr<IBridgeLayer> OwnBridgeLayer;
    ISerialPortSource *SerialPorts = nullptr;
    std::unique_ptr<TCP210x> Bridges;  // released before the layers it uses
    TDeviceChangeMonitor *monitor = nullptr;
};

QString TFTernuSetup::PortsFolder() const
{
    return DataFolder::PortsFolder(DataFolder::Path());
}

QString TFTernuSetup::LastOpenedPortName() const
{
    // The port keeps the name it was opened with last ("COM1" before the first open).
    return ComPort1 ? ComPort1->Port() : QStringLiteral("COM1");
}

void TFTernuSetup::CreatePortSelection()
{
    FPortParts = new TPortParts(FEnv, PortsFolder(), this);

    // At creation the first port is preferred.
    const QStringList names = PortList::CurrentEntries(*FPortParts->SerialPorts, PortsFolder());
    {
        const QSignalBlocker block(ComComboBox);
        ComComboBox->clear();
        ComComboBox->addItems(names);
        ComComboBox->setCurrentIndex(ComComboBox->findText(QStringLiteral("COM1"), Qt::MatchFixedString));
    }

    ConnectGuarded(FPortParts->monitor, &TDeviceChangeMonitor::Arrived, [this] { WMDeviceChange(kDeviceArrival); });
    ConnectGuarded(FPortParts->monitor, &TDeviceChangeMonitor::Removed, [this] { WMDeviceChange(kDeviceRemoval); });
    ConnectGuarded(mnuComport, &QMenu::aboutToShow, &TFTernuSetup::mnuComportClick);
}

void TFTernuSetup::RefreshPortList()
{
    const QStringList names = PortList::CurrentEntries(*FPortParts->SerialPorts, PortsFolder());
    const QSignalBlocker block(ComComboBox);
    ComComboBox->clear();
    ComComboBox->addItems(names);
    // The port opened last stays selected when it is still there.
    ComComboBox->setCurrentIndex(ComComboBox->findText(LastOpenedPortName(), Qt::MatchFixedString));
}

void TFTernuSetup::WMDeviceChange(int event)
{
    if (event == kDeviceArrival) {
        RefreshPortList();
        DetectInterface(false);
    } else if (event == kDeviceRemoval) {
        RefreshPortList();
        DetectInterface(true);
    }
}

void TFTernuSetup::DetectInterface(bool silent)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Also when a step throws: the layer is released, the cursor restored and the
    // menu rebuilt before the report.
    const auto finish = qScopeGuard([this] {
        FPortParts->Bridges->UnloadBridgeLibrary();
        QGuiApplication::restoreOverrideCursor();
        BuildComPortMenu();
    });
    if (FPortParts->Bridges->BridgePresent()) {
        const int p = FPortParts->Bridges->FindInterfacePort();
        AssignComPort(p);
        const bool changed = ComComboBox->currentText() != FLastPortName;
        // Taken before the notice: a device change handled while it is open
        // must not see the same change again.
        FLastPortName = ComComboBox->currentText();
        if (p != PortChoice::kNoInterface && !FStarting && !silent && changed)
            ShowInterfaceDetected();
    }
}

void TFTernuSetup::AssignComPort(int n)
{
    AdvOfficeStatusBar1Text->setText(strStrNoTernuInterfaceD);
    // The stored number is 16 bits wide; a larger number names no port we can keep.
    if (n < 0 || n > std::numeric_limits<qint16>::max())
        return;
    const int index = ComComboBox->findText(PortNames::ComName(n), Qt::MatchFixedString);
    if (index < 0)
        return;
    AdvOfficeStatusBar1Text->setText(strStrTernuInterfaceDete + QStringLiteral(" (%1)").arg(n));
    FComPortNo = static_cast<qint16>(n);
    ComComboBox->setCurrentIndex(index);
}

void TFTernuSetup::BuildComPortMenu()
{
    AdvMainMenu1->setUpdatesEnabled(false);
    // An item may be rebuilding its own menu from its click handler, so the old
    // items go once the event loop is back.
    for (QAction *item : mnuComport->actions()) {
        mnuComport->removeAction(item);
        item->setObjectName(QString());
        item->deleteLater();
    }

    const auto addItem = [this](const QString &caption, int position, int tag) {
        QAction *item = mnuComport->addAction(caption);
        item->setObjectName(QStringLiteral("mnu%1").arg(position));
        item->setData(tag);
        item->setCheckable(true);
        ConnectGuarded(item, &QAction::triggered, [this, item] { ComPortMenuItemClick(item); });
        return item;
    };
    QAction *autoItem = addItem(strSTRAUTO, 0, kAutoDetectTag);
    for (int i = 0; i < ComComboBox->count(); ++i)
        addItem(ComComboBox->itemText(i), i + 1, 0);

    QFont bold = autoItem->font();
    bold.setBold(true);
    autoItem->setFont(bold);
    mnuComport->setDefaultAction(autoItem);

    AdvMainMenu1->setUpdatesEnabled(true);
    AdvMainMenu1->update();
}

void TFTernuSetup::ComPortMenuItemClick(QAction *item)
{
    if (!item)
        return;
    QString name;
    if (item->data().toInt() == kAutoDetectTag) {
        FAutoDetect = true;
        DetectInterface(true);
    } else {
        name = item->text().remove(QLatin1Char('&'));
        FAutoDetect = false;
    }
    if (!name.isEmpty()) {
        const int index = ComComboBox->findText(name, Qt::MatchFixedString);
        if (index >= 0)
            ComComboBox->setCurrentIndex(index);
    }
    // Without a selected COM port there is nothing to assign; the selection and the
    // status bar stay as the detection left them.
    const int n = PortNames::NumberFromName(ComComboBox->currentText());
    if (n >= 0)
        AssignComPort(n);
}

void TFTernuSetup::mnuComportClick()
{
    const QList<QAction *> items = mnuComport->actions();
    if (FAutoDetect) {
        for (QAction *item : items)
            item->setChecked(item->data().toInt() == kAutoDetectTag);
        return;
    }
    const QString assigned = PortNames::ComName(FComPortNo);
    for (QAction *item : items)
        item->setChecked(item->text().remove(QLatin1Char('&')) == assigned);
}

void TFTernuSetup::RestorePortState()
{
    if (PortChoice::DetectsPort(FComPortNo)) {
        DetectInterface(false);
    } else {
        if (FPortParts->Bridges->BridgePresent()) {
            const int p = FPortParts->Bridges->FindInterfacePort();
            if (p != PortChoice::kNoInterface && static_cast<qint16>(p) != FComPortNo)
                ShowPortMismatch(p, FComPortNo);
        }
        // The stored port stays assigned even when the interface is elsewhere.
        AssignComPort(FComPortNo);
        BuildComPortMenu();
    }
    FLastPortName = ComComboBox->currentText();
}

void TFTernuSetup::ShowInterfaceDetected()
{
    TaskDialog1 = TTaskDialogSpec();
    TaskDialog1.Title = strStrHardwareDetection;
    TaskDialog1.Instruction = strStrTernuInterfaceDete;
    TaskDialog1.Content = strStrNOTEYouCanAvoid;
    TaskDialog1.Icon = TTaskDialogSpec::TIcon::Information;
    TaskDialog1.CommonButtons = TTaskDialogSpec::OkButton;
    FDialogs.ShowTaskDialog(this, TaskDialog1);
}

void TFTernuSetup::ShowPortMismatch(int detected, int assigned)
{
    TaskDialog1 = TTaskDialogSpec();
    TaskDialog1.Title = strStrHardwareDetection;
    TaskDialog1.Instruction = strStrTernuInterfaceDetet;
    TaskDialog1.Content = FillNumbers(strStrNOTEItSeemsThat, {detected, assigned});
    TaskDialog1.Icon = TTaskDialogSpec::TIcon::Information;
    TaskDialog1.CommonButtons = TTaskDialogSpec::OkButton;
    FDialogs.ShowTaskDialog(this, TaskDialog1);
}
