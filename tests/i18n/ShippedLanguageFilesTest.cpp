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

const TranslationEntry *find(const TsiLang &lang, TStringsType s, const QString &key)
{
    for (const TranslationEntry &e : lang.Table()[s])
        if (e.key == key)
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
    loaded.LoadFromFile(LanguageFile::read(QDir(kLangFolder).filePath("German.sil")));
    EXPECT_EQ(loaded.LangNames(), QStringList({"English", "German"}));
    for (int s = 0; s < kStringsTypeCount; ++s) {
        const auto section = static_cast<TStringsType>(s);
        for (const TranslationEntry &e : builtIn.Table()[section]) {
            const TranslationEntry *other = find(loaded, section, e.key);
            ASSERT_NE(other, nullptr) << e.key.toStdString();
            EXPECT_EQ(other->text(1), e.text(1)) << e.key.toStdString();
            EXPECT_EQ(other->text(2), e.text(2)) << e.key.toStdString();
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
        loaded.LoadFromFile(LanguageFile::read(QDir(kLangFolder).filePath(language + ".sil")));
        EXPECT_EQ(loaded.LangNames(), QStringList({"English", language}));
        for (int s = 0; s < kStringsTypeCount; ++s) {
            const auto section = static_cast<TStringsType>(s);
            EXPECT_EQ(loaded.Table()[section].size(), builtIn.Table()[section].size());
            for (const TranslationEntry &e : builtIn.Table()[section]) {
                const TranslationEntry *other = find(loaded, section, e.key);
                ASSERT_NE(other, nullptr) << e.key.toStdString();
                if (section != stDlgsCaptions) {
                    EXPECT_EQ(other->text(1), e.text(1)) << e.key.toStdString();
                }
                EXPECT_FALSE(other->text(2).isEmpty()) << e.key.toStdString();
                EXPECT_FALSE(other->text(2).contains(QChar::ReplacementCharacter));
                // Message texts with numbers keep them in the same count.
                EXPECT_EQ(other->text(2).count("%d"), e.text(1).count("%d")) << e.key.toStdString();
            }
        }
        // Each access key of the window's controls leads to one control only.
        QMap<QChar, QString> accessKeys;
        for (const TranslationEntry &e : loaded.Table()[stCaptions]) {
            const QString caption = QString(e.text(2)).remove("&&");
            const qsizetype amp = caption.indexOf('&');
            if (amp < 0 || amp + 1 >= caption.size() || e.key.startsWith("mnu"))
                continue;
            const QChar key = caption[amp + 1].toLower();
            EXPECT_FALSE(accessKeys.contains(key)) << e.key.toStdString() << " and " << accessKeys[key].toStdString();
            accessKeys[key] = e.key;
        }
    }
}

TEST(ShippedLanguageFiles, SwitchingThroughAllOfThemEndsWhereItStarted)
{
    FakeTarget target;
    target.add("btnClose").texts = {{"caption", "&Schließen"}};
    TsiLang lang;
    lang.SetTarget(&target);
    TsiLangDispatcher dispatcher(lang);
    const QStringList expected = {"&Fermer", "&Chiudi", "&Sluiten", "&Cerrar", "&Schließen"};
    const QStringList languages = {"French", "Italian", "Dutch", "Spanish", "German"};
    for (int i = 0; i < languages.size(); ++i) {
        dispatcher.LoadLanguageFile(QDir(kLangFolder).filePath(languages[i] + ".sil"));
        dispatcher.SetLanguage(languages[i]);
        EXPECT_EQ(target.get("btnClose").texts["caption"], expected[i]);
        EXPECT_EQ(dispatcher.Language(), languages[i]);
    }
}

}  // namespace
