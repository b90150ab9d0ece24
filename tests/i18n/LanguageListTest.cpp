#include "FindFiles.h"
#include "LanguageList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(LanguageFlags, FirstThreeLettersChooseThePicture)
{
    const struct {
        const char *Name;
        int Flag;
    } cases[] = {
        {"English", 0}, {"German", 1}, {"Deutsch", 1}, {"French", 2}, {"Français", 2},
        {"Italiano", 3}, {"Dutch", 4}, {"Nederlands", 6}, {"Español", 5}, {"Spanish", 5},
        {"Svenska", 6}, {"En", 6}, {"", 6}, {"ENGLISH", 0}, {"netherlands", 4},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FlagIndexForLanguage(QString::fromUtf8(c.Name)), c.Flag) << c.Name;
}

class LanguageFolder : public ::testing::Test {
protected:
    void Write(const QString &relative, const QByteArray &bytes)
    {
        const QString path = QDir(dir.path()).filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray Names(const QByteArray &first, const QByteArray &second, const QByteArray &third = "x")
    {
        return "[Language names - for internal use only!]\r\nLanguage_1=" + first + "\r\nLanguage_2=" + second +
               "\r\nLanguage_3=" + third + "\r\n";
    }
    QTemporaryDir dir;
};

TEST_F(LanguageFolder, OffersTheFirstTwoNamesOfEachFileOnceSorted)
{
    Write("German.sil", Names("English", "German", "Klingon"));
    Write("z_french.SIL", Names("english", "French"));
    Write("Español.sil", "[OPTIONS]\nIsUTF8File=1\n" + Names("English", "Espa\xC3\xB1ol"));
    Write("Nameless.sil", "[Captions]\nTFTernuSetup.btnClose=x\n");
    Write("Half.sil", Names("", "Dutch"));
    Write("sub/Italian.sil", Names("English", "Italian"));
    Write("notes.txt", Names("Svenska", "Suomi"));
    QDir(dir.path()).mkdir("folder.sil");

    EXPECT_EQ(ScanLanguageNames(dir.path()),
              QStringList({"Dutch", "English", "Español", "French", "German"}));
}

TEST_F(LanguageFolder, MissingOrEmptyFolderOffersNothing)
{
    EXPECT_TRUE(ScanLanguageNames(dir.path()).isEmpty());
    EXPECT_TRUE(ScanLanguageNames(dir.filePath("Lang")).isEmpty());
}

TEST_F(LanguageFolder, FindFilesListsNamesOrPathsBelow)
{
    Write("a.sil", "");
    Write(".hidden.sil", "");
    Write("b.txt", "");
    Write("sub/deeper/c.sil", "");
    QDir(dir.path()).mkdir("d.sil");

    QStringList bare{"kept"};
    EXPECT_EQ(FindFiles(dir.path(), "*.sil", &bare, false), 3);
    EXPECT_EQ(bare, QStringList({"kept", ".hidden.sil", "a.sil"}));

    QStringList deep;
    EXPECT_EQ(FindFiles(dir.path(), "*.sil", &deep, true), 3);
    EXPECT_TRUE(deep.contains(QDir(dir.path()).filePath("sub/deeper/c.sil")));
    EXPECT_TRUE(deep.contains(QDir(dir.path()).filePath("a.sil")));

    EXPECT_EQ(FindFiles(dir.path(), "*.sil", nullptr, false), 0);
}

}  // namespace
