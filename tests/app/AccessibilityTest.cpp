#include "Accessibility.h"
#include "QtDialogs.h"
#include "ToolkitTranslation.h"
#include "LanguageFixture.h"
#include "PhotoButton.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>

namespace {

class AccessibleWindow : public LanguageFixture {
protected:
    // A control as a screen reader reaches it: down the accessible tree from the
    // window, so that a control missing from the tree is not found.
    QAccessibleInterface *Accessible(const char *name) const
    {
        return FindInTree(QAccessible::queryAccessibleInterface(window.get()), QLatin1String(name));
    }
    static QAccessibleInterface *FindInTree(QAccessibleInterface *node, QLatin1String name)
    {
        if (!node)
            return nullptr;
        if (node->object() && node->object()->objectName() == name)
            return node;
        for (int i = 0; i < node->childCount(); ++i)
            if (QAccessibleInterface *found = FindInTree(node->child(i), name))
                return found;
        return nullptr;
    }

    // The name a screen reader speaks. A drop-down list tells its chosen item as
    // its name here; it is named by the label that the Label relation points to.
    QString AccessibleName(const char *name) const
    {
        QAccessibleInterface *iface = Accessible(name);
        if (!iface)
            return QStringLiteral("<no interface>");
        if (iface->role() != QAccessible::ComboBox)
            return iface->text(QAccessible::Name);
        const auto labels = iface->relations(QAccessible::Label);
        return labels.isEmpty() ? QStringLiteral("<no label>") : labels.first().first->text(QAccessible::Name);
    }

    QString AccessibleDescription(const char *name) const
    {
        QAccessibleInterface *iface = Accessible(name);
        return iface ? iface->text(QAccessible::Description) : QStringLiteral("<no interface>");
    }

    // The buttons of the tool's file dialog, read while it is open, then cancelled.
    QStringList FileDialogButtons(QFileDialog::AcceptMode mode)
    {
        QStringList texts;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            for (QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
                texts << button->text().remove(QLatin1Char('&'));  // access keys vary with the state
            dialog->reject();
        });
        const TFileDialogSpec request{QStringLiteral("Settings"), QDir::tempPath(), QString(), QStringLiteral("dat")};
        if (mode == QFileDialog::AcceptOpen)
            QtDialogs().GetOpenFileName(window.get(), request);
        else
            QtDialogs().GetSaveFileName(window.get(), request);
        texts.sort();
        return texts;
    }

    // The context menu of the monitor log, without its separators.
    QStringList ContextMenuItems()
    {
        std::unique_ptr<QMenu> menu(Child<QPlainTextEdit>(*window, "moMonitor")->createStandardContextMenu());
        QStringList texts;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                texts << action->text();
        return texts;
    }

    // The month March as the date field's calendar names it, opened as a user opens
    // it: by a click on the field's arrow.
    QString CalendarMonthOfMarch()
    {
        QDateEdit *field = Child<QDateEdit>(*window, "dtpDate");
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 4, field->height() / 2));
        auto *calendar = field->findChild<QCalendarWidget *>();
        if (!calendar || !calendar->isVisible())
            return QStringLiteral("<no calendar>");
        calendar->setCurrentPage(2024, 3);
        const QString month = calendar->findChild<QToolButton *>("qt_calendar_monthbutton")->text();
        calendar->window()->hide();
        return month;
    }
};

struct TNamedControl {
    const char *Control;
    const char *German;
    const char *English;
};

// Every input control, named by the label in front of it, and the groups by their titles.
const TNamedControl kNames[] = {
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
    InstallShippedLanguages();
    MakeWindow();
    ASSERT_EQ(window->GetLanguageName(), "German");
    for (const TNamedControl &c : kNames)
        EXPECT_EQ(AccessibleName(c.Control), QString::fromUtf8(c.German)) << c.Control;

    Choose("English");
    for (const TNamedControl &c : kNames)
        EXPECT_EQ(AccessibleName(c.Control), QString::fromUtf8(c.English)) << c.Control;

    Choose("German");
    for (const TNamedControl &c : kNames)
        EXPECT_EQ(AccessibleName(c.Control), QString::fromUtf8(c.German)) << c.Control;
}

TEST_F(AccessibleWindow, RadioItemsBelongToTheirOwnGroup)
{
    MakeWindow();
    for (const char *group : {"rgSpeed", "rgWeight", "rgTemp", "rgTime", "grpSampleRate"}) {
        QAccessibleInterface *item = Accessible(QByteArray(group).append("_0").constData());
        ASSERT_NE(item, nullptr) << group;
        EXPECT_EQ(item->parent()->object()->objectName(), QString::fromLatin1(group));
        EXPECT_EQ(item->parent()->role(), QAccessible::Grouping) << group;
    }
}

TEST_F(AccessibleWindow, UnitLabelsDescribeTheirFieldsAndFollowTheUnit)
{
    InstallShippedLanguages();
    MakeWindow();
    const std::pair<const char *, const char *> units[] = {
        {"dtpTime", "(hh:mm:ss)"}, {"edWeight", "kg"},  {"edOdo1", "km"},   {"edWheel1", "mm"},
        {"edOdo2", "km"},          {"edWheel2", "mm"},  {"edHRUpper", "bpm"}, {"edHRLower", "bpm"},
        {"edHomeAlt", "m"},
    };
    // A screen reader leaves a description unsaid that the name contains ("m" is
    // inside "Heimhöhe", "Home Alt" and "Domicile"): the unit must stay apart.
    for (const char *language : {"German", "English", "French"}) {
        Choose(language);
        for (const auto &[field, unit] : units) {
            const QString description = AccessibleDescription(field);
            EXPECT_EQ(description.trimmed(), QString::fromLatin1(unit)) << language << " " << field;
            EXPECT_FALSE(AccessibleName(field).contains(description, Qt::CaseInsensitive))
                << language << " " << field << ": " << description.toStdString();
        }
    }
    EXPECT_EQ(AccessibleName("edHomeAlt"), "Domicile");

    Child<TRadioGroup>(*window, "rgWeight")->SetItemIndex(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return AccessibleDescription("edWeight") == "lb"; }, 5000))
        << AccessibleDescription("edWeight").toStdString();

    Child<QComboBox>(*window, "cboLapMode")->setCurrentIndex(1);
    emit Child<QComboBox>(*window, "cboLapMode")->activated(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return AccessibleDescription("edLapDist") == "km"; }, 5000))
        << AccessibleDescription("edLapDist").toStdString();
    Child<QComboBox>(*window, "cboLapMode")->setCurrentIndex(2);
    emit Child<QComboBox>(*window, "cboLapMode")->activated(2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return AccessibleDescription("edLapTime") == "hh:mm"; }, 5000))
        << AccessibleDescription("edLapTime").toStdString();
}

TEST_F(AccessibleWindow, DropDownListsTellTheirChoiceInTheLanguageShown)
{
    InstallShippedLanguages();
    MakeWindow();
    Child<QComboBox>(*window, "cboSex")->setCurrentIndex(1);
    const struct {
        const char *Language, *Sex, *LapMode;
    } cases[] = {{"German", "weiblich", "Man. Modus"}, {"English", "female", "Manual Mode"},
                 {"German", "weiblich", "Man. Modus"}};
    for (const auto &c : cases) {
        if (window->GetLanguageName() != c.Language)
            Choose(c.Language);
        const std::pair<const char *, const char *> lists[] = {
            {"cboSex", c.Sex}, {"cboLapMode", c.LapMode}, {"cboLang", c.Language}};
        for (const auto &[list, choice] : lists) {
            QAccessibleInterface *box = Accessible(list);
            ASSERT_NE(box, nullptr) << list;
            EXPECT_EQ(box->role(), QAccessible::ComboBox) << list;
            // What the accessibility bus hands a screen reader: the name, the value
            // and the text, from which it takes the value of a box.
            QAccessibleTextInterface *text = box->textInterface();
            ASSERT_NE(text, nullptr) << list;
            const QStringList read = {box->text(QAccessible::Name), box->text(QAccessible::Value),
                                      text->text(0, text->characterCount())};
            EXPECT_EQ(read, QStringList(3, QString::fromUtf8(choice))) << c.Language << " " << list;
        }
    }
}

TEST_F(AccessibleWindow, TabStopsOncePerFieldAndTheArrowsMoveBetweenItsParts)
{
    MakeWindow();
    ShowActive();
    Child<QComboBox>(*window, "cboLang")->setFocus(Qt::TabFocusReason);
    QStringList stops;
    for (int i = 0; i < 25; ++i) {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        stops << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(stops, QStringList({"cboLang",   "dtpTime",         "dtpDate",   "chkPCTime",  "cboSex",
                                  "edWeight",  "edOdo1",          "edWheel1",  "edOdo2",     "edWheel2",
                                  "cboLapMode", "edHRUpper",      "edHRLower", "grpSampleRate_2", "edHomeAlt",
                                  "rgSpeed_0", "rgWeight_0",      "rgTemp_0",  "rgTime_0",   "btnUnits",
                                  "imgDevice", "btnSend",         "btnDelete", "btnClose",   "cboLang"}));

    // Back with Shift+Tab, one stop per field as well.
    Child<QCheckBox>(*window, "chkPCTime")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Child<QCheckBox>(*window, "chkPCTime"), Qt::Key_Backtab);
    EXPECT_TRUE(Child<QDateEdit>(*window, "dtpDate")->hasFocus());
    QTest::keyClick(Child<QDateEdit>(*window, "dtpDate"), Qt::Key_Backtab);
    EXPECT_TRUE(Child<QTimeEdit>(*window, "dtpTime")->hasFocus());

    // Inside a field Left and Right select its parts, and Up changes the one selected.
    Child<QCheckBox>(*window, "chkPCTime")->setChecked(false);  // the clock no longer follows the PC
    Child<QTimeEdit>(*window, "dtpTime")->setTime(QTime(10, 20, 30));
    Child<QComboBox>(*window, "cboLang")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Child<QComboBox>(*window, "cboLang"), Qt::Key_Tab);  // enters the time at its first part
    ASSERT_TRUE(Child<QTimeEdit>(*window, "dtpTime")->hasFocus());
    QStringList selected;
    const Qt::Key keys[] = {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Up};
    for (Qt::Key key : keys) {
        QTest::keyClick(Child<QTimeEdit>(*window, "dtpTime"), key);
        selected << Child<QTimeEdit>(*window, "dtpTime")->findChild<QLineEdit *>()->selectedText();
    }
    EXPECT_EQ(selected, QStringList({"20", "30", "30", "20", "21"}));
    EXPECT_EQ(Child<QTimeEdit>(*window, "dtpTime")->time(), QTime(10, 21, 30));
    EXPECT_TRUE(Child<QTimeEdit>(*window, "dtpTime")->hasFocus());

    Child<QCheckBox>(*window, "chkPCTime")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Child<QCheckBox>(*window, "chkPCTime"), Qt::Key_Backtab);  // enters the date at its last part
    ASSERT_TRUE(Child<QDateEdit>(*window, "dtpDate")->hasFocus());
    QList<int> parts;
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left})
        QTest::keyClick(Child<QDateEdit>(*window, "dtpDate"), key), parts << Child<QDateEdit>(*window, "dtpDate")->currentSectionIndex();
    EXPECT_EQ(parts, QList<int>({2, 1, 0, 0}));
}

TEST_F(AccessibleWindow, DevicePhotoIsOneButtonThatStartsTheConnectionTest)
{
    MakeWindow();
    QAccessibleInterface *photo = Accessible("imgDevice");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->role(), QAccessible::Button);
    for (const char *prompt : {"lblDev1", "lblDev2", "lblDev3"})
        EXPECT_TRUE(Accessible(prompt)->state().invisible) << prompt;
    QAccessibleActionInterface *actions = photo->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));

    // Reached by Tab just before the transfer button, with a visible focus frame.
    ShowActive();
    Child<QPushButton>(*window, "btnUnits")->setFocus();
    QTest::keyClick(Child<QPushButton>(*window, "btnUnits"), Qt::Key_Tab);
    ASSERT_TRUE(Child<TPhotoButton>(*window, "imgDevice")->hasFocus());
    const QImage focused = Child<TPhotoButton>(*window, "imgDevice")->grab().toImage();
    QTest::keyClick(Child<TPhotoButton>(*window, "imgDevice"), Qt::Key_Tab);
    ASSERT_TRUE(Child<QPushButton>(*window, "btnSend")->hasFocus());
    EXPECT_NE(Child<TPhotoButton>(*window, "imgDevice")->grab().toImage(), focused) << "no focus frame";

    // The space bar and the press action start the test; each test disables the
    // photo until it ends, and a disabled photo starts nothing.
    const auto testEnded = [&] { return QTest::qWaitFor([&] { return Child<TPhotoButton>(*window, "imgDevice")->isEnabled(); }, 10000); };
    QSignalSpy clicks(Child<TPhotoButton>(*window, "imgDevice"), &QAbstractButton::clicked);
    Child<TPhotoButton>(*window, "imgDevice")->setFocus();
    QTest::keyClick(Child<TPhotoButton>(*window, "imgDevice"), Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_TRUE(testEnded());
    // The press action shows the button pressed for a moment, then clicks it.
    actions->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(QTest::qWaitFor([&] { return clicks.count() == 2; }, 5000));
    EXPECT_FALSE(Child<TPhotoButton>(*window, "imgDevice")->isEnabled());
    actions->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(testEnded());
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(AccessibleWindow, ToolkitDialogsSpeakTheLanguageInUse)
{
    InstallShippedLanguages();
    // A language the toolkit has no texts for.
    WriteLanguageFile("Svenska.sil", "[Language names - for internal use only!]\nLanguage_1=Svenska\n");
    MakeWindow();
    // The date field keeps the system's format whatever the calendar speaks.
    Child<QCheckBox>(*window, "chkPCTime")->setChecked(false);
    Child<QDateEdit>(*window, "dtpDate")->setDate(QDate(2024, 3, 5));
    const QString dateText = Child<QDateEdit>(*window, "dtpDate")->text();

    EXPECT_EQ(FileDialogButtons(QFileDialog::AcceptOpen), QStringList({"Abbrechen", "Öffnen"}));
    EXPECT_EQ(FileDialogButtons(QFileDialog::AcceptSave), QStringList({"Abbrechen", "Speichern"}));
    EXPECT_EQ(CalendarMonthOfMarch(), "März");
    EXPECT_EQ(ContextMenuItems(), QStringList({"&Kopieren\tStrg+C", "Alles auswählen\tStrg+A"}));

    Choose("French");
    EXPECT_EQ(FileDialogButtons(QFileDialog::AcceptOpen), QStringList({"Annuler", "Ouvrir"}));
    EXPECT_EQ(CalendarMonthOfMarch(), "mars");
    EXPECT_EQ(Child<QDateEdit>(*window, "dtpDate")->text(), dateText);
    EXPECT_EQ(Child<QDateEdit>(*window, "dtpDate")->date(), QDate(2024, 3, 5));

    Choose("English");
    EXPECT_EQ(FileDialogButtons(QFileDialog::AcceptOpen), QStringList({"Cancel", "Open"}));
    EXPECT_EQ(CalendarMonthOfMarch(), "March");
    EXPECT_EQ(ContextMenuItems(), QStringList({"&Copy\tCtrl+C", "Select All\tCtrl+A"}));

    const struct {
        const char *Language, *March, *Buttons;
    } others[] = {{"Italian", "marzo", "Annulla|Apri"},
                  {"Dutch", "maart", "Annuleren|Openen"},
                  {"Spanish", "marzo", "Abrir|Cancelar"}};
    for (const auto &c : others) {
        Choose(c.Language);
        EXPECT_EQ(CalendarMonthOfMarch(), QString::fromLatin1(c.March)) << c.Language;
        EXPECT_EQ(FileDialogButtons(QFileDialog::AcceptOpen).join(u'|'), QString::fromLatin1(c.Buttons)) << c.Language;
    }
    Choose("Svenska");
    EXPECT_EQ(window->GetLanguageName(), "Svenska");
    EXPECT_EQ(FileDialogButtons(QFileDialog::AcceptOpen), QStringList({"Cancel", "Open"}));
}

TEST(LinkStateNews, EachNewStateIsToldOnce)
{
    // The captions of a failed ping that blinks, then of a transfer.
    const char *captions[] = {"PC Link", "   Error", "", "   Error", "", "   Error", "PC Link",
                              "Sending", "    OK",   "    OK", "PC Link"};
    TLinkStateNews news(QStringLiteral("PC  Link"));  // as the window starts
    QStringList told;
    for (const char *caption : captions)
        if (news.IsNews(QString::fromLatin1(caption)))
            told << QString::fromLatin1(caption);
    EXPECT_EQ(told, QStringList({"   Error", "PC Link", "Sending", "    OK", "PC Link"}));
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
