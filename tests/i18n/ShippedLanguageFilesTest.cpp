#include "FakeTarget.h"
#include "LanguageFile.h"
#include "LanguageList.h"
#include "TsiLang.h"
#include "TsiLangDispatcher.h"

#include <QDir>
#include <QMap>

#include <gtest/gtest.h>

namespace {

const QString kLangFolder = QStringLiteral(TERNU_LANG_SOURCE_DIR);

const TTranslationEntry *Find(const TsiLang &lang, TStringsType s, const QString &key)
{
    for (const TTranslationEntry &e : lang.Table()[s])
        if (e.Key == key)
            return &e;
    return nullptr;
}

TEST(ShippedLanguageFiles, OfferSixLanguagesWithTheirFlags)
{
    const QStringList names = ScanLanguageNames(kLangFolder);
    EXPECT_EQ(names, QStringList({"Dutch", "English", "French", "German", "Italian", "Spanish"}));
    QList<int> flags;
    for (const QString &name : names)
        flags.append(FlagIndexForLanguage(name));
    EXPECT_EQ(flags, QList<int>({4, 0, 2, 1, 3, 5}));
}

TEST(ShippedLanguageFiles, GermanFileEqualsTheBuiltInTable)
{
    const TsiLang builtIn;
    TsiLang loaded;
    loaded.LoadFromFile(TLanguageFile::Read(QDir(kLangFolder).filePath("German.sil")));
    EXPECT_EQ(loaded.LangNames(), QStringList({"English", "German"}));
    for (int s = 0; s < kStringsTypeCount; ++s) {
        const auto section = static_cast<TStringsType>(s);
        for (const TTranslationEntry &e : builtIn.Table()[section]) {
            const TTranslationEntry *other = Find(loaded, section, e.Key);
            ASSERT_NE(other, nullptr) << e.Key.toStdString();
            EXPECT_EQ(other->Text(1), e.Text(1)) << e.Key.toStdString();
            EXPECT_EQ(other->Text(2), e.Text(2)) << e.Key.toStdString();
        }
        EXPECT_EQ(loaded.Table()[section].size(), builtIn.Table()[section].size());
    }
}

// Every other file: English as language 1, exactly as built in, and a text of
// its own language for every entry (the dialog words carry their own English).
TEST(ShippedLanguageFiles, EveryFileTranslatesEveryEntry)
{
    const TsiLang builtIn;
    for (const QString language : {"French", "Italian", "Dutch", "Spanish"}) {
        SCOPED_TRACE(language.toStdString());
        TsiLang loaded;
        loaded.LoadFromFile(TLanguageFile::Read(QDir(kLangFolder).filePath(language + ".sil")));
        EXPECT_EQ(loaded.LangNames(), QStringList({"English", language}));
        for (int s = 0; s < kStringsTypeCount; ++s) {
            const auto section = static_cast<TStringsType>(s);
            EXPECT_EQ(loaded.Table()[section].size(), builtIn.Table()[section].size());
            for (const TTranslationEntry &e : builtIn.Table()[section]) {
                const TTranslationEntry *other = Find(loaded, section, e.Key);
                ASSERT_NE(other, nullptr) << e.Key.toStdString();
                if (section != stDlgsCaptions) {
                    EXPECT_EQ(other->Text(1), e.Text(1)) << e.Key.toStdString();
                }
                EXPECT_FALSE(other->Text(2).isEmpty()) << e.Key.toStdString();
                EXPECT_FALSE(other->Text(2).contains(QChar::ReplacementCharacter));
                // Message texts with numbers keep them in the same count.
                EXPECT_EQ(other->Text(2).count("%d"), e.Text(1).count("%d")) << e.Key.toStdString();
            }
        }
        // Each access key of the window's controls leads to one control only.
        QMap<QChar, QString> accessKeys;
        for (const TTranslationEntry &e : loaded.Table()[stCaptions]) {
            const QString caption = QString(e.Text(2)).remove("&&");
            const qsizetype amp = caption.indexOf('&');
            if (amp < 0 || amp + 1 >= caption.size() || e.Key.startsWith("mnu"))
                continue;
            const QChar key = caption[amp + 1].toLower();
            EXPECT_FALSE(accessKeys.contains(key)) << e.Key.toStdString() << " and " << accessKeys[key].toStdString();
            accessKeys[key] = e.Key;
        }
    }
}

TEST(ShippedLanguageFiles, SwitchingThroughAllOfThemEndsWhereItStarted)
{
    TFakeTarget target;
    target.Add("btnClose").Texts = {{"caption", "&Schließen"}};
    TsiLang lang;
    lang.SetTarget(&target);
    TsiLangDispatcher dispatcher(lang);
    const QStringList expected = {"&Fermer", "&Chiudi", "&Sluiten", "&Cerrar", "&Schließen"};
    const QStringList languages = {"French", "Italian", "Dutch", "Spanish", "German"};
    for (int i = 0; i < languages.size(); ++i) {
        dispatcher.LoadLanguageFile(QDir(kLangFolder).filePath(languages[i] + ".sil"));
        dispatcher.SetLanguage(languages[i]);
        EXPECT_EQ(target.Get("btnClose").Texts["caption"], expected[i]);
        EXPECT_EQ(dispatcher.Language(), languages[i]);
    }
}

}  // namespace
