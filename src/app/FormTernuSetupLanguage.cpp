// The window's languages: the translator and dispatcher wired to the controls,
// the message strings, the language box and its switch.
#include "FormTernuSetup.h"

#include "LanguageList.h"
#include "TextCompare.h"
#include "ToolkitTranslation.h"
#include "TsiLangDispatcher.h"
#include "WidgetTranslationTarget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QPainter>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolButton>

#include <utility>

namespace {

constexpr int kLangItemHeight = 15;

// Paints the entries of the language box through the window's draw handler.
class TLangItemDelegate : public QStyledItemDelegate {
public:
    explicit TLangItemDelegate(TFTernuSetup *window) : QStyledItemDelegate(window), FWindow(window) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        FWindow->cboLangDrawItem(painter, option, index);
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width() + 24, kLangItemHeight};
    }

private:
    TFTernuSetup *FWindow;
};

}  // namespace

void TFTernuSetup::ConnectLocalization()
{
    FTranslationTarget = std::make_unique<TWidgetTranslationTarget>(this);
    FTranslationTarget->AddTextField(QStringLiteral("dlgOpen"), QStringLiteral("Filter"), &dlgOpen.Filter);
    siLang_FTernuSetup.SetTarget(FTranslationTarget.get());
    siLang_FTernuSetup.OnChangeLanguage = [this] {
        AutoSizeLabels();  // labels take the size of their new texts
        siLang_FTernuSetupChangeLanguage();
    };

    cboLang->setItemDelegate(new TLangItemDelegate(this));
    cboLang->setIconSize(QSize(16, 11));
    ConnectGuarded(cboLang, &QComboBox::activated, &TFTernuSetup::cboLangChange);
}

void TFTernuSetup::LoadStartupLanguage()
{
    try {
        siLangDispatcher1.LoadLanguageFile(LanguageFilePath(FEnv.ProgramFolder, QStringLiteral("German")));
    } catch (const std::exception &) {
        // Without the file the window keeps its built-in texts.
    }
}

void TFTernuSetup::SelectCurrentLanguageItem()
{
    const QSignalBlocker noChange(cboLang);
    cboLang->setCurrentIndex(cboLang->findText(GetLanguageName(), Qt::MatchFixedString));
}

void TFTernuSetup::UpdateStrings()
{
    const TsiLang &lang = siLang_FTernuSetup;
    strTOOLCAPTION = lang.GetTextOrDefault(QStringLiteral("strTOOLCAPTION"));
    strSTRAUTO = lang.GetTextOrDefault(QStringLiteral("strSTRAUTO"));
    strStrNOTEItSeemsThat = lang.GetTextOrDefault(QStringLiteral("strStrNOTEItSeemsThat"));
    strStrTernuInterfaceDetet = lang.GetTextOrDefault(QStringLiteral("strStrTernuInterfaceDetet"));
    strStrNoTernuInterfaceD = lang.GetTextOrDefault(QStringLiteral("strStrNoTernuInterfaceD"));
    strStrNOTEYouCanAvoid = lang.GetTextOrDefault(QStringLiteral("strStrNOTEYouCanAvoid"));
    strStrTernuInterfaceDete = lang.GetTextOrDefault(QStringLiteral("strStrTernuInterfaceDete"));
    strStrHardwareDetection = lang.GetTextOrDefault(QStringLiteral("strStrHardwareDetection"));
    strStrMaybeTernuIsNotI = lang.GetTextOrDefault(QStringLiteral("strStrMaybeTernuIsNotI"));
    strStrNoPongReceived = lang.GetTextOrDefault(QStringLiteral("strStrNoPongReceived"));
    strStrSelectPredefinedVa = lang.GetTextOrDefault(QStringLiteral("strStrSelectPredefinedVa"));
    strStrDELETIONCONFIRMED = lang.GetTextOrDefault(QStringLiteral("strStrDELETIONCONFIRMED"));
    strStrSendingDatas = lang.GetTextOrDefault(QStringLiteral("strStrSendingDatas"));
    strStrDELETEDATAS = lang.GetTextOrDefault(QStringLiteral("strStrDELETEDATAS"));
    strStrClickToSeeMore = lang.GetTextOrDefault(QStringLiteral("strStrClickToSeeMore"));
    strStrClickToHide = lang.GetTextOrDefault(QStringLiteral("strStrClickToHide"));
    strStrCAUTIONThisWillD = lang.GetTextOrDefault(QStringLiteral("strStrCAUTIONThisWillD"));
    strStrNoDoNotDeleteMe = lang.GetTextOrDefault(QStringLiteral("strStrNoDoNotDeleteMe"));
    strStrYesDeleteMemory = lang.GetTextOrDefault(QStringLiteral("strStrYesDeleteMemory"));
    strStrDoYouReallyWantT = lang.GetTextOrDefault(QStringLiteral("strStrDoYouReallyWantT"));
    strStrPleaseConfirmClear = lang.GetTextOrDefault(QStringLiteral("strStrPleaseConfirmClear"));
    strStrClearDeviceMemory = lang.GetTextOrDefault(QStringLiteral("strStrClearDeviceMemory"));

    BuildComPortMenu();  // its first item shows strSTRAUTO
    btnWheel1->setToolTip(strStrSelectPredefinedVa);
    btnwheel2->setToolTip(btnWheel1->toolTip());
    UpdateAccessibleTexts();
    ApplyToolkitLanguage();
}

QString TFTernuSetup::MessageString(QStringView name) const
{
    static const std::pair<QStringView, QString TFTernuSetup::*> kMessages[] = {
        {u"strTOOLCAPTION", &TFTernuSetup::strTOOLCAPTION},
        {u"strSTRAUTO", &TFTernuSetup::strSTRAUTO},
        {u"strStrNOTEItSeemsThat", &TFTernuSetup::strStrNOTEItSeemsThat},
        {u"strStrTernuInterfaceDetet", &TFTernuSetup::strStrTernuInterfaceDetet},
        {u"strStrNoTernuInterfaceD", &TFTernuSetup::strStrNoTernuInterfaceD},
        {u"strStrNOTEYouCanAvoid", &TFTernuSetup::strStrNOTEYouCanAvoid},
        {u"strStrTernuInterfaceDete", &TFTernuSetup::strStrTernuInterfaceDete},
        {u"strStrHardwareDetection", &TFTernuSetup::strStrHardwareDetection},
        {u"strStrMaybeTernuIsNotI", &TFTernuSetup::strStrMaybeTernuIsNotI},
        {u"strStrNoPongReceived", &TFTernuSetup::strStrNoPongReceived},
        {u"strStrSelectPredefinedVa", &TFTernuSetup::strStrSelectPredefinedVa},
        {u"strStrDELETIONCONFIRMED", &TFTernuSetup::strStrDELETIONCONFIRMED},
        {u"strStrSendingDatas", &TFTernuSetup::strStrSendingDatas},
        {u"strStrDELETEDATAS", &TFTernuSetup::strStrDELETEDATAS},
        {u"strStrClickToSeeMore", &TFTernuSetup::strStrClickToSeeMore},
        {u"strStrClickToHide", &TFTernuSetup::strStrClickToHide},
        {u"strStrCAUTIONThisWillD", &TFTernuSetup::strStrCAUTIONThisWillD},
        {u"strStrNoDoNotDeleteMe", &TFTernuSetup::strStrNoDoNotDeleteMe},
        {u"strStrYesDeleteMemory", &TFTernuSetup::strStrYesDeleteMemory},
        {u"strStrDoYouReallyWantT", &TFTernuSetup::strStrDoYouReallyWantT},
        {u"strStrPleaseConfirmClear", &TFTernuSetup::strStrPleaseConfirmClear},
        {u"strStrClearDeviceMemory", &TFTernuSetup::strStrClearDeviceMemory},
    };
    for (const auto &[messageName, field] : kMessages)
        if (messageName == name)
            return this->*field;
    return QString();
}

void TFTernuSetup::ApplyToolkitLanguage()
{
    if (!FToolkitTranslation)
        FToolkitTranslation = new TToolkitTranslation(this);
    FToolkitTranslation->Apply(GetLanguageName());
    // The calendar names months and days in the language in use; the date field
    // itself keeps the system's short date format. The pop-up is made on first
    // use: made at start only to be named, it cost some 4 ms before the first paint.
    if (!FCalendarLanguage)
        FCalendarLanguage = new TCalendarLanguage(dtpDate);
    FCalendarLanguage->SetLocale(QLocale(FToolkitTranslation->LocaleName()));
}

QString TFTernuSetup::GetLanguageName() const
{
    return siLangDispatcher1.Language();
}

void TFTernuSetup::cboLangChange()
{
    // The controls change their texts unseen; the window is painted once at the end,
    // also when the switch fails.
    setUpdatesEnabled(false);
    const auto redraw = qScopeGuard([this] {
        ApplyToolkitLanguage();  // also after a failed switch: the language in use
        setUpdatesEnabled(true);
        repaint();
    });
    SwitchLanguage(siLangDispatcher1, FEnv.ProgramFolder, cboLang->currentText());
    UpdateCaption();
}

void TFTernuSetup::cboLangDrawItem(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const QRect rect = option.rect;
    const QPalette &palette = option.palette;
    painter->save();
    painter->fillRect(rect, palette.color(QPalette::Base));
    const QString name = index.data(Qt::DisplayRole).toString();
    painter->drawPixmap(rect.topLeft() + QPoint(2, 2), imgFlags.value(FlagIndexForLanguage(name)));
    painter->setPen(palette.color(QPalette::Text));
    painter->drawText(rect.adjusted(24, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
    painter->restore();
}

void TFTernuSetup::ScanLanguageFiles()
{
    for (const QString &name : ScanLanguageNames(LanguageFolder(FEnv.ProgramFolder))) {
        if (!FLanguages.contains(name, Qt::CaseInsensitive))
            FLanguages.append(name);
    }
    std::stable_sort(FLanguages.begin(), FLanguages.end(), [](const QString &a, const QString &b) {
        return TextCompare::CompareCaseless(a, b) < 0;
    });

    const QSignalBlocker noChange(cboLang);
    cboLang->clear();
    for (const QString &name : std::as_const(FLanguages))
        cboLang->addItem(QIcon(imgFlags.value(FlagIndexForLanguage(name))), name);
    cboLang->setCurrentIndex(-1);
}

void TFTernuSetup::siLang_FTernuSetupChangeLanguage()
{
    UpdateStrings();
}
