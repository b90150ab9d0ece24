#include "WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

class SettingsRulesTest : public WindowFixture {
protected:
    // The four unit choices, in the order speed, weight, temperature, time.
    static std::array<int, 4> Units(const TFTernuSetup &w)
    {
        return {Child<TRadioGroup>(w, "rgSpeed")->ItemIndex(), Child<TRadioGroup>(w, "rgWeight")->ItemIndex(), Child<TRadioGroup>(w, "rgTemp")->ItemIndex(), Child<TRadioGroup>(w, "rgTime")->ItemIndex()};
    }

    // Types a number into a spin field the way a user does, then leaves the field.
    static void TypeAndLeave(QAbstractSpinBox *field, const QString &text, QWidget *next)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        next->setFocus();
        QApplication::processEvents();
    }

    // The clock at 14:35 on 10 August 2010, not following the PC clock.
    static void SetExampleClock(TFTernuSetup &w)
    {
        const QSignalBlocker blockTime(Child<QTimeEdit>(w, "dtpTime")), blockDate(Child<QDateEdit>(w, "dtpDate"));
        Child<QTimeEdit>(w, "dtpTime")->setTime(QTime(14, 35, 12));
        Child<QDateEdit>(w, "dtpDate")->setDate(QDate(2010, 8, 10));
    }

    static std::string PayloadHex(const TFTernuSetup &w)
    {
        QStringList parts;
        for (quint8 b : w.BuiltPayload().Bytes)
            parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        return parts.join(' ').toStdString();
    }
};

TEST_F(SettingsRulesTest, UnitButtonAlternatesOnItsOwnStateAndConvertsTheWeight)
{
    TFTernuSetup &w = MakeWindow();
    ASSERT_EQ(Units(w), (std::array{0, 0, 0, 0}));

    Child<QPushButton>(w, "btnUnits")->click();  // first press selects metric: nothing visible changes
    EXPECT_EQ(Units(w), (std::array{0, 0, 0, 0}));
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), 80);
    EXPECT_EQ(Child<QLabel>(w, "lbKG")->text(), "kg");

    Child<QPushButton>(w, "btnUnits")->click();
    EXPECT_EQ(Units(w), (std::array{1, 1, 1, 1}));
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), 176);
    EXPECT_EQ(Child<QLabel>(w, "lbKG")->text(), "lb");

    // The user picks kg by hand; the next press still selects metric (toggle now true).
    Child<TRadioGroup>(w, "rgWeight")->Button(0)->click();
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), 80);
    EXPECT_EQ(Child<QLabel>(w, "lbKG")->text(), "kg");
    Child<QPushButton>(w, "btnUnits")->click();
    EXPECT_EQ(Units(w), (std::array{0, 0, 0, 0}));
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), 80);
    // ... and the press after it imperial again.
    Child<QPushButton>(w, "btnUnits")->click();
    EXPECT_EQ(Units(w), (std::array{1, 1, 1, 1}));
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), 176);
}

TEST_F(SettingsRulesTest, WeightUnitClickConvertsThroughTheFieldsCrop)
{
    struct TCase {
        int Weight;
        int Unit;      // chosen with the radio button
        int Expected;
    };
    TFTernuSetup &w = MakeWindow();
    // Each step starts from what the previous one left.
    // The field's range moves with the unit: 1 to 220 kg, 1 to 485 lb.
    for (const TCase &c : {TCase{300, 0, 220}, TCase{220, 1, 485}, TCase{485, 0, 220}, TCase{1, 1, 2}, TCase{1, 0, 1},
                          TCase{80, 0, 80}}) {
        Child<TSpinEdit>(w, "edWeight")->setValue(c.Weight);
        Child<TRadioGroup>(w, "rgWeight")->Button(c.Unit)->click();
        EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), c.Expected) << c.Weight << " -> unit " << c.Unit;
        EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->maximum(), c.Unit ? 485 : 220);
        EXPECT_EQ(Child<QLabel>(w, "lbKG")->text(), c.Unit ? "lb" : "kg");
        // The unit is taken: running its handler again converts nothing.
        w.rgWeightClick();
        EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), c.Expected);
    }
}

TEST_F(SettingsRulesTest, WheelPresetMenuOpensBelowTheButtonAndFillsThatBike)
{
    TFTernuSetup &w = MakeWindow();
    ShowActive();

    Child<QToolButton>(w, "btnwheel2")->click();
    ASSERT_TRUE(Child<QMenu>(w, "mnuWheel")->isVisible());
    EXPECT_EQ(Child<QMenu>(w, "mnuWheel")->pos(), Child<QToolButton>(w, "btnwheel2")->mapToGlobal(QPoint(0, Child<QToolButton>(w, "btnwheel2")->height())));
    Child<QAction>(w, "N26x211")->trigger();
    Child<QMenu>(w, "mnuWheel")->hide();
    EXPECT_EQ(Child<TSpinEdit>(w, "edWheel2")->value(), 2068);
    EXPECT_EQ(Child<TSpinEdit>(w, "edWheel1")->value(), 2130);

    Child<QToolButton>(w, "btnWheel1")->click();
    ASSERT_TRUE(Child<QMenu>(w, "mnuWheel")->isVisible());
    EXPECT_EQ(Child<QMenu>(w, "mnuWheel")->pos(), Child<QToolButton>(w, "btnWheel1")->mapToGlobal(QPoint(0, Child<QToolButton>(w, "btnWheel1")->height())));
    Child<QAction>(w, "N650x23c1")->trigger();
    Child<QMenu>(w, "mnuWheel")->hide();
    EXPECT_EQ(Child<TSpinEdit>(w, "edWheel1")->value(), 1930);
    EXPECT_EQ(Child<TSpinEdit>(w, "edWheel2")->value(), 2068);
}

TEST_F(SettingsRulesTest, HeartRateFieldJustLeftYieldsToTheOther)
{
    TFTernuSetup &w = MakeWindow();
    ShowActive();

    TypeAndLeave(Child<TSpinEdit>(w, "edHRLower"), QStringLiteral("170"), Child<TSpinEdit>(w, "edWeight"));
    EXPECT_EQ(Child<TSpinEdit>(w, "edHRLower")->value(), 150);
    EXPECT_EQ(Child<TSpinEdit>(w, "edHRUpper")->value(), 150);

    Child<TSpinEdit>(w, "edHRLower")->setValue(130);
    TypeAndLeave(Child<TSpinEdit>(w, "edHRUpper"), QStringLiteral("100"), Child<TSpinEdit>(w, "edWeight"));
    EXPECT_EQ(Child<TSpinEdit>(w, "edHRUpper")->value(), 130);
    EXPECT_EQ(Child<TSpinEdit>(w, "edHRLower")->value(), 130);

    // Typing above the range crops at once; a consistent pair stays as typed.
    TypeAndLeave(Child<TSpinEdit>(w, "edHRUpper"), QStringLiteral("300"), Child<TSpinEdit>(w, "edWeight"));
    EXPECT_EQ(Child<TSpinEdit>(w, "edHRUpper")->value(), 240);
    EXPECT_EQ(Child<TSpinEdit>(w, "edHRLower")->value(), 130);
}

TEST_F(SettingsRulesTest, LapModeShowsItsFieldAndKeepsTheOthersValue)
{
    TFTernuSetup &w = MakeWindow();
    ShowActive();
    auto shown = [&](QWidget *control) { return control->isVisibleTo(Child<QGroupBox>(w, "grpStopWatch")); };
    ASSERT_FALSE(shown(Child<TFloatSpinEdit>(w, "edLapDist")) || shown(Child<QTimeEdit>(w, "edLapTime")) || shown(Child<QLabel>(w, "lblLapMode")));

    Child<QComboBox>(w, "cboLapMode")->setFocus();
    QTest::keyClick(Child<QComboBox>(w, "cboLapMode"), Qt::Key_Down);  // the user picks "by distance"
    EXPECT_EQ(Child<QComboBox>(w, "cboLapMode")->currentIndex(), 1);
    EXPECT_TRUE(shown(Child<TFloatSpinEdit>(w, "edLapDist")));
    EXPECT_FALSE(shown(Child<QTimeEdit>(w, "edLapTime")));
    EXPECT_TRUE(shown(Child<QLabel>(w, "lblLapMode")));
    EXPECT_EQ(Child<QLabel>(w, "lblStop")->text(), "km");

    Child<TFloatSpinEdit>(w, "edLapDist")->setValue(12.5);
    QTest::keyClick(Child<QComboBox>(w, "cboLapMode"), Qt::Key_Down);
    EXPECT_FALSE(shown(Child<TFloatSpinEdit>(w, "edLapDist")));
    EXPECT_TRUE(shown(Child<QTimeEdit>(w, "edLapTime")));
    EXPECT_TRUE(shown(Child<QLabel>(w, "lblLapMode")));
    EXPECT_EQ(Child<QLabel>(w, "lblStop")->text(), "hh:mm");
    // The unit label is created empty: it must grow with its text, not clip it.
    EXPECT_GE(Child<QLabel>(w, "lblStop")->width(), Child<QLabel>(w, "lblStop")->fontMetrics().horizontalAdvance(QStringLiteral("hh:mm")));

    QTest::keyClick(Child<QComboBox>(w, "cboLapMode"), Qt::Key_Home);
    EXPECT_FALSE(shown(Child<TFloatSpinEdit>(w, "edLapDist")) || shown(Child<QTimeEdit>(w, "edLapTime")) || shown(Child<QLabel>(w, "lblLapMode")));
    EXPECT_EQ(Child<QLabel>(w, "lblStop")->text(), "");
    EXPECT_DOUBLE_EQ(Child<TFloatSpinEdit>(w, "edLapDist")->value(), 12.5);

    // A change by the program runs no rule; the callers run it themselves.
    Child<QComboBox>(w, "cboLapMode")->setCurrentIndex(1);
    EXPECT_FALSE(shown(Child<TFloatSpinEdit>(w, "edLapDist")));
    w.cboLapModeChange();
    EXPECT_TRUE(shown(Child<TFloatSpinEdit>(w, "edLapDist")));
}

TEST_F(SettingsRulesTest, LapTimeHourAboveNineBecomesNine)
{
    TFTernuSetup &w = MakeWindow();
    EXPECT_EQ(Child<QTimeEdit>(w, "edLapTime")->displayFormat(), "HH:mm");
    Child<QTimeEdit>(w, "edLapTime")->setTime(QTime(23, 10));  // as a user edit: the change signal runs
    EXPECT_EQ(Child<QTimeEdit>(w, "edLapTime")->time(), QTime(9, 10));
    Child<QTimeEdit>(w, "edLapTime")->setTime(QTime(11, 45));
    EXPECT_EQ(Child<QTimeEdit>(w, "edLapTime")->time(), QTime(9, 45));
    Child<QTimeEdit>(w, "edLapTime")->setTime(QTime(9, 59));
    EXPECT_EQ(Child<QTimeEdit>(w, "edLapTime")->time(), QTime(9, 59));
}

TEST_F(SettingsRulesTest, SexPictureFollowsTheUsersChoiceOnly)
{
    TFTernuSetup &w = MakeWindow();
    ShowActive();
    Child<QComboBox>(w, "cboSex")->setFocus();
    QTest::keyClick(Child<QComboBox>(w, "cboSex"), Qt::Key_Down);
    EXPECT_EQ(Child<QComboBox>(w, "cboSex")->currentIndex(), 1);
    EXPECT_EQ(ImageOf(Child<QLabel>(w, "imgUserSex")->pixmap()), AssetImage("sex_female.png"));

    Child<QComboBox>(w, "cboSex")->setCurrentIndex(0);  // by the program: no handler
    EXPECT_EQ(ImageOf(Child<QLabel>(w, "imgUserSex")->pixmap()), AssetImage("sex_female.png"));
    w.UpdateSexImage();
    EXPECT_EQ(ImageOf(Child<QLabel>(w, "imgUserSex")->pixmap()), AssetImage("sex_male.png"));
}

TEST_F(SettingsRulesTest, BuildSettingsFromTheControls)
{
    TFTernuSetup &w = MakeWindow();
    SetExampleClock(w);
    w.BuildSettings();
    EXPECT_EQ(PayloadHex(w), "00 00 00 00 00 00 52 08 00 08 B0 00 00 00 96 82 35 14 10 08 10 00 14 00 00 02 A8 00");
    EXPECT_EQ(w.BuiltPayload().Checksum, 0x59);
    EXPECT_EQ(w.BuiltPayload().Length, 28);
    EXPECT_EQ(w.BuiltPayload().Text, "0000000000000852080000B0000096820000140002A801");
    // The command byte of the frame is counted on top.
    TSettingsPayload frame = w.BuiltPayload();
    frame.AddToChecksum(0x0C);
    EXPECT_EQ(frame.Checksum, 0x65);
    EXPECT_EQ(frame.Length, 29);

    // Corrections show in the window; the lb weight and the lap hour only go out capped.
    Child<TSpinEdit>(w, "edHRUpper")->setValue(20);
    Child<TSpinEdit>(w, "edHRLower")->setValue(25);
    Child<TRadioGroup>(w, "rgWeight")->Button(1)->click();
    Child<TSpinEdit>(w, "edWeight")->setValue(485);
    {
        const QSignalBlocker block(Child<QTimeEdit>(w, "edLapTime"));
        Child<QTimeEdit>(w, "edLapTime")->setTime(QTime(15, 30));
    }
    w.BuildSettings();
    EXPECT_EQ(Child<TSpinEdit>(w, "edHRUpper")->value(), 30);
    EXPECT_EQ(Child<TSpinEdit>(w, "edHRLower")->value(), 30);
    EXPECT_EQ(w.BuiltPayload().Bytes[14], 30);
    EXPECT_EQ(w.BuiltPayload().Bytes[15], 30);
    EXPECT_EQ(w.BuiltPayload().Bytes[10], 0xE5);
    EXPECT_EQ(w.BuiltPayload().Bytes[11], 0x01);
    EXPECT_EQ(w.BuiltPayload().Bytes[25], 9);
    EXPECT_EQ(Child<QTimeEdit>(w, "edLapTime")->time(), QTime(15, 30));
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), 485);

    // A number still being typed counts as cropped.
    Child<TSpinEdit>(w, "edHomeAlt")->findChild<QLineEdit *>()->setText(QStringLiteral("9000"));
    w.BuildSettings();
    EXPECT_EQ(Child<TSpinEdit>(w, "edHomeAlt")->value(), 6000);
    EXPECT_EQ(w.BuiltPayload().Bytes[12], 0x70);
    EXPECT_EQ(w.BuiltPayload().Bytes[13], 0x17);
}

TEST_F(SettingsRulesTest, SettingsTextAppliedToTheControls)
{
    const QString example = QStringLiteral("0000000000000852080000B0000096820000140002A801");
    TFTernuSetup &w = MakeWindow();

    // Shown in lb: 176 lb are read, and the text's own unit (kg) converts them to 80 kg.
    Child<TRadioGroup>(w, "rgWeight")->Button(1)->click();
    Child<TSpinEdit>(w, "edOdo1")->setValue(777);
    w.ApplySettingsText(example);
    EXPECT_EQ(Child<TSpinEdit>(w, "edOdo1")->value(), 0);
    EXPECT_EQ(Child<TRadioGroup>(w, "rgWeight")->ItemIndex(), 0);
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), 80);
    EXPECT_EQ(Child<QLabel>(w, "lbKG")->text(), "kg");
    w.rgWeightClick();  // kg is the unit in use: nothing to convert
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), 80);

    // 177 lb into a window in kg, with the text naming lb: taken as it stands.
    QString pounds = example;
    pounds.replace(20, 4, QStringLiteral("00B1")).replace(42, 2, QStringLiteral("20"));
    w.ApplySettingsText(pounds);
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), 177);
    EXPECT_EQ(Child<TRadioGroup>(w, "rgWeight")->ItemIndex(), 1);
    EXPECT_EQ(Child<QLabel>(w, "lbKG")->text(), "lb");
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->maximum(), 485);
    EXPECT_EQ(Child<TRadioGroup>(w, "grpSampleRate")->ItemIndex(), 0);  // flags 20: 24 h and 5 s
    EXPECT_EQ(Child<TRadioGroup>(w, "rgTime")->ItemIndex(), 0);

    // An empty text changes nothing.
    Child<TSpinEdit>(w, "edOdo1")->setValue(5);
    w.ApplySettingsText(QString());
    EXPECT_EQ(Child<TSpinEdit>(w, "edOdo1")->value(), 5);
}

TEST_F(SettingsRulesTest, SettingsTextRunsThePCClockAndSexRules)
{
    TFTernuSetup &w = MakeWindow();
    ASSERT_TRUE(Child<QCheckBox>(w, "chkPCTime")->isChecked());
    ASSERT_TRUE(Child<QTimer>(w, "Timer1")->isActive());

    // Female, no PC clock.
    w.ApplySettingsText(QStringLiteral("0000000000000852080000B0000096820000140002AA00"));
    EXPECT_FALSE(Child<QCheckBox>(w, "chkPCTime")->isChecked());
    EXPECT_FALSE(Child<QTimer>(w, "Timer1")->isActive());
    EXPECT_EQ(Child<QComboBox>(w, "cboSex")->currentIndex(), 1);
    EXPECT_EQ(ImageOf(Child<QLabel>(w, "imgUserSex")->pixmap()), AssetImage("sex_female.png"));

    w.ApplySettingsText(QStringLiteral("0000000000000852080000B0000096820000140002A801"));
    EXPECT_TRUE(Child<QCheckBox>(w, "chkPCTime")->isChecked());
    EXPECT_TRUE(Child<QTimer>(w, "Timer1")->isActive());
    EXPECT_EQ(Child<QComboBox>(w, "cboSex")->currentIndex(), 0);
    EXPECT_EQ(ImageOf(Child<QLabel>(w, "imgUserSex")->pixmap()), AssetImage("sex_male.png"));
}

TEST_F(SettingsRulesTest, TextRoundTripsThroughTheWindow)
{
    TFTernuSetup &w = MakeWindow();
    SetExampleClock(w);
    // Every field away from its default, lap hour 15 and a lap mode outside the list.
    const QString text = QStringLiteral("01869F0004D2081407D001E5FF9CA078070064450F5600");
    w.ApplySettingsText(text);
    EXPECT_EQ(Child<QComboBox>(w, "cboLapMode")->currentIndex(), -1) << "no listed mode is shown";
    EXPECT_EQ(Child<QTimeEdit>(w, "edLapTime")->time(), QTime(9, 45)) << "shown as it is sent";
    w.cboLapModeChange();  // as after a load: changes nothing for such a mode
    EXPECT_FALSE(Child<TFloatSpinEdit>(w, "edLapDist")->isVisibleTo(Child<QGroupBox>(w, "grpStopWatch")) || Child<QTimeEdit>(w, "edLapTime")->isVisibleTo(Child<QGroupBox>(w, "grpStopWatch")));

    w.BuildSettings();
    // Everything goes out as it came (the hour as 9), the lap mode included.
    QString expected = text;
    expected.replace(40, 2, QStringLiteral("09"));
    EXPECT_EQ(w.BuiltPayload().Text, expected);
    EXPECT_EQ(w.BuiltPayload().Bytes[21], 7);

    // Once the user picks a mode, that one is sent.
    ShowActive();
    Child<QComboBox>(w, "cboLapMode")->setFocus();
    QTest::keyClick(Child<QComboBox>(w, "cboLapMode"), Qt::Key_Home);
    w.BuildSettings();
    EXPECT_EQ(w.BuiltPayload().Bytes[21], 0);
    EXPECT_EQ(w.BuiltPayload().Text.mid(32, 2), "00");
}
