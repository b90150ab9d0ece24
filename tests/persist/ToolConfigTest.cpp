#include "ProfileFile.h"
#include "SettingsFile.h"
#include "TempDir.h"
#include "ToolConfig.h"

#include <gtest/gtest.h>

namespace {

using ToolConfig::TPlacementRecord;

struct MiscCase {
    const char *name;
    std::optional<QByteArray> file;
    qint16 comPortNo;
    quint8 style;
    const char *language;
};

class MiscRead : public testing::TestWithParam<MiscCase> {};

TEST_P(MiscRead, GivesValuesOrDefaults)
{
    const MiscCase &c = GetParam();
    TempDir tmp;
    const QString file = c.file ? tmp.write("t.ini", *c.file) : tmp.path("t.ini");
    const ToolConfig::TMiscValues v = ToolConfig::readMisc(file);
    EXPECT_EQ(v.comPortNo, c.comPortNo);
    EXPECT_EQ(v.style, c.style);
    EXPECT_EQ(v.language, QString(c.language));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MiscRead,
    testing::Values(
        MiscCase{"NoFile", std::nullopt, -1, 0, "German"},
        MiscCase{"EmptyFile", QByteArray(), -1, 0, "German"},
        MiscCase{"Stored", "[MISC]\r\nCPort=3\r\nLayout=9\r\nLanguage=English\r\n", 3, 9, "English"},
        MiscCase{"HexPort", "[MISC]\nCPort=0x10\n", 16, 0, "German"},
        MiscCase{"DollarHexPort", "[MISC]\nCPort=$10\n", 16, 0, "German"},
        MiscCase{"NotANumber", "[MISC]\nCPort=abc\nLayout=x\n", -1, 0, "German"},
        MiscCase{"Low16BitsOfPort", "[MISC]\nCPort=65535\n", -1, 0, "German"},
        MiscCase{"Low8BitsOfStyle", "[MISC]\nLayout=260\n", -1, 4, "German"},
        MiscCase{"OtherSectionOnly", "[DEVICE]\nCPort=5\n", -1, 0, "German"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ToolConfig, FirstRunWritesTheSectionsInShutDownOrder)
{
    TempDir tmp;
    const QString file = tmp.path("Ternu_SetupTool.ini");
    ToolConfig::writeMisc(file, -1, 0, "German");
    SettingsFile::writeSettingsText(file, "0000000000000852080000B0000096820000140002A801");
    ToolConfig::writePlacement(file, TPlacementRecord{0, 0, 681, 568, false});
    EXPECT_EQ(TempDir::read(file),
              "[MISC]\r\nCPort=-1\r\nLayout=0\r\nLanguage=German\r\n"
              "[DEVICE]\r\nSettings_TERNU=0000000000000852080000B0000096820000140002A801\r\n"
              "[FTernuSetup]\r\nLeft=0\r\nTop=0\r\nRight=681\r\nBottom=568\r\nMaximized=0\r\n");

    // A second close rewrites the values in place.
    ToolConfig::writeMisc(file, 3, 4, "English");
    const ToolConfig::TMiscValues v = ToolConfig::readMisc(file);
    EXPECT_EQ(v.comPortNo, 3);
    EXPECT_EQ(v.style, 4);
    EXPECT_EQ(v.language, "English");
    EXPECT_TRUE(TempDir::read(file).startsWith("[MISC]\r\nCPort=3\r\nLayout=4\r\nLanguage=English\r\n[DEVICE]"));
}

TEST(ToolConfig, PlacementKeysFallBackOneByOne)
{
    TempDir tmp;
    const TPlacementRecord current{10, 20, 110, 220, false};
    EXPECT_EQ(ToolConfig::readPlacement(tmp.path("none.ini"), current), current);

    const QString file =
        tmp.write("t.ini", "[FTernuSetup]\r\nLeft=$20\r\nTop=abc\r\nBottom=900\r\nMaximized=7\r\n");
    EXPECT_EQ(ToolConfig::readPlacement(file, current), (TPlacementRecord{32, 20, 110, 900, true}));

    ToolConfig::writePlacement(file, TPlacementRecord{-5, 6, 7, 8, false});
    EXPECT_EQ(ToolConfig::readPlacement(file, current), (TPlacementRecord{-5, 6, 7, 8, false}));
}

TEST(SettingsFile, SaveAndLoad)
{
    TempDir tmp;
    const QString text = "0000000000000852080000B0000096820000140002A801";

    const QString fresh = tmp.path("rider.dat");
    EXPECT_EQ(SettingsFile::readSettingsText(fresh), "");
    SettingsFile::writeSettingsText(fresh, text);
    EXPECT_EQ(TempDir::read(fresh), "[DEVICE]\r\nSettings_TERNU=" + text.toLatin1() + "\r\n");
    EXPECT_EQ(SettingsFile::readSettingsText(fresh), text);

    const QByteArray other = "[MISC]\r\nCPort=-1\r\n\r\n[device]\r\nsettings_ternu=OLD\r\nX=1\r\n";
    const QString existing = tmp.write("tool.ini", other);
    SettingsFile::writeSettingsText(existing, text);
    QByteArray expected = other;
    expected.replace("OLD", text.toLatin1());
    EXPECT_EQ(TempDir::read(existing), expected);

    EXPECT_EQ(SettingsFile::readSettingsText(tmp.write("nokey.dat", "[DEVICE]\r\nX=1\r\n")), "");
}

}  // namespace
