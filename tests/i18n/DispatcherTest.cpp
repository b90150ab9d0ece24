#include "FakeTarget.h"
#include "LanguageErrors.h"
#include "TsiLang.h"
#include "TsiLangDispatcher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Dispatcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        target.Add("btnClose").Texts = {{"caption", "&Schließen"}};
        lang.SetTarget(&target);
        lang.OnChangeLanguage = [this] { ++passes; };
        QDir(programFolder.path()).mkdir("Lang");
    }

    void WriteLanguageFile(const QString &fileName, const QByteArray &bytes)
    {
        QFile f(QDir(programFolder.path()).filePath("Lang/" + fileName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QString Caption() { return target.Get("btnClose").Texts["caption"]; }

    TFakeTarget target;
    TsiLang lang;
    TsiLangDispatcher dispatcher{lang};
    QTemporaryDir programFolder;
    int passes = 0;
};

const QByteArray kFrench = "[Language names - for internal use only!]\nLanguage_1=English\nLanguage_2=French\n"
                           "[Captions]\nTFTernuSetup.btnClose=&Close~!@#&Fermer~!@#\n";

TEST_F(Dispatcher, SelectsByNameInAnyCaseAndRunsOnePass)
{
    dispatcher.SetLanguage("ENGLISH");
    EXPECT_EQ(dispatcher.Language(), "English");
    EXPECT_EQ(dispatcher.ActiveLanguage(), 1);
    EXPECT_EQ(lang.ActiveLanguage(), 1);
    EXPECT_EQ(lang.Language(), "English");
    EXPECT_EQ(Caption(), "&Close");
    EXPECT_EQ(passes, 1);

    dispatcher.SetLanguage("English");  // already current: nothing happens
    EXPECT_EQ(passes, 1);
}

TEST_F(Dispatcher, SameColumnInOtherCaseTakesTheNameWithoutPass)
{
    dispatcher.SetLanguage("german");
    EXPECT_EQ(dispatcher.Language(), "german");
    EXPECT_EQ(passes, 0);
}

TEST_F(Dispatcher, UnknownNameRaisesAndChangesNothing)
{
    try {
        dispatcher.SetLanguage("Klingon");
        FAIL() << "no error";
    } catch (const ELanguageError &e) {
        EXPECT_STREQ(e.what(), "Language name shall be included in LangNames property!");
    }
    EXPECT_EQ(dispatcher.Language(), "German");
    EXPECT_EQ(dispatcher.ActiveLanguage(), 2);
    EXPECT_EQ(passes, 0);
}

TEST_F(Dispatcher, LoadKeepsTheActiveColumnAndNameFollowsIt)
{
    WriteLanguageFile("French.sil", kFrench);
    dispatcher.LoadLanguageFile(LanguageFilePath(programFolder.path(), "French"));
    EXPECT_EQ(dispatcher.LangNames(), QStringList({"English", "French"}));
    EXPECT_EQ(dispatcher.Language(), "French");
    EXPECT_EQ(lang.LangNames(), dispatcher.LangNames());
    EXPECT_EQ(Caption(), "&Fermer");
    EXPECT_EQ(passes, 1);
}

TEST_F(Dispatcher, LoadWithFewerLanguagesThanTheActiveIndexKeepsTheName)
{
    dispatcher.SetLanguage("German");
    WriteLanguageFile("One.sil", "[Language names - for internal use only!]\nLanguage_1=Solo\n"
                                 "[Captions]\nTFTernuSetup.btnClose=Solo~!@#\n[Strings]\nTFTernuSetup.strX=s~!@#\n");
    dispatcher.LoadLanguageFile(LanguageFilePath(programFolder.path(), "One"));
    EXPECT_EQ(dispatcher.LangNames(), QStringList({"Solo"}));
    EXPECT_EQ(dispatcher.Language(), "German");
    EXPECT_EQ(Caption(), "&Schließen");             // empty column: control unchanged
    EXPECT_EQ(lang.GetTextOrDefault("strX"), "s");  // message: language 1
}

TEST_F(Dispatcher, SwitchLoadsTheFileOfAnUnknownName)
{
    WriteLanguageFile("French.sil", kFrench);
    SwitchLanguage(dispatcher, programFolder.path(), "French");
    EXPECT_EQ(dispatcher.Language(), "French");
    EXPECT_EQ(Caption(), "&Fermer");
    EXPECT_EQ(passes, 1);  // the load's pass already shows French

    SwitchLanguage(dispatcher, programFolder.path(), "English");  // known: no file read
    EXPECT_EQ(Caption(), "&Close");
    EXPECT_EQ(passes, 2);
}

TEST_F(Dispatcher, SwitchFallsBackToEnglishWhenTheFileLacksTheName)
{
    // The file is found by the chosen name, but it names other languages.
    WriteLanguageFile("Sprache.sil", "[Language names - for internal use only!]\nLanguage_1=English\nLanguage_2=Deutsch\n");
    SwitchLanguage(dispatcher, programFolder.path(), "Sprache");
    EXPECT_EQ(dispatcher.Language(), "English");
    EXPECT_EQ(dispatcher.LangNames(), QStringList({"English", "Deutsch"}));
}

TEST_F(Dispatcher, SwitchPassesOnAMissingFileButRestoreEndsInEnglish)
{
    EXPECT_THROW(SwitchLanguage(dispatcher, programFolder.path(), "French"), ELanguageFileError);
    EXPECT_EQ(dispatcher.Language(), "German");
    EXPECT_EQ(passes, 0);

    RestoreLanguage(dispatcher, programFolder.path(), "French");
    EXPECT_EQ(dispatcher.Language(), "English");
    EXPECT_EQ(Caption(), "&Close");
}

TEST_F(Dispatcher, RestoreSelectsAKnownNameWithoutFile)
{
    RestoreLanguage(dispatcher, programFolder.path(), "English");
    EXPECT_EQ(dispatcher.Language(), "English");
    RestoreLanguage(dispatcher, programFolder.path(), "German");
    EXPECT_EQ(dispatcher.Language(), "German");
    EXPECT_EQ(passes, 2);
}

}  // namespace
