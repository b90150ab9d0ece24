#include "TsiLang.h"

#include "CommaText.h"
#include "TextCompare.h"
#include "TranslationTarget.h"

#include <QFile>

#include <algorithm>

using TextCompare::compareCaseless;
using TextCompare::sameText;

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
QString fixedProperty(TStringsType section)
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
bool splitTarget(TStringsType section, const QString &key, QString &control, QString &property)
{
    const qsizetype dot = key.indexOf(u'.');
    const QString fixed = fixedProperty(section);
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

bool containsCaseless(const QStringList &list, const QString &text)
{
    return list.contains(text, Qt::CaseInsensitive);
}

TranslationTable readBuiltInTable()
{
    QFile file(kBuiltInTable);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return TranslationTable::fromStoredForm(file.readAll());
}

}  // namespace

TsiLang::TsiLang()
{
    SetTable(readBuiltInTable());
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

void TsiLang::SetTable(const TranslationTable &table)
{
    FTable = table;
    CleanTable();
    RebuildIndex();
}

bool TsiLang::IsWindowName(const QString &control) const
{
    return sameText(control, kFormName) || sameText(control, kFormClassName);
}

bool TsiLang::IsExcluded(const QString &control, const QString &propertyPath) const
{
    const QStringList &excluded = ExcludedProperties();
    for (const QString &part : propertyPath.split(u'.')) {
        if (containsCaseless(excluded, part))
            return true;
    }
    if (sameText(propertyPath, QStringLiteral("Name")))
        return true;
    const QStringList &smart = SmartExcludeProps();
    if (containsCaseless(smart, control + u'.' + propertyPath))
        return true;
    // The window is listed under its class name; its object name means the same window.
    return IsWindowName(control) && containsCaseless(smart, kFormClassName + u'.' + propertyPath);
}

void TsiLang::CleanTable()
{
    const QStringList &excluded = ExcludedProperties();
    if (containsCaseless(excluded, QStringLiteral("Caption")))
        FTable[stCaptions].clear();
    if (containsCaseless(excluded, QStringLiteral("Hint")))
        FTable[stHints].clear();
    if (containsCaseless(excluded, QStringLiteral("DisplayLabel")))
        FTable[stDisplayLabels].clear();
    if (containsCaseless(excluded, QStringLiteral("Font"))) {
        FTable[stFonts].clear();
        FTable[stCharSets].clear();
    }
    if (containsCaseless(excluded, QStringLiteral("Charset")))
        FTable[stCharSets].clear();

    for (TStringsType section : {stCaptions, stHints, stDisplayLabels, stFonts, stCharSets,
                                 stMultiLines, stOtherStrings, stCollections}) {
        FTable[section].removeIf([&](const TranslationEntry &entry) {
            QString control, property;
            return splitTarget(section, entry.key, control, property) && IsExcluded(control, property);
        });
    }
}

void TsiLang::RebuildIndex()
{
    FIndex.clear();
    for (const TranslationEntry &entry : FTable[stStrings])
        FIndex.push_back({entry.key, entry.texts});
    std::stable_sort(FIndex.begin(), FIndex.end(), [](const IndexedString &a, const IndexedString &b) {
        return compareCaseless(a.id, b.id) < 0;
    });
}

QString TsiLang::GetTextOrDefault(const QString &id) const
{
    const auto it = std::lower_bound(FIndex.begin(), FIndex.end(), id,
                                     [](const IndexedString &item, const QString &key) {
                                         return compareCaseless(item.id, key) < 0;
                                     });
    if (it == FIndex.end() || compareCaseless(it->id, id) != 0)
        return QString();
    const TranslationEntry entry{it->id, it->texts};
    const QString text = entry.text(FActiveLanguage);
    return text.isEmpty() ? entry.text(1) : text;
}

void TsiLang::ApplyEntry(TStringsType section, const TranslationEntry &entry)
{
    QString control, property;
    if (!splitTarget(section, entry.key, control, property))
        return;
    const QString text = entry.text(FActiveLanguage);
    if (text.isEmpty())
        return;
    if (IsWindowName(control))
        control.clear();
    else if (!FTarget->hasControl(control))
        return;

    const auto kind = FTarget->propertyKind(control, property);
    try {
        if (section == stMultiLines) {
            if (kind != TranslationTarget::PropertyKind::Lines)
                return;
            if (CommaText::join(FTarget->lines(control, property)) != text)
                FTarget->replaceLinesInPlace(control, property, CommaText::split(text));
        } else {
            if (kind != TranslationTarget::PropertyKind::Text)
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
            for (const TranslationEntry &entry : FTable[section])
                ApplyEntry(section, entry);
        }
    }
    if (OnChangeLanguage)
        OnChangeLanguage();
}

void TsiLang::LoadFromFile(const LanguageFile &file)
{
    const QString delimiter = file.delimiter();
    const QChar separator(kLangDelim);
    TranslationTable table;

    for (int s = 0; s < kStringsTypeCount; ++s) {
        const auto section = static_cast<TStringsType>(s);
        QList<LanguageFile::KeyValue> lines = file.entries(kFileSectionNames[s]);
        std::stable_sort(lines.begin(), lines.end(), [](const auto &a, const auto &b) {
            return compareCaseless(a.key, b.key) < 0;
        });
        lines.erase(std::unique(lines.begin(), lines.end(),
                                [](const auto &a, const auto &b) { return compareCaseless(a.key, b.key) == 0; }),
                    lines.end());

        for (const LanguageFile::KeyValue &line : lines) {
            QString key;
            for (const QString &prefix : {kFormClassName, kFormName}) {
                if (line.key.startsWith(prefix + u'.', Qt::CaseInsensitive)) {
                    key = line.key.mid(prefix.size() + 1);
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
            if (!delimiter.isEmpty() && line.value.contains(delimiter)) {
                texts = line.value.split(delimiter);
                if (texts.size() > 1 && texts.last().isEmpty())
                    texts.removeLast();  // the usual final delimiter
            } else {
                texts = {line.value, line.value};  // one text for both languages
            }
            for (QString &text : texts)
                text = DecodeLineBreaks(text.remove(separator));

            TranslationEntry entry{key, texts};
            if (IsWindowName(key))
                table.sections[s].prepend(entry);
            else
                table.sections[s].append(entry);
        }
    }

    // A file without language names keeps the current ones: the columns are
    // still split by the delimiter and matched by position.
    const QStringList names = file.languageNames();
    if (!names.isEmpty())
        FLangNames = names;
    FExtended = file.entries(QStringLiteral("Extended"));

    SetTable(table);
    ApplyTranslations();
    if (FActiveLanguage <= FLangNames.size())
        FLanguage = FLangNames[FActiveLanguage - 1];
}
