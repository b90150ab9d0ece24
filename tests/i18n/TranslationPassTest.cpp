#include "FakeTarget.h"
#include "TsiLang.h"

#include <gtest/gtest.h>

namespace {

// A few controls of the window as they are created, in German.
class TranslationPass : public ::testing::Test {
protected:
    void SetUp() override
    {
        target.Add("btnClose").Texts = {{"caption", "&Schließen"}};
        target.Add("lblDev1").Texts = {{"caption", "Mausklick zum"}};
        target.Add("lbDevLink").Texts = {{"caption", "PC  Link"}};
        target.Add("imgDevice").Texts = {{"hint", ""}};
        auto &lap = target.Add("cboLapMode");
        lap.Lists = {{"items", {"Man. Modus", "Auto Distanz", "Auto Zeit"}}};
        lap.Texts = {{"text", "Man. Modus"}};
        lap.SelectedIndex = 2;
        target.Add("Memo1").Lists = {{"lines", {"one line"}}};
        target.Add("dlgOpen").Texts = {{"filter", ""}};
        target.Add("").Texts = {{"caption", "window"}};
        lang.SetTarget(&target);
        lang.OnChangeLanguage = [this] { writesAtEvent = target.Writes.size(); ++events; };
    }

    void SelectEnglish() { lang.SelectLanguage(1, "English"); }

    TFakeTarget target;
    TsiLang lang;
    qsizetype writesAtEvent = -1;
    int events = 0;
};

TEST_F(TranslationPass, WritesTextsOfActiveLanguageAsStoredThenFiresEvent)
{
    target.Add("lbDevLink").Texts["caption"] = "   Error";  // changed at run time
    SelectEnglish();
    lang.ApplyTranslations();

    EXPECT_EQ(target.Get("btnClose").Texts["caption"], "&Close");
    EXPECT_EQ(target.Get("lblDev1").Texts["caption"], "  Click here to");
    EXPECT_EQ(target.Get("lbDevLink").Texts["caption"], "PC  Link");
    EXPECT_EQ(target.Get("imgDevice").Texts["hint"], "Click image for testing connection...");
    EXPECT_EQ(target.Get("dlgOpen").Texts["filter"], "Settings Files (*.dat)|*.dat");
    EXPECT_EQ(target.Get("Memo1").Lists["lines"],
              QStringList({"Use this dialog for adjusting your Ternu settings.",
                           "After setting the values just press the Transfer button at the right corner for transfering",
                           "the settings to the Ternu device."}));
    EXPECT_EQ(events, 1);
    EXPECT_EQ(writesAtEvent, target.Writes.size());  // the event comes after every write
    EXPECT_EQ(target.Get("").Texts["caption"], "window");  // the caption is never translated
}

TEST_F(TranslationPass, AssignsOnlyWhatDiffersAndKeepsListSelection)
{
    lang.ApplyTranslations();  // German: everything is already as stored
    EXPECT_EQ(target.Writes, QStringList({"imgDevice.Hint", "Memo1.Lines", "dlgOpen.Filter"}));

    target.Writes.clear();
    SelectEnglish();
    lang.ApplyTranslations();
    EXPECT_TRUE(target.Writes.contains("cboLapMode.Items"));
    EXPECT_EQ(target.Get("cboLapMode").Lists["items"],
              QStringList({"Manual Mode", "Auto Distance", "Auto Time"}));
    EXPECT_EQ(target.Get("cboLapMode").SelectedIndex, 2);

    target.Writes.clear();
    lang.ApplyTranslations();
    EXPECT_TRUE(target.Writes.isEmpty());
}

TEST_F(TranslationPass, SkipsMissingControlsAndPropertiesAndKeepsTheirEntries)
{
    target.Controls.remove("lbldev1");
    target.Add("btnSend");  // exists, but has no Caption property
    SelectEnglish();
    lang.ApplyTranslations();

    EXPECT_FALSE(target.HasControl("lblDev1"));
    EXPECT_TRUE(target.Get("btnSend").Texts.isEmpty());
    EXPECT_EQ(target.Get("btnClose").Texts["caption"], "&Close");
    const auto &captions = lang.Table()[stCaptions];
    EXPECT_TRUE(std::any_of(captions.begin(), captions.end(),
                            [](const TTranslationEntry &e) { return e.Key == "lblDev1"; }));
}

TEST_F(TranslationPass, RefusedWriteDoesNotStopThePass)
{
    target.Add("btnClose").RefuseWrites = true;
    SelectEnglish();
    lang.ApplyTranslations();
    EXPECT_EQ(target.Get("btnClose").Texts["caption"], "&Schließen");
    EXPECT_EQ(target.Get("lblDev1").Texts["caption"], "  Click here to");
    EXPECT_EQ(events, 1);
}

TEST_F(TranslationPass, EmptyTextLeavesControlAlone)
{
    TTranslationTable table;
    table[stCaptions] = {{"btnClose", {"&Close", ""}}};
    lang.SetTable(table);
    lang.ApplyTranslations();
    EXPECT_EQ(target.Get("btnClose").Texts["caption"], "&Schließen");
}

TEST_F(TranslationPass, WindowNamesMeanTheWindowAndExcludedTargetsAreCleanedOut)
{
    TTranslationTable table;
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
            k.append(e.Key);
        return k;
    };
    EXPECT_EQ(keys(stCaptions), QStringList({"btnClose"}));
    EXPECT_EQ(keys(stHints), QStringList({"fternusetup"}));
    EXPECT_EQ(keys(stOtherStrings), QStringList({"dlgOpen.Filter"}));
    EXPECT_TRUE(keys(stFonts).isEmpty());

    target.Add("").Texts["hint"] = "";
    lang.ApplyTranslations();
    EXPECT_EQ(target.Get("").Texts["hint"], "window hint");
    EXPECT_EQ(target.Get("").Texts["caption"], "window");
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
