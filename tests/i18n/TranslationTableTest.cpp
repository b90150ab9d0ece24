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
    const TTranslationTable &t = lang.Table();
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
    const TTranslationEntry &close = t[stCaptions][3];
    EXPECT_EQ(close.Key, "btnClose");
    EXPECT_EQ(close.Texts, QStringList({"&Close", "&Schließen"}));
    EXPECT_EQ(t[stCaptions][28].Texts, QStringList({"  Click here to", "Mausklick zum"}));
    EXPECT_EQ(t[stMultiLines][3].Key, "Memo1.Lines");
    EXPECT_EQ(CommaText::Split(t[stMultiLines][3].Text(2)).at(1),
              "Nachdem Sie die Werte angepaßt haben drücken Sie den Übertragen Button in der rechten ");
    // The dialog words carry German as language 1 and nothing for language 2.
    EXPECT_EQ(t[stDlgsCaptions][14].Texts, QStringList({"A&lle Ja", ""}));
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
    for (const TTranslationEntry &e : lang.Table()[stStrings])
        EXPECT_EQ(lang.GetTextOrDefault(e.Key.toLower()), e.Text(2)) << e.Key.toStdString();

    lang.SelectLanguage(1, "English");
    EXPECT_EQ(lang.GetTextOrDefault("strStrNoPongReceived"), "No Pong received!");
    EXPECT_EQ(lang.GetTextOrDefault("strSTRAUTO"), "AUTODETECT");
}

TEST(BuiltInTable, EmptyTextOfActiveLanguageFallsBackToLanguageOne)
{
    TsiLang lang;
    TTranslationTable table;
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
    struct TCase {
        QString Line;
        QString Key;
        QStringList Texts;
    } cases[] = {
        {"k\x01" "a\x01" "b\x01", "k", {"a", "b"}},
        {"k\x01" "a\x01" "b", "k", {"a", "b"}},  // final separator optional
        {"k\x01" "a\x01", "k", {"a"}},           // missing column reads empty
        {"k\x01\x01" "b\x01", "k", {"", "b"}},
        {"k", "k", {}},
        {"k\x01" "one\x19\x1Atwo\x01", "k", {"one\r\ntwo"}},
    };
    for (const TCase &c : cases) {
        const TTranslationEntry e = ParseEntryLine(c.Line);
        EXPECT_EQ(e.Key, c.Key);
        EXPECT_EQ(e.Texts, c.Texts) << c.Line.toStdString();
        EXPECT_EQ(e.Text(2), c.Texts.value(1));
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
    const TTranslationTable t = TTranslationTable::FromStoredForm(stored);
    EXPECT_TRUE(t[stCaptions].isEmpty());
    ASSERT_EQ(t[stHints].size(), 1);
    EXPECT_EQ(t[stHints][0].Texts, QStringList({"Hände"}));
    ASSERT_EQ(t[stStrings].size(), 1);
    EXPECT_EQ(t[stStrings][0].Key, "strX");
}

TEST(CommaText, SplitsAndJoinsListValues)
{
    struct TCase {
        QString Text;
        QStringList Items;
        bool RoundTrips;
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
    for (const TCase &c : cases) {
        EXPECT_EQ(CommaText::Split(c.Text), c.Items) << c.Text.toStdString();
        if (c.RoundTrips) {
            EXPECT_EQ(CommaText::Join(c.Items), c.Text);
        }
    }
    EXPECT_EQ(CommaText::Join({""}), R"("")");
}

// Text of a literal, embedded NULs included.
template <std::size_t N>
QString WithNuls(const char16_t (&text)[N])
{
    return QString(reinterpret_cast<const QChar *>(text), N - 1);
}

TEST(CommaText, ControlCharactersSeparateLikeBlanks)
{
    struct TCase {
        QString Text;
        QStringList Items;
    } cases[] = {
        {WithNuls(u"m\u00e4nnlich,\0weiblich"), {"m\u00e4nnlich", "weiblich"}},
        {WithNuls(u"a\0b"), {"a", "b"}},
        {WithNuls(u"\0"), {}},
        {WithNuls(u"\0,\0"), {""}},  // as " , "
        {WithNuls(u"a,\x01\x1f b\x7f"), {"a", "b\x7f"}},  // DEL is part of an item
        {WithNuls(u"\"a\0b\",c"), {WithNuls(u"a\0b"), "c"}},  // quoted: kept as written
        {WithNuls(u"\"\0"), {WithNuls(u"\0")}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        EXPECT_EQ(CommaText::Split(c.Text), c.Items);
    }
    EXPECT_EQ(CommaText::Split(CommaText::Join({WithNuls(u"x\0y"), ""})),
              QStringList({WithNuls(u"x\0y"), ""}));
}

}  // namespace
