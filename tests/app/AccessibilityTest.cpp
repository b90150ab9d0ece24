#include "ToolkitTranslation.h"
#include "LanguageFixture.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

namespace {

class AccessibleWindow : public LanguageFixture {
protected:
    QAccessibleInterface *accessible(const char *name) const
    {
        QObject *object = window->findChild<QObject *>(QString::fromLatin1(name));
        return object ? QAccessible::queryAccessibleInterface(object) : nullptr;
    }

    // The name a screen reader speaks. A drop-down list tells its chosen item as
    // its name here; it is named by the label that the Label relation points to.
    QString accessibleName(const char *name) const
    {
        QAccessibleInterface *iface = accessible(name);
        if (!iface)
            return QStringLiteral("<no interface>");
        if (iface->role() != QAccessible::ComboBox)
            return iface->text(QAccessible::Name);
        const auto labels = iface->relations(QAccessible::Label);
        return labels.isEmpty() ? QStringLiteral("<no label>") : labels.first().first->text(QAccessible::Name);
    }

    QString accessibleDescription(const char *name) const
    {
        QAccessibleInterface *iface = accessible(name);
        return iface ? iface->text(QAccessible::Description) : QStringLiteral("<no interface>");
    }

    // The buttons of a file dialog drawn by the toolkit itself.
    QStringList fileDialogButtons(QFileDialog::AcceptMode mode)
    {
        QFileDialog dialog(window.get());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(mode);
        QStringList texts;
        for (QAbstractButton *button : dialog.findChild<QDialogButtonBox *>()->buttons())
            texts << button->text();
        texts.sort();
        return texts;
    }

    // The context menu of the monitor log, without its separators.
    QStringList contextMenuItems()
    {
        std::unique_ptr<QMenu> menu(window->moMonitor->createStandardContextMenu());
        QStringList texts;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                texts << action->text();
        return texts;
    }

    QString calendarMonthOfMarch()
    {
        QCalendarWidget *calendar = window->dtpDate->calendarWidget();
        calendar->setCurrentPage(2024, 3);
        return calendar->findChild<QToolButton *>("qt_calendar_monthbutton")->text();
    }
};

struct NamedControl {
    const char *control;
    const char *german;
    const char *english;
};

// Every input control, named by the label in front of it, and the groups by their titles.
const NamedControl kNames[] = {
    {"dtpTime", "Zeit", "Time"},
    {"dtpDate", "Datum", "Date"},
    {"cboSex", "Geschlecht", "Sex"},
    {"edWeight", "Gewicht", "Weight"},
    {"edOdo1", "Odo", "Odo"},
    {"edWheel1", "Radgröße", "Wheelsize"},
    {"edOdo2", "Odo", "Odo"},
    {"edWheel2", "Radgröße", "Wheelsize"},
    {"cboLapMode", "Modus", "Mode"},
    {"edLapDist", "Auto Distanz", "Auto Distance"},
    {"edLapTime", "Auto Zeit", "Auto Time"},
    {"edHRUpper", "Obere", "Upper"},
    {"edHRLower", "Untere", "Lower"},
    {"edHomeAlt", "Heimhöhe", "Home Alt"},
    {"cboLang", "Sprache", "Language"},
    {"moMonitor", "Monitor:", "Monitor:"},
    {"rgSpeed", "Geschw.", "Speed"},
    {"rgWeight", "Gewicht", "Weight"},
    {"rgTemp", "Temperatur", "Temperature"},
    {"rgTime", "Zeit", "Time"},
    {"grpSampleRate", "Rekorder Samplerate", "Recorder Samplerate"},
    {"imgDevice", "Mausklick zum Testen Verbindung.", "Click here to test Connection."},
    {"btnWheel1", "Wählen Sie einen vordefinierten Wert", "Select predefined value from list"},
    {"btnwheel2", "Wählen Sie einen vordefinierten Wert", "Select predefined value from list"},
};

TEST_F(AccessibleWindow, ControlsAreNamedByTheirLabelsInTheLanguageShown)
{
    installShippedLanguages();
    makeWindow();
    ASSERT_EQ(window->GetLanguageName(), "German");
    for (const NamedControl &c : kNames)
        EXPECT_EQ(accessibleName(c.control), QString::fromUtf8(c.german)) << c.control;

    choose("English");
    for (const NamedControl &c : kNames)
        EXPECT_EQ(accessibleName(c.control), QString::fromUtf8(c.english)) << c.control;

    choose("German");
    for (const NamedControl &c : kNames)
        EXPECT_EQ(accessibleName(c.control), QString::fromUtf8(c.german)) << c.control;
}

TEST_F(AccessibleWindow, RadioItemsBelongToTheirOwnGroup)
{
    makeWindow();
    for (const char *group : {"rgSpeed", "rgWeight", "rgTemp", "rgTime", "grpSampleRate"}) {
        QAccessibleInterface *item = accessible(QByteArray(group).append("_0").constData());
        ASSERT_NE(item, nullptr) << group;
        EXPECT_EQ(item->parent()->object()->objectName(), QString::fromLatin1(group));
        EXPECT_EQ(item->parent()->role(), QAccessible::Grouping) << group;
    }
}

TEST_F(AccessibleWindow, UnitLabelsDescribeTheirFieldsAndFollowTheUnit)
{
    makeWindow();
    const std::pair<const char *, const char *> units[] = {
        {"dtpTime", "(hh:mm:ss)"}, {"edWeight", "kg"},  {"edOdo1", "km"},   {"edWheel1", "mm"},
        {"edOdo2", "km"},          {"edWheel2", "mm"},  {"edHRUpper", "bpm"}, {"edHRLower", "bpm"},
        {"edHomeAlt", "m"},
    };
    for (const auto &[field, unit] : units)
        EXPECT_EQ(accessibleDescription(field), QString::fromLatin1(unit)) << field;

    window->rgWeight->setItemIndex(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return accessibleDescription("edWeight") == "lb"; }, 5000))
        << accessibleDescription("edWeight").toStdString();

    window->cboLapMode->setCurrentIndex(1);
    emit window->cboLapMode->activated(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return accessibleDescription("edLapDist") == "km"; }, 5000))
        << accessibleDescription("edLapDist").toStdString();
    window->cboLapMode->setCurrentIndex(2);
    emit window->cboLapMode->activated(2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return accessibleDescription("edLapTime") == "hh:mm"; }, 5000))
        << accessibleDescription("edLapTime").toStdString();
}

TEST_F(AccessibleWindow, DevicePhotoIsOneButtonThatStartsTheConnectionTest)
{
    makeWindow();
    QAccessibleInterface *photo = accessible("imgDevice");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->role(), QAccessible::Button);
    for (const char *prompt : {"lblDev1", "lblDev2", "lblDev3"})
        EXPECT_TRUE(accessible(prompt)->state().invisible) << prompt;
    QAccessibleActionInterface *actions = photo->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));

    // Reached by Tab just before the transfer button, with a visible focus frame.
    showActive();
    window->btnUnits->setFocus();
    QTest::keyClick(window->btnUnits, Qt::Key_Tab);
    ASSERT_TRUE(window->imgDevice->hasFocus());
    const QImage focused = window->imgDevice->grab().toImage();
    QTest::keyClick(window->imgDevice, Qt::Key_Tab);
    ASSERT_TRUE(window->btnSend->hasFocus());
    EXPECT_NE(window->imgDevice->grab().toImage(), focused) << "no focus frame";

    // The space bar and the press action start the test; each test disables the
    // photo until it ends, and a disabled photo starts nothing.
    const auto testEnded = [&] { return QTest::qWaitFor([&] { return window->imgDevice->isEnabled(); }, 10000); };
    QSignalSpy clicks(window->imgDevice, &TClickLabel::clicked);
    window->imgDevice->setFocus();
    QTest::keyClick(window->imgDevice, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_TRUE(testEnded());
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_FALSE(window->imgDevice->isEnabled());
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 2);
    ASSERT_TRUE(testEnded());
}

TEST_F(AccessibleWindow, ToolkitDialogsSpeakTheLanguageInUse)
{
    installShippedLanguages();
    // A language the toolkit has no texts for.
    writeLanguageFile("Svenska.sil", "[Language names - for internal use only!]\nLanguage_1=Svenska\n");
    makeWindow();

    EXPECT_EQ(fileDialogButtons(QFileDialog::AcceptOpen), QStringList({"&Öffnen", "Abbrechen"}));
    EXPECT_EQ(fileDialogButtons(QFileDialog::AcceptSave), QStringList({"Abbrechen", "S&peichern"}));
    EXPECT_EQ(calendarMonthOfMarch(), "März");
    EXPECT_EQ(contextMenuItems(), QStringList({"&Kopieren\tStrg+C", "Alles auswählen\tStrg+A"}));

    choose("French");
    EXPECT_EQ(fileDialogButtons(QFileDialog::AcceptOpen), QStringList({"&Ouvrir", "Annuler"}));
    EXPECT_EQ(calendarMonthOfMarch(), "mars");

    choose("English");
    EXPECT_EQ(fileDialogButtons(QFileDialog::AcceptOpen), QStringList({"&Open", "Cancel"}));
    EXPECT_EQ(calendarMonthOfMarch(), "March");
    EXPECT_EQ(contextMenuItems(), QStringList({"&Copy\tCtrl+C", "Select All\tCtrl+A"}));

    choose("Spanish");
    choose("Svenska");
    EXPECT_EQ(window->GetLanguageName(), "Svenska");
    EXPECT_EQ(fileDialogButtons(QFileDialog::AcceptOpen), QStringList({"&Open", "Cancel"}));
}

TEST(ToolkitLocale, FollowsTheLanguageNameLikeTheFlags)
{
    const std::pair<const char *, const char *> cases[] = {
        {"German", "de"}, {"Deutsch", "de"}, {"French", "fr"}, {"Italian", "it"}, {"Dutch", "nl"},
        {"Spanish", "es"}, {"English", "en"}, {"Svenska", "en"}, {"", "en"},
    };
    for (const auto &[language, locale] : cases)
        EXPECT_EQ(ToolkitLocaleName(QString::fromLatin1(language)), QString::fromLatin1(locale)) << language;
}

}  // namespace
