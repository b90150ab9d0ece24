#include "FakeTarget.h"
#include "TsiLang.h"

#include <gtest/gtest.h>

namespace {

// A few controls of the window as they are created, in German.
class TranslationPass : public ::testing::Test {
protected:
    void SetUp() override
    {
        target.add("btnClose").texts = {{"caption", "&Schließen"}};
        target.add("lblDev1").texts = {{"caption", "Mausklick zum"}};
        target.add("lbDevLink").texts = {{"caption", "PC  Link"}};
        target.add("imgDevice").texts = {{"hint", ""}};
        auto &lap = target.add("cboLapMode");
        lap.lists = {{"items", {"Man. Modus", "Auto Distanz", "Auto Zeit"}}};
        lap.texts = {{"text", "Man. Modus"}};
        lap.selectedIndex = 2;
        target.add("Memo1").lists = {{"lines", {"one line"}}};
        target.add("dlgOpen").texts = {{"filter", ""}};
        target.add("").texts = {{"caption", "window"}};
        lang.SetTarget(&target);
        lang.OnChangeLanguage = [this] { writesAtEvent = target.writes.size(); ++events; };
    }

    void selectEnglish() { lang.SelectLanguage(1, "English"); }

    FakeTarget target;
    TsiLang lang;
    qsizetype writesAtEvent = -1;
    int events = 0;
};

TEST_F(TranslationPass, WritesTextsOfActiveLanguageAsStoredThenFiresEvent)
{
    target.add("lbDevLink").texts["caption"] = "   Error";  // changed at run time
    selectEnglish();
    lang.ApplyTranslations();

    EXPECT_EQ(target.get("btnClose").texts["caption"], "&Close");
    EXPECT_EQ(target.get("lblDev1").texts["caption"], "  Click here to");
    EXPECT_EQ(target.get("lbDevLink").texts["caption"], "PC  Link");
    EXPECT_EQ(target.get("imgDevice").texts["hint"], "Click image for testing connection...");
    EXPECT_EQ(target.get("dlgOpen").texts["filter"], "Settings Files (*.dat)|*.dat");
    EXPECT_EQ(target.get("Memo1").lists["lines"],
              QStringList({"Use this dialog for adjusting your Ternu settings.",
                           "After setting the values just press the Transfer button at the right corner for transfering",
                           "the settings to the Ternu device."}));
    EXPECT_EQ(events, 1);
    EXPECT_EQ(writesAtEvent, target.writes.size());  // the event comes after every write
    EXPECT_EQ(target.get("").texts["caption"], "window");  // the caption is never translated
}

TEST_F(TranslationPass, AssignsOnlyWhatDiffersAndKeepsListSelection)
{
    lang.ApplyTranslations();  // German: everything is already as stored
    EXPECT_EQ(target.writes, QStringList({"imgDevice.Hint", "Memo1.Lines", "dlgOpen.Filter"}));

    target.writes.clear();
    selectEnglish();
    lang.ApplyTranslations();
    EXPECT_TRUE(target.writes.contains("cboLapMode.Items"));
    EXPECT_EQ(target.get("cboLapMode").lists["items"],
              QStringList({"Manual Mode", "Auto Distance", "Auto Time"}));
    EXPECT_EQ(target.get("cboLapMode").selectedIndex, 2);

    target.writes.clear();
    lang.ApplyTranslations();
    EXPECT_TRUE(target.writes.isEmpty());
}

TEST_F(TranslationPass, SkipsMissingControlsAndPropertiesAndKeepsTheirEntries)
{
    target.controls.remove("lbldev1");
    target.add("btnSend");  // exists, but has no Caption property
    selectEnglish();
    lang.ApplyTranslations();

    EXPECT_FALSE(target.hasControl("lblDev1"));
    EXPECT_TRUE(target.get("btnSend").texts.isEmpty());
    EXPECT_EQ(target.get("btnClose").texts["caption"], "&Close");
    const auto &captions = lang.Table()[stCaptions];
    EXPECT_TRUE(std::any_of(captions.begin(), captions.end(),
                            [](const TranslationEntry &e) { return e.key == "lblDev1"; }));
}

TEST_F(TranslationPass, RefusedWriteDoesNotStopThePass)
{
    target.add("btnClose").refuseWrites = true;
    selectEnglish();
    lang.ApplyTranslations();
    EXPECT_EQ(target.get("btnClose").texts["caption"], "&Schließen");
    EXPECT_EQ(target.get("lblDev1").texts["caption"], "  Click here to");
    EXPECT_EQ(events, 1);
}

TEST_F(TranslationPass, EmptyTextLeavesControlAlone)
{
    TranslationTable table;
    table[stCaptions] = {{"btnClose", {"&Close", ""}}};
    lang.SetTable(table);
    lang.ApplyTranslations();
    EXPECT_EQ(target.get("btnClose").texts["caption"], "&Schließen");
}

TEST_F(TranslationPass, WindowNamesMeanTheWindowAndExcludedTargetsAreCleanedOut)
{
    TranslationTable table;
    table[stCaptions] = {
        {"TFTernuSetup", {"a", "a"}},  // the window's caption, by class name
        {"FTernuSetup", {"b", "b"}},   // ... and by object name
        {"lbKG", {"kg", "kg"}},
        {"btnClose", {"X", "X"}},
    };
    table[stHints] = {{"fternusetup", {"window hint", "window hint"}}};
    table[stOtherStrings] = {
        {"dlgOpen.FileName", {"f", "f"}}, {"btnClose.Name", {"n", "n"}},
        {"ComComboBox.Text", {"c", "c"}}, {"x.Font.Name", {"f", "f"}},
        {"dlgOpen.Filter", {"*.x", "*.x"}},
    };
    table[stFonts] = {{"btnClose", {"Arial", "Arial"}}};
    lang.SetTable(table);

    auto keys = [&](TStringsType s) {
        QStringList k;
        for (const auto &e : lang.Table()[s])
            k.append(e.key);
        return k;
    };
    EXPECT_EQ(keys(stCaptions), QStringList({"btnClose"}));
    EXPECT_EQ(keys(stHints), QStringList({"fternusetup"}));
    EXPECT_EQ(keys(stOtherStrings), QStringList({"dlgOpen.Filter"}));
    EXPECT_TRUE(keys(stFonts).isEmpty());

    target.add("").texts["hint"] = "";
    lang.ApplyTranslations();
    EXPECT_EQ(target.get("").texts["hint"], "window hint");
    EXPECT_EQ(target.get("").texts["caption"], "window");
}

TEST(TranslationPassWithoutTarget, StillFiresTheEvent)
{
    TsiLang lang;
    int events = 0;
    lang.OnChangeLanguage = [&] { ++events; };
    lang.ApplyTranslations();
    EXPECT_EQ(events, 1);
}

}  // namespace
