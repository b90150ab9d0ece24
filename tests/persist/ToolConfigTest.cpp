#include "ProfileFile.h"
#include "SettingsFile.h"
#include "TempDir.h"
#include "ToolConfig.h"

#include <gtest/gtest.h>

namespace {

using ToolConfig::TPlacementRecord;

struct TMiscCase {
    const char *Name;
    std::optional<QByteArray> File;
    qint16 ComPortNo;
    quint8 Style;
    const char *Language;
};

class MiscRead : public testing::TestWithParam<TMiscCase> {};

TEST_P(MiscRead, GivesValuesOrDefaults)
{
    const TMiscCase &c = GetParam();
    TTempDir tmp;
    const QString file = c.File ? tmp.Write("t.ini", *c.File) : tmp.Path("t.ini");
    const ToolConfig::TMiscValues v = ToolConfig::ReadMisc(file);
    EXPECT_EQ(v.ComPortNo, c.ComPortNo);
    EXPECT_EQ(v.Style, c.Style);
    EXPECT_EQ(v.Language, QString(c.Language));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MiscRead,
    testing::Values(
        TMiscCase{"NoFile", std::nullopt, -1, 0, "German"},
        TMiscCase{"EmptyFile", QByteArray(), -1, 0, "German"},
        TMiscCase{"Stored", "[MISC]\r\nCPort=3\r\nLayout=9\r\nLanguage=English\r\n", 3, 9, "English"},
        TMiscCase{"HexPort", "[MISC]\nCPort=0x10\n", 16, 0, "German"},
        TMiscCase{"DollarHexPort", "[MISC]\nCPort=$10\n", 16, 0, "German"},
        TMiscCase{"NotANumber", "[MISC]\nCPort=abc\nLayout=x\n", -1, 0, "German"},
        TMiscCase{"Low16BitsOfPort", "[MISC]\nCPort=65535\n", -1, 0, "German"},
        TMiscCase{"Low8BitsOfStyle", "[MISC]\nLayout=260\n", -1, 4, "German"},
        TMiscCase{"OtherSectionOnly", "[DEVICE]\nCPort=5\n", -1, 0, "German"}),
    [](const auto &info) { return std::string(info.param.Name); });

TEST(ToolConfig, FirstRunWritesTheSectionsInShutDownOrder)
{
    TTempDir tmp;
    const QString file = tmp.Path("Ternu_SetupTool.ini");
    ToolConfig::WriteMisc(file, -1, 0, "German");
    SettingsFile::WriteSettingsText(file, "0000000000000852080000B0000096820000140002A801");
    ToolConfig::WritePlacement(file, TPlacementRecord{0, 0, 681, 568, false});
    EXPECT_EQ(TTempDir::Read(file),
              "[MISC]\r\nCPort=-1\r\nLayout=0\r\nLanguage=German\r\n"
              "[DEVICE]\r\nSettings_TERNU=0000000000000852080000B0000096820000140002A801\r\n"
              "[FTernuSetup]\r\nLeft=0\r\nTop=0\r\nRight=681\r\nBottom=568\r\nMaximized=0\r\n");

    // A second close rewrites the values in place.
    ToolConfig::WriteMisc(file, 3, 4, "English");
    const ToolConfig::TMiscValues v = ToolConfig::ReadMisc(file);
    EXPECT_EQ(v.ComPortNo, 3);
    EXPECT_EQ(v.Style, 4);
    EXPECT_EQ(v.Language, "English");
    EXPECT_TRUE(TTempDir::Read(file).startsWith("[MISC]\r\nCPort=3\r\nLayout=4\r\nLanguage=English\r\n[DEVICE]"));
}

TEST(ToolConfig, PlacementKeysFallBackOneByOne)
{
    TTempDir tmp;
    const TPlacementRecord current{10, 20, 110, 220, false};
    EXPECT_EQ(ToolConfig::ReadPlacement(tmp.Path("none.ini"), current), current);

    const QString file =
        tmp.Write("t.ini", "[FTernuSetup]\r\nLeft=$20\r\nTop=abc\r\nBottom=900\r\nMaximized=7\r\n");
    EXPECT_EQ(ToolConfig::ReadPlacement(file, current), (TPlacementRecord{32, 20, 110, 900, true}));

    ToolConfig::WritePlacement(file, TPlacementRecord{-5, 6, 7, 8, false});
    EXPECT_EQ(ToolConfig::ReadPlacement(file, current), (TPlacementRecord{-5, 6, 7, 8, false}));
}

TEST(SettingsFile, SaveAndLoad)
{
    TTempDir tmp;
    const QString text = "0000000000000852080000B0000096820000140002A801";

    const QString fresh = tmp.Path("rider.dat");
    EXPECT_EQ(SettingsFile::ReadSettingsText(fresh), "");
    SettingsFile::WriteSettingsText(fresh, text);
    EXPECT_EQ(TTempDir::Read(fresh), "[DEVICE]\r\nSettings_TERNU=" + text.toLatin1() + "\r\n");
    EXPECT_EQ(SettingsFile::ReadSettingsText(fresh), text);

    const QByteArray other = "[MISC]\r\nCPort=-1\r\n\r\n[device]\r\nsettings_ternu=OLD\r\nX=1\r\n";
    const QString existing = tmp.Write("tool.ini", other);
    SettingsFile::WriteSettingsText(existing, text);
    QByteArray expected = other;
    expected.replace("OLD", text.toLatin1());
    EXPECT_EQ(TTempDir::Read(existing), expected);

    EXPECT_EQ(SettingsFile::ReadSettingsText(tmp.Write("nokey.dat", "[DEVICE]\r\nX=1\r\n")), "");
}

}  // namespace
