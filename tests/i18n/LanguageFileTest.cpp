#include "Cp1252.h"
#include "FakeTarget.h"
#include "LanguageErrors.h"
#include "LanguageFile.h"
#include "TsiLang.h"
#include "TsiLangDispatcher.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray kNames = "[Language names - for internal use only!]\r\nLanguage_1=English\r\nLanguage_2=German\r\n";

QStringList KeysOf(const TsiLang &lang, TStringsType section)
{
    QStringList keys;
    for (const TTranslationEntry &e : lang.Table()[section])
        keys.append(e.Key);
    return keys;
}

// Loads file bytes into a fresh translator (German active) and returns it.
struct TLoaded {
    TsiLang Lang;
    explicit TLoaded(const QByteArray &bytes) { Lang.LoadFromFile(TLanguageFile::Parse(bytes)); }
    QString Text(TStringsType s, const QString &key, int language) const
    {
        for (const TTranslationEntry &e : Lang.Table()[s])
            if (e.Key == key)
                return e.Text(language);
        return "<missing>";
    }
};

TEST(LanguageFileLoad, FormatCases)
{
    struct TCase {
        const char *Name;
        QByteArray Bytes;
        TStringsType Section;
        QString Key;
        QString English;
        QString German;
    } cases[] = {
        {"default delimiter, class prefix", kNames + "[Captions]\r\nTFTernuSetup.btnClose=&Close~!@#&Schlie\xdf" "en~!@#\r\n",
         stCaptions, "btnClose", "&Close", "&Schließen"},
        {"sections and prefixes in any case, LF only", kNames + "[cAPTIONS]\nftERNUSETUP.btnClose=a~!@#b~!@#\n",
         stCaptions, "btnClose", "a", "b"},
        {"long delimiter, CR only", "[options]\rdelimiter=<-->\r" + kNames + "[Strings]\rTFTernuSetup.strX=one<-->two<-->\r",
         stStrings, "strX", "one", "two"},
        {"no final delimiter", kNames + "[Strings]\r\nTFTernuSetup.strX=one~!@#two\r\n", stStrings, "strX", "one", "two"},
        {"no delimiter: one text for both", kNames + "[Strings]\r\nTFTernuSetup.strX=plain text\r\n",
         stStrings, "strX", "plain text", "plain text"},
        {"line breaks as 0x19 0x1A", kNames + "[Strings]\r\nTFTernuSetup.strX=a\x19\x1A" "b~!@#c~!@#\r\n",
         stStrings, "strX", "a\r\nb", "c"},
        {"collection brackets", kNames + "[Collections]\r\nTFTernuSetup.Bar.Panels-0+.Text=x~!@#y~!@#\r\n",
         stCollections, "Bar.Panels[0].Text", "x", "y"},
        {"key taken as written, blanks kept", kNames + "[Captions]\r\nTFTernuSetup.lblDev2=   test~!@#   Testen ~!@#\r\n",
         stCaptions, "lblDev2", "   test", "   Testen "},
        {"duplicate key: first one wins", kNames + "[Strings]\r\nTFTernuSetup.strX=1~!@#1~!@#\r\nTFTernuSetup.STRX=2~!@#2~!@#\r\n",
         stStrings, "strX", "1", "1"},
        {"one column only", kNames + "[Strings]\r\nTFTernuSetup.strX=only~!@#\r\n", stStrings, "strX", "only", ""},
        {"UTF-8 file", "\xEF\xBB\xBF[OPTIONS]\r\nIsUTF8File=1\r\n" + kNames + "[Strings]\r\nTFTernuSetup.strX=caf\xC3\xA9~!@#\xC3\xA7\xE2\x82\xAC~!@#\r\n",
         stStrings, "strX", "café", "ç€"},
        {"Windows-1252 file", kNames + "[Strings]\r\nTFTernuSetup.strX=caf\xe9~!@#\xe7\x80~!@#\r\n",
         stStrings, "strX", "café", "ç€"},
        {"invalid UTF-8 under IsUTF8File", "[OPTIONS]\nIsUTF8File=1\n" + kNames + "[Strings]\nTFTernuSetup.strX=a\xff\xfe~!@#b~!@#\n",
         stStrings, "strX", "a\uFFFD\uFFFD", "b"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TLoaded loaded(c.Bytes);
        EXPECT_EQ(loaded.Text(c.Section, c.Key, 1), c.English);
        EXPECT_EQ(loaded.Text(c.Section, c.Key, 2), c.German);
    }
}

TEST(LanguageFileLoad, ReplacesEverySectionSortsKeysAndPutsWindowEntryFirst)
{
    TLoaded loaded(kNames +
                  "; a comment\r\n"
                  "TFTernuSetup.strBefore=ignored, no section yet\r\n"
                  "[Hints]\r\n"
                  "TFTernuSetup.lblZ=z\r\n"
                  "TFTernuSetup.lblA=a\r\n"
                  "Other.lblB=not this window\r\n"
                  "TFTernuSetup.FTernuSetup=own~!@#own~!@#\r\n"
                  "TFTernuSetup.lblM\r\n"
                  "[Extended]\r\n"
                  "TFTernuSetup.x.y=1\r\n");
    EXPECT_EQ(KeysOf(loaded.Lang, stHints), QStringList({"FTernuSetup", "lblA", "lblM", "lblZ"}));
    EXPECT_TRUE(loaded.Lang.Table()[stCaptions].isEmpty());
    EXPECT_TRUE(loaded.Lang.Table()[stStrings].isEmpty());  // built-in strings are gone
    EXPECT_EQ(loaded.Lang.GetTextOrDefault("strTOOLCAPTION"), "");
    EXPECT_EQ(loaded.Text(stHints, "lblM", 2), "");
    ASSERT_EQ(loaded.Lang.Extended().size(), 1);
    EXPECT_EQ(loaded.Lang.Extended()[0].Key, "TFTernuSetup.x.y");
}

TEST(LanguageFileLoad, LanguageNamesComeFromTheFileOrStay)
{
    struct TCase {
        const char *Name;
        QByteArray Names;
        QStringList Expected;
    } cases[] = {
        {"three languages", "[Language names - for internal use only!]\nLanguage_1=English\nLanguage_2=French\nLanguage_3=Deutsch\n",
         {"English", "French", "Deutsch"}},
        {"names stop at the first gap", "[language NAMES - for internal use only!]\nlanguage_1=English\nLanguage_2=\nLanguage_3=X\n",
         {"English"}},
        {"no names section", "[OPTIONS]\nDELIMITER=~!@#\n", {"English", "German"}},
        {"section without Language_1", "[Language names - for internal use only!]\nLanguage_2=French\n",
         {"English", "German"}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TLoaded loaded(c.Names + "[Strings]\nTFTernuSetup.strX=1~!@#2~!@#3~!@#\n");
        EXPECT_EQ(loaded.Lang.LangNames(), c.Expected);
        EXPECT_EQ(loaded.Lang.GetTextOrDefault("strX"), "2");  // columns are split all the same
    }
}

TEST(LanguageFileLoad, JunkLoadsWithoutCrashAndWithFallbacks)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(static_cast<char>((i * 131 + 7) % 256));
    const QByteArray longLine = "TFTernuSetup.strLong=" + QByteArray(200000, 'x') + "~!@#\n";
    const QByteArray inputs[] = {
        junk,
        "[Strings]\n" + junk + "\nTFTernuSetup.strX=\x01\x00\x19~!@#\n" + junk,
        kNames + "[Strings]\n" + longLine + QByteArray(100000, '[') + "\n",
        QByteArray(),
        "[",
        "[]\n=\n==\n[Strings]\nTFTernuSetup.=x\nTFTernuSetup.strY=1~!@#2~!@#3~!@#4~!@#\n",
    };
    for (const QByteArray &bytes : inputs) {
        TLoaded loaded(bytes);
        EXPECT_GE(loaded.Lang.NumOfLanguages(), 2);
        EXPECT_EQ(loaded.Lang.GetTextOrDefault("strTOOLCAPTION"), "");
    }
    TLoaded longOne(kNames + "[Strings]\n" + longLine);
    EXPECT_EQ(longOne.Lang.GetTextOrDefault("strLong").size(), 200000);  // language 2 empty: language 1
}

TEST(LanguageFileLoad, ControlBytesInAListValueEndItems)
{
    struct TCase {
        const char *Name;
        QByteArray Value;
        QStringList Items;
    } cases[] = {
        {"NUL after a comma", QByteArray("m\xe4nnlich,\0weiblich", 18), {"m\u00e4nnlich", "weiblich"}},
        {"NUL inside an item", QByteArray("male\0female", 11), {"male", "female"}},
        {"NUL at the end", QByteArray("male,female\0", 12), {"male", "female"}},
        {"other control bytes", "\x01male,\x1f\x0b" "female\x02", {"male", "female"}},
        {"NUL inside quotes", QByteArray("\"ma\0le\",female", 15), {QString("ma") + QChar(0) + "le", "female"}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TFakeTarget target;
        target.Add("cboSex").Lists = {{"items", {"x", "y", "z"}}};
        TsiLang lang;
        lang.SetTarget(&target);
        lang.LoadFromFile(TLanguageFile::Parse(kNames + "[Multilines]\r\nTFTernuSetup.cboSex.Items=" + c.Value + "\r\n"));
        EXPECT_EQ(target.Get("cboSex").Lists.value("items"), c.Items);
    }
}

TEST(LanguageFileLoad, UnreadableFileRaisesAndChangesNothing)
{
    TFakeTarget target;
    target.Add("btnClose").Texts = {{"caption", "&Schließen"}};
    TsiLang lang;
    lang.SetTarget(&target);
    TsiLangDispatcher dispatcher(lang);
    int events = 0;
    lang.OnChangeLanguage = [&] { ++events; };

    QTemporaryDir dir;
    const QString missing = dir.filePath("Missing.sil");
    try {
        dispatcher.LoadLanguageFile(missing);
        FAIL() << "no error";
    } catch (const ELanguageFileError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(missing));
    }
    EXPECT_EQ(lang.Table()[stStrings].size(), 22);
    EXPECT_EQ(dispatcher.LangNames(), QStringList({"English", "German"}));
    EXPECT_EQ(dispatcher.Language(), "German");
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(target.Writes.isEmpty());
}

}  // namespace
