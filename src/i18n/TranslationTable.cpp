#include "TranslationTable.h"

#include "Cp1252.h"

namespace {

constexpr std::array<const char *, kStringsTypeCount> kNames = {
    "stCaptions",   "stHints",        "stDisplayLabels", "stFonts",
    "stMultiLines", "stDlgsCaptions", "stStrings",       "stOtherStrings",
    "stLocales",    "stCollections",  "stCharSets",      "stListView_TreeView_Items",
};

}  // namespace

QString StringsTypeName(TStringsType type)
{
    return QString::fromLatin1(kNames[type]);
}

QString DecodeLineBreaks(QString text)
{
    text.replace(QChar(0x19), QChar(u'\r'));
    text.replace(QChar(0x1A), QChar(u'\n'));
    return text;
}

TTranslationEntry ParseEntryLine(const QString &line)
{
    QStringList parts = line.split(QChar(kLangDelim));
    TTranslationEntry entry;
    entry.Key = parts.takeFirst();
    // The final separator closes the last text rather than opening another one.
    if (parts.size() > 1 && parts.last().isEmpty())
        parts.removeLast();
    for (QString &part : parts)
        part = DecodeLineBreaks(part);
    entry.Texts = parts;
    return entry;
}

TTranslationTable TTranslationTable::FromStoredForm(const QByteArray &cp1252)
{
    TTranslationTable table;
    const QString text = Cp1252::ToUnicode(cp1252);
    int current = -1;  // lines before the first section line belong nowhere
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        bool isSectionLine = false;
        for (int s = 0; s < kStringsTypeCount; ++s) {
            if (line == QLatin1String(kNames[s])) {
                current = s;
                isSectionLine = true;
                break;
            }
        }
        if (!isSectionLine && current >= 0)
            table.Sections[current].append(ParseEntryLine(line));
    }
    return table;
}
