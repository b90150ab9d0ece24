#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The sections of the translation table, in the order of their numbers.
enum TStringsType {
    stCaptions = 0,
    stHints,
    stDisplayLabels,
    stFonts,
    stMultiLines,
    stDlgsCaptions,
    stStrings,
    stOtherStrings,
    stLocales,
    stCollections,
    stCharSets,
    stListView_TreeView_Items,
};
constexpr int kStringsTypeCount = 12;

// "stCaptions", "stHints", ...: the section lines of the stored table.
QString StringsTypeName(TStringsType type);

// One entry: a key (control name, "control.Property" or string id) and one text per
// language; texts()[k - 1] belongs to language k. A missing column reads as empty.
struct TTranslationEntry {
    QString Key;
    QStringList Texts;

    QString Text(int language) const
    {
        return language >= 1 && language <= Texts.size() ? Texts[language - 1] : QString();
    }
};

using TTranslationSection = QList<TTranslationEntry>;

// The separator between the key and the texts of one stored entry.
constexpr char16_t kLangDelim = 0x01;

// An entry line: key, then per language the separator and its text; a final
// separator is optional. Bytes 0x19 and 0x1A inside a text stand for CR and LF.
TTranslationEntry ParseEntryLine(const QString &line);
QString DecodeLineBreaks(QString text);

struct TTranslationTable {
    std::array<TTranslationSection, kStringsTypeCount> Sections;

    TTranslationSection &operator[](TStringsType type) { return Sections[type]; }
    const TTranslationSection &operator[](TStringsType type) const { return Sections[type]; }

    // The stored form: Windows-1252 lines separated by CR LF; a line equal to a
    // section name starts that section, each following line is one of its entries.
    static TTranslationTable FromStoredForm(const QByteArray &cp1252);
};
