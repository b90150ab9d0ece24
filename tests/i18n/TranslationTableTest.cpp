#include "CommaText.h"
#include "TranslationTable.h"
#include "TsiLang.h"

#include <gtest/gtest.h>

namespace {

TEST(BuiltInTable, StartsWithEnglishAndGermanGermanActive)
{
    TsiLang lang;
    EXPECT_EQ(lang.LangNames(), QStringList({"English", "German"}));
    EXPECT_EQ(lang.ActiveLanguage(), 2);
    EXPECT_EQ(lang.Language(), "German");
}

TEST(BuiltInTable, HoldsEverySectionAsStored)
{
    TsiLang lang;
    const TranslationTable &t = lang.Table();
    EXPECT_EQ(t[stCaptions].size(), 43);
    EXPECT_EQ(t[stHints].size(), 1);
    EXPECT_EQ(t[stMultiLines].size(), 4);
    EXPECT_EQ(t[stDlgsCaptions].size(), 15);
    EXPECT_EQ(t[stStrings].size(), 22);
    EXPECT_EQ(t[stOtherStrings].size(), 3);
    for (TStringsType empty : {stDisplayLabels, stFonts, stLocales, stCollections, stCharSets,
                               stListView_TreeView_Items})
        EXPECT_TRUE(t[empty].isEmpty()) << StringsTypeName(empty).toStdString();

    // German letters and blanks survive the Windows-1252 form.
    const TranslationEntry &close = t[stCaptions][3];
    EXPECT_EQ(close.key, "btnClose");
    EXPECT_EQ(close.texts, QStringList({"&Close", "&Schließen"}));
    EXPECT_EQ(t[stCaptions][28].texts, QStringList({"  Click here to", "Mausklick zum"}));
    EXPECT_EQ(t[stMultiLines][3].key, "Memo1.Lines");
    EXPECT_EQ(CommaText::split(t[stMultiLines][3].text(2)).at(1),
              "Nachdem Sie die Werte angepaßt haben drücken Sie den Übertragen Button in der rechten ");
    // The dialog words carry German as language 1 and nothing for language 2.
    EXPECT_EQ(t[stDlgsCaptions][14].texts, QStringList({"A&lle Ja", ""}));
}

TEST(BuiltInTable, MessageStringsByIdInAnyCaseWithFallbacks)
{
    TsiLang lang;
    EXPECT_EQ(lang.GetTextOrDefault("strStrDELETEDATAS"), "DATEN LÖSCHEN...");
    EXPECT_EQ(lang.GetTextOrDefault("STRSTRdeletedatas"), "DATEN LÖSCHEN...");
    EXPECT_EQ(lang.GetTextOrDefault("strStrTernuInterfaceDetet"),
              "Ternu Interface erkannt aber möglicherweise ist ein falscher COMPort zugewiesen. ");
    EXPECT_EQ(lang.GetTextOrDefault("strTOOLCAPTION"), "Ternu Einstellungswerkzeug");
    EXPECT_EQ(lang.GetTextOrDefault("strNoSuchId"), "");
    EXPECT_EQ(lang.GetTextOrDefault(""), "");
    // Every id of the table is found through the sorted index.
    for (const TranslationEntry &e : lang.Table()[stStrings])
        EXPECT_EQ(lang.GetTextOrDefault(e.key.toLower()), e.text(2)) << e.key.toStdString();

    lang.SelectLanguage(1, "English");
    EXPECT_EQ(lang.GetTextOrDefault("strStrNoPongReceived"), "No Pong received!");
    EXPECT_EQ(lang.GetTextOrDefault("strSTRAUTO"), "AUTODETECT");
}

TEST(BuiltInTable, EmptyTextOfActiveLanguageFallsBackToLanguageOne)
{
    TsiLang lang;
    TranslationTable table;
    table[stStrings] = {{"strA", {"first", ""}}, {"strB", {"only"}}, {"strC", {"", "zwei"}}};
    lang.SetTable(table);
    EXPECT_EQ(lang.GetTextOrDefault("strA"), "first");
    EXPECT_EQ(lang.GetTextOrDefault("strB"), "only");
    EXPECT_EQ(lang.GetTextOrDefault("strC"), "zwei");
    lang.SelectLanguage(3, "c");
    EXPECT_EQ(lang.GetTextOrDefault("strC"), "");  // language 3 missing, language 1 empty
}

TEST(EntryLine, SplitsColumnsAndRestoresLineBreaks)
{
    struct Case {
        QString line;
        QString key;
        QStringList texts;
    } cases[] = {
        {"k\x01" "a\x01" "b\x01", "k", {"a", "b"}},
        {"k\x01" "a\x01" "b", "k", {"a", "b"}},  // final separator optional
        {"k\x01" "a\x01", "k", {"a"}},           // missing column reads empty
        {"k\x01\x01" "b\x01", "k", {"", "b"}},
        {"k", "k", {}},
        {"k\x01" "one\x19\x1Atwo\x01", "k", {"one\r\ntwo"}},
    };
    for (const Case &c : cases) {
        const TranslationEntry e = ParseEntryLine(c.line);
        EXPECT_EQ(e.key, c.key);
        EXPECT_EQ(e.texts, c.texts) << c.line.toStdString();
        EXPECT_EQ(e.text(2), c.texts.value(1));
    }
}

TEST(StoredForm, SectionLinesStartSectionsAndStrayLinesAreDropped)
{
    const QByteArray stored = "before\x01x\x01\r\n"
                              "stHints\r\n"
                              "imgA\x01H\xe4nde\x01\r\n"
                              "\r\n"
                              "stStrings\r\n"
                              "strX\x01" "1\x01" "2\x01\r\n";
    const TranslationTable t = TranslationTable::fromStoredForm(stored);
    EXPECT_TRUE(t[stCaptions].isEmpty());
    ASSERT_EQ(t[stHints].size(), 1);
    EXPECT_EQ(t[stHints][0].texts, QStringList({"Hände"}));
    ASSERT_EQ(t[stStrings].size(), 1);
    EXPECT_EQ(t[stStrings][0].key, "strX");
}

TEST(CommaText, SplitsAndJoinsListValues)
{
    struct Case {
        QString text;
        QStringList items;
        bool roundTrips;
    } cases[] = {
        {R"("Manual Mode","Auto Distance","Auto Time")", {"Manual Mode", "Auto Distance", "Auto Time"}, true},
        {"male,female", {"male", "female"}, true},
        {R"("say ""hi""",x)", {R"(say "hi")", "x"}, true},
        {R"("Nachdem rechten ",Ecke)", {"Nachdem rechten ", "Ecke"}, true},
        {"a,", {"a", ""}, false},  // a trailing comma adds one empty item
        {"a b , c", {"a", "b", "c"}, false},  // a bare item ends at a blank
        {"  ", {}, false},
        {"", {}, true},
        {R"("unterminated)", {"unterminated"}, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CommaText::split(c.text), c.items) << c.text.toStdString();
        if (c.roundTrips) {
            EXPECT_EQ(CommaText::join(c.items), c.text);
        }
    }
    EXPECT_EQ(CommaText::join({""}), R"("")");
}

// Text of a literal, embedded NULs included.
template <std::size_t N>
QString withNuls(const char16_t (&text)[N])
{
    return QString(reinterpret_cast<const QChar *>(text), N - 1);
}

TEST(CommaText, ControlCharactersSeparateLikeBlanks)
{
    struct Case {
        QString text;
        QStringList items;
    } cases[] = {
        {withNuls(u"m\u00e4nnlich,\0weiblich"), {"m\u00e4nnlich", "weiblich"}},
        {withNuls(u"a\0b"), {"a", "b"}},
        {withNuls(u"\0"), {}},
        {withNuls(u"\0,\0"), {""}},  // as " , "
        {withNuls(u"a,\x01\x1f b\x7f"), {"a", "b\x7f"}},  // DEL is part of an item
        {withNuls(u"\"a\0b\",c"), {withNuls(u"a\0b"), "c"}},  // quoted: kept as written
        {withNuls(u"\"\0"), {withNuls(u"\0")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(CommaText::split(c.text), c.items);
    }
    EXPECT_EQ(CommaText::split(CommaText::join({withNuls(u"x\0y"), ""})),
              QStringList({withNuls(u"x\0y"), ""}));
}

}  // namespace
