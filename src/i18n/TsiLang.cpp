#include "TsiLang.h"

#include "CommaText.h"
#include "TextCompare.h"
#include "TranslationTarget.h"

#include <QFile>

#include <algorithm>

using TextCompare::CompareCaseless;
using TextCompare::SameText;

namespace {

const QString kBuiltInTable = QStringLiteral(":/i18n/TranslationData.dat");

// Names of the table sections in a language file, by section number.
const std::array<QString, kStringsTypeCount> kFileSectionNames = {
    QStringLiteral("Captions"),    QStringLiteral("Hints"),
    QStringLiteral("DisplayLabels"), QStringLiteral("Fonts"),
    QStringLiteral("Multilines"),  QStringLiteral("Dialogs"),
    QStringLiteral("Strings"),     QStringLiteral("Other"),
    QStringLiteral("Locales"),     QStringLiteral("Collections"),
    QStringLiteral("CharSets"),    QStringLiteral("ListView_TreeView_Items"),
};

// The property a section translates when its key is a bare control name.
QString FixedProperty(TStringsType section)
{
    switch (section) {
    case stCaptions: return QStringLiteral("Caption");
    case stHints: return QStringLiteral("Hint");
    case stDisplayLabels: return QStringLiteral("DisplayLabel");
    case stFonts: return QStringLiteral("Font");
    case stCharSets: return QStringLiteral("CharSet");
    default: return QString();
    }
}

// Control name and property path of an entry; false when the key names no property.
bool SplitTarget(TStringsType section, const QString &key, QString &control, QString &property)
{
    const qsizetype dot = key.indexOf(u'.');
    const QString fixed = FixedProperty(section);
    if (!fixed.isEmpty()) {
        control = dot < 0 ? key : key.left(dot);
        property = fixed;
        return true;
    }
    if (dot < 0)
        return false;
    control = key.left(dot);
    property = key.mid(dot + 1);
    return !property.isEmpty();
}

bool ContainsCaseless(const QStringList &list, const QString &text)
{
    return list.contains(text, Qt::CaseInsensitive);
}

TTranslationTable ReadBuiltInTable()
{
    QFile file(kBuiltInTable);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return TTranslationTable::FromStoredForm(file.readAll());
}

}  // namespace

TsiLang::TsiLang()
{
    SetTable(ReadBuiltInTable());
}

const QStringList &TsiLang::ExcludedProperties()
{
    static const QStringList list = {
        "Category", "SecondaryShortCuts", "HelpKeyword", "InitialDir", "HelpKeyword",
        "ActivePage", "ImeName", "DefaultExt", "FileName", "FieldName", "PickList",
        "DisplayFormat", "EditMask", "KeyList", "LookupDisplayFields", "DropDownSpecRow",
        "TableName", "DatabaseName", "IndexName", "MasterFields", "Font", "Version",
        "Format", "Port",
    };
    return list;
}

const QStringList &TsiLang::SmartExcludeProps()
{
    // Unit labels, wheel-size presets, unit and sample-rate choices, status bar,
    // style menu and the window caption keep their texts in every language.
    static const QStringList list = {
        "lbKG.Caption", "lblkm1.Caption", "lblmm1.Caption", "lblkm2.Caption",
        "lblmm2.Caption", "lblTime2.Caption", "lblLapMode.Caption", "lnlHFU2.Caption",
        "lnlHFL2.Caption", "lblHAltm.Caption", "N700x20c1.Caption", "N700x23c1.Caption",
        "N700x25c1.Caption", "N700x28c1.Caption", "N700x32c1.Caption", "N700x35c1.Caption",
        "N700x38c1.Caption", "N650x23c1.Caption", "N26x151.Caption", "N26x1901.Caption",
        "N26x1951.Caption", "N26x201.Caption", "N26x211.Caption", "N26x221.Caption",
        "ComComboBox.Text", "rgSpeed.Items", "rgWeight.Items", "rgTemp.Items",
        "rgTime.Items", "grpSampleRate.Items", "AdvOfficeStatusBar1.Panels",
        "mnuOfficeBlue.Caption", "mnuOfficeSilver.Caption", "mnuOfficeOlive.Caption",
        "mnuOfficeClassic.Caption", "mnuOfficeLuna.Caption", "mnuOfficeObsidian.Caption",
        "mnuWindowsXP.Caption", "mnuWhidbey.Caption", "mnuOffice2007Silver.Caption",
        "siLangCombo1.LanguageInfos", "FormSize1.SaveKey", "FormSize1.SaveName",
        "TFTernuSetup.Caption",
    };
    return list;
}

void TsiLang::SelectLanguage(int index, const QString &name)
{
    FActiveLanguage = index;
    FLanguage = name;
}

void TsiLang::SetTable(const TTranslationTable &table)
{
    FTable = table;
    CleanTable();
    RebuildIndex();
}

bool TsiLang::IsWindowName(const QString &control) const
{
    return SameText(control, kFormName) || SameText(control, kFormClassName);
}

bool TsiLang::IsExcluded(const QString &control, const QString &propertyPath) const
{
    const QStringList &excluded = ExcludedProperties();
    for (const QString &part : propertyPath.split(u'.')) {
        if (ContainsCaseless(excluded, part))
            return true;
    }
    if (SameText(propertyPath, QStringLiteral("Name")))
        return true;
    const QStringList &smart = SmartExcludeProps();
    if (ContainsCaseless(smart, control + u'.' + propertyPath))
        return true;
    // The window is listed under its class name; its object name means the same window.
    return IsWindowName(control) && ContainsCaseless(smart, kFormClassName + u'.' + propertyPath);
}

void TsiLang::CleanTable()
{
    const QStringList &excluded = ExcludedProperties();
    if (ContainsCaseless(excluded, QStringLiteral("Caption")))
        FTable[stCaptions].clear();
    if (ContainsCaseless(excluded, QStringLiteral("Hint")))
        FTable[stHints].clear();
    if (ContainsCaseless(excluded, QStringLiteral("DisplayLabel")))
        FTable[stDisplayLabels].clear();
    if (ContainsCaseless(excluded, QStringLiteral("Font"))) {
        FTable[stFonts].clear();
        FTable[stCharSets].clear();
    }
    if (ContainsCaseless(excluded, QStringLiteral("Charset")))
        FTable[stCharSets].clear();

    for (TStringsType section : {stCaptions, stHints, stDisplayLabels, stFonts, stCharSets,
                                 stMultiLines, stOtherStrings, stCollections}) {
        FTable[section].removeIf([&](const TTranslationEntry &entry) {
            QString control, property;
            return SplitTarget(section, entry.Key, control, property) && IsExcluded(control, property);
        });
    }
}

void TsiLang::RebuildIndex()
{
    FIndex.clear();
    for (const TTranslationEntry &entry : FTable[stStrings])
        FIndex.push_back({entry.Key, entry.Texts});
    std::stable_sort(FIndex.begin(), FIndex.end(), [](const TIndexedString &a, const TIndexedString &b) {
        return CompareCaseless(a.Id, b.Id) < 0;
    });
}

QString TsiLang::GetTextOrDefault(const QString &id) const
{
    const auto it = std::lower_bound(FIndex.begin(), FIndex.end(), id,
                                     [](const TIndexedString &item, const QString &key) {
                                         return CompareCaseless(item.Id, key) < 0;
                                     });
    if (it == FIndex.end() || CompareCaseless(it->Id, id) != 0)
        return QString();
    const TTranslationEntry entry{it->Id, it->Texts};
    const QString text = entry.Text(FActiveLanguage);
    return text.isEmpty() ? entry.Text(1) : text;
}

void TsiLang::ApplyEntry(TStringsType section, const TTranslationEntry &entry)
{
    QString control, property;
    if (!SplitTarget(section, entry.Key, control, property))
        return;
    const QString text = entry.Text(FActiveLanguage);
    if (text.isEmpty())
        return;
    if (IsWindowName(control))
        control.clear();
    else if (!FTarget->HasControl(control))
        return;

    const auto kind = FTarget->PropertyKind(control, property);
    try {
        if (section == stMultiLines) {
            if (kind != TTranslationTarget::TPropertyKind::Lines)
                return;
            if (CommaText::Join(FTarget->Lines(control, property)) != text)
                FTarget->ReplaceLinesInPlace(control, property, CommaText::Split(text));
        } else {
            if (kind != TTranslationTarget::TPropertyKind::Text)
                return;
            if (FTarget->text(control, property) != text)
                FTarget->setText(control, property, text);
        }
    } catch (...) {
        // One control refusing a text must not stop the others from changing.
    }
}

void TsiLang::ApplyTranslations()
{
    if (FTarget) {
        // Locales stay as they are: switching number and date formats is off.
        for (TStringsType section : {stCaptions, stHints, stDisplayLabels, stFonts, stMultiLines,
                                     stOtherStrings, stCollections}) {
            for (const TTranslationEntry &entry : FTable[section])
                ApplyEntry(section, entry);
        }
    }
    if (OnChangeLanguage)
        OnChangeLanguage();
}

void TsiLang::LoadFromFile(const TLanguageFile &file)
{
    const QString delimiter = file.Delimiter();
    const QChar separator(kLangDelim);
    TTranslationTable table;

    for (int s = 0; s < kStringsTypeCount; ++s) {
        const auto section = static_cast<TStringsType>(s);
        QList<TLanguageFile::TKeyValue> lines = file.Entries(kFileSectionNames[s]);
        std::stable_sort(lines.begin(), lines.end(), [](const auto &a, const auto &b) {
            return CompareCaseless(a.Key, b.Key) < 0;
        });
        lines.erase(std::unique(lines.begin(), lines.end(),
                                [](const auto &a, const auto &b) { return CompareCaseless(a.Key, b.Key) == 0; }),
                    lines.end());

        for (const TLanguageFile::TKeyValue &line : lines) {
            QString key;
            for (const QString &prefix : {kFormClassName, kFormName}) {
                if (line.Key.startsWith(prefix + u'.', Qt::CaseInsensitive)) {
                    key = line.Key.mid(prefix.size() + 1);
                    break;
                }
            }
            if (key.isEmpty())
                continue;
            if (section == stCollections || section == stListView_TreeView_Items) {
                const qsizetype open = key.indexOf(u'-');
                if (open >= 0)
                    key[open] = u'[';
                const qsizetype close = key.indexOf(u'+');
                if (close >= 0)
                    key[close] = u']';
            }

            QStringList texts;
            if (!delimiter.isEmpty() && line.Value.contains(delimiter)) {
                texts = line.Value.split(delimiter);
                if (texts.size() > 1 && texts.last().isEmpty())
                    texts.removeLast();  // the usual final delimiter
            } else {
                texts = {line.Value, line.Value};  // one text for both languages
            }
            for (QString &text : texts)
                text = DecodeLineBreaks(text.remove(separator));

            TTranslationEntry entry{key, texts};
            if (IsWindowName(key))
                table.Sections[s].prepend(entry);
            else
                table.Sections[s].append(entry);
        }
    }

    // A file without language names keeps the current ones: the columns are
    // still split by the delimiter and matched by position.
    const QStringList names = file.LanguageNames();
    if (!names.isEmpty())
        FLangNames = names;
    FExtended = file.Entries(QStringLiteral("Extended"));

    SetTable(table);
    ApplyTranslations();
    if (FActiveLanguage <= FLangNames.size())
        FLanguage = FLangNames[FActiveLanguage - 1];
}
