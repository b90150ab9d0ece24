// The window's persistence: the tool configuration file, settings files, the
// visual styles and the window placement.
#include "FormTernuSetup.h"

#include "Controls.h"
#include "FormSize.h"
#include "PortChoice.h"
#include "ProfileFile.h"
#include "SettingsFile.h"
#include "ToolConfig.h"
#include "TsiLangDispatcher.h"
#include "uWinstuff.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

void TFTernuSetup::ConnectPersistHandlers()
{
    FormSize1 = new TFormSize(this);
    FormSize1->setObjectName(QStringLiteral("FormSize1"));
    // A styled menu bar may be higher or lower than a plain one; the client area
    // below it keeps its designed height.
    const int clientHeight = height() - AdvMainMenu1->sizeHint().height();
    AdvFormStyler1.Attach({AdvPanel1, AdvMainMenu1, findChildren<QMenu *>(), AdvOfficeStatusBar1});
    setFixedSize(width(), AdvMainMenu1->sizeHint().height() + clientHeight);

    ConnectGuarded(mnuLoad, &QAction::triggered, &TFTernuSetup::mnuLoadClick);
    ConnectGuarded(mnuSave, &QAction::triggered, &TFTernuSetup::mnuSaveClick);
    ConnectGuarded(mnuLayout, &QMenu::aboutToShow, &TFTernuSetup::mnuLayoutClick);
    for (QAction *item : {mnuOfficeBlue, mnuOfficeSilver, mnuOfficeOlive, mnuOfficeClassic,
                          mnuOfficeLuna, mnuOfficeObsidian, mnuWindowsXP, mnuWhidbey,
                          mnuOffice2007Silver})
        ConnectGuarded(item, &QAction::triggered, [this, item] { mnuOfficeSilverClick(item); });
}

void TFTernuSetup::LoadToolConfig()
{
    const ToolConfig::TMiscValues misc = ToolConfig::ReadMisc(FIniFileName);
    FComPortNo = misc.ComPortNo;
    if (PortChoice::DetectsPort(FComPortNo))
        FAutoDetect = true;
    FStyle = misc.Style;
    RestoreLanguage(siLangDispatcher1, FEnv.ProgramFolder, misc.Language);
}

void TFTernuSetup::SaveToolConfig()
{
    // A port found by automatic detection is never stored as a fixed one.
    ToolConfig::WriteMisc(FIniFileName, FAutoDetect ? qint16(PortChoice::kDetect) : FComPortNo, FStyle,
                          GetLanguageName());
}

void TFTernuSetup::RestoreState()
{
    LoadToolConfig();
    RestorePlacement();
    RestorePortState();
    FLastPortName = ComComboBox->currentText();
    LoadSettings(QString());
    cboLapModeChange();
    UpdateSexImage();
    FLastWeightUnit = quint8(rgWeight->ItemIndex());
    try {
        ApplyStyle(FStyle);
    } catch (const std::exception &) {
        ApplyStyle(0);  // FStyle keeps the number read
    }
}

QString TFTernuSetup::ReadSettingsText(const QString &fileName)
{
    return SettingsFile::ReadSettingsText(fileName.isEmpty() ? FIniFileName : fileName);
}

void TFTernuSetup::SaveSettings(const QString &fileName)
{
    BuildSettings();
    SettingsFile::WriteSettingsText(fileName.isEmpty() ? FIniFileName : fileName, FBuiltPayload.Text);
}

void TFTernuSetup::LoadSettings(const QString &fileName)
{
    // A file without settings changes nothing; a text that cannot be applied
    // ends the load quietly with what was applied so far.
    try {
        const QString text = ReadSettingsText(fileName);
        if (!text.isEmpty())
            ApplySettingsText(text);
    } catch (const std::exception &) {
    }
}

QString TFTernuSetup::SettingsFolder() const
{
    return WithTrailingBackslash(FDataFolder) + QStringLiteral("Settings");
}

void TFTernuSetup::mnuLoadClick()
{
    const QString folder = SettingsFolder();
    QDir().mkpath(folder);
    dlgOpen.StartFolder = folder;
    QCoreApplication::processEvents();  // the menu closes and the window repaints first
    const QString file = FDialogs.GetOpenFileName(this, dlgOpen);
    if (file.isEmpty())
        return;
    LoadSettings(file);
    cboLapModeChange();
}

void TFTernuSetup::mnuSaveClick()
{
    const QString folder = SettingsFolder();
    QDir().mkpath(folder);
    dlgSave.StartFolder = folder;
    dlgSave.Filter = dlgOpen.Filter;  // always in the current language
    QCoreApplication::processEvents();
    const QString file = FDialogs.GetSaveFileName(this, dlgSave);
    if (file.isEmpty())
        return;
    SaveSettings(file);
}

void TFTernuSetup::mnuLayoutClick()
{
    for (QAction *item : mnuLayout->actions())
        item->setChecked(false);
    for (QAction *item : mnuLayout->actions())
        if (item->data().isValid() && item->data().toInt() == AdvFormStyler1.Style())
            item->setChecked(true);
}

void TFTernuSetup::mnuOfficeSilverClick(QAction *item)
{
    const int number = item->data().toInt();
    ApplyStyle(number);
    FStyle = quint8(number);
}

void TFTernuSetup::ApplyStyle(int number)
{
    AdvFormStyler1.SetStyle(number);
}

void TFTernuSetup::RestorePlacement()
{
    FormSize1->RestorePlacement();
}

void TFTernuSetup::SavePlacement()
{
    FormSize1->SavePlacement();
}
