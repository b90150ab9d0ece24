#include "ToolFont.h"
#include "PhotoButton.h"
#include "WindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QStyleOptionComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace {

struct TPlace {
    const char *Name;
    const char *Kind;  // a class the control is (or derives from)
    QRect Geometry;    // relative to its parent
};

// Places and kinds of the controls; regions relative to the client area below the
// menu bar, controls relative to their panel or group box.
const TPlace kPlaces[] = {
    {"Panel1", "QFrame", {0, 0, 675, 57}},
    {"AdvPanel1", "TGradientPanel", {0, 57, 519, 448}},
    {"Panel3", "QFrame", {519, 57, 156, 448}},
    {"imgSymbol", "QLabel", {20, 10, 32, 32}},
    {"Memo1", "QPlainTextEdit", {59, 7, 447, 43}},
    {"cboLang", "QComboBox", {540, 24, 112, 21}},
    {"ComComboBox", "QComboBox", {421, 36, 106, 21}},
    {"grpTime", "QGroupBox", {20, 6, 229, 98}},
    {"grpPerson", "QGroupBox", {267, 6, 229, 98}},
    {"grpBike1", "QGroupBox", {20, 110, 229, 82}},
    {"grpBike2", "QGroupBox", {267, 110, 229, 82}},
    {"grpStopWatch", "QGroupBox", {20, 198, 229, 81}},
    {"grpHRLimits", "QGroupBox", {267, 198, 229, 81}},
    {"grpSampleRate", "TRadioGroup", {20, 285, 229, 47}},
    {"grpAlt", "QGroupBox", {267, 285, 229, 47}},
    {"grpUnits", "QGroupBox", {20, 339, 476, 90}},
    {"dtpTime", "QTimeEdit", {70, 20, 90, 21}},
    {"dtpDate", "QDateEdit", {70, 47, 90, 21}},
    {"chkPCTime", "QCheckBox", {16, 73, 201, 17}},
    {"cboSex", "QComboBox", {76, 20, 89, 21}},
    {"imgUserSex", "QLabel", {169, 22, 16, 16}},
    {"edWeight", "TSpinEdit", {76, 50, 90, 21}},
    {"edOdo1", "TSpinEdit", {70, 20, 90, 21}},
    {"edWheel1", "TSpinEdit", {70, 49, 90, 21}},
    {"btnWheel1", "QToolButton", {188, 50, 23, 22}},
    {"edOdo2", "TSpinEdit", {76, 20, 90, 21}},
    {"edWheel2", "TSpinEdit", {76, 49, 90, 21}},
    {"btnwheel2", "QToolButton", {194, 50, 23, 22}},
    {"cboLapMode", "QComboBox", {70, 20, 89, 21}},
    {"edLapDist", "TFloatSpinEdit", {70, 47, 90, 21}},
    {"edLapTime", "QTimeEdit", {70, 47, 90, 21}},
    {"edHRUpper", "TSpinEdit", {76, 20, 90, 21}},
    {"edHRLower", "TSpinEdit", {76, 47, 90, 21}},
    {"edHomeAlt", "TSpinEdit", {80, 16, 90, 21}},
    {"rgSpeed", "TRadioGroup", {18, 18, 75, 57}},
    {"rgWeight", "TRadioGroup", {107, 18, 75, 57}},
    {"rgTemp", "TRadioGroup", {197, 18, 75, 57}},
    {"rgTime", "TRadioGroup", {287, 18, 75, 57}},
    {"btnUnits", "QPushButton", {376, 26, 89, 25}},
    {"imgDevice", "TPhotoButton", {14, -3, 130, 159}},
    {"DBHTMLabel1", "QLabel", {28, 153, 109, 44}},
    {"btnSend", "QPushButton", {13, 198, 126, 25}},
    {"btnDelete", "QPushButton", {13, 229, 126, 25}},
    {"ProgressBar1", "QProgressBar", {15, 263, 124, 17}},
    {"moMonitor", "QPlainTextEdit", {15, 297, 125, 89}},
    {"btnClose", "QPushButton", {15, 404, 126, 25}},
};

// Labels are as wide as their text; only their top-left corner is fixed.
const TPlace kLabelCorners[] = {
    {"lblLang", "QLabel", {541, 7, 0, 0}},   {"lblTime", "QLabel", {16, 26, 0, 0}},
    {"lblTime2", "QLabel", {166, 26, 0, 0}}, {"lblDate", "QLabel", {16, 52, 0, 0}},
    {"lbKG", "QLabel", {172, 55, 0, 0}},     {"lblmm2", "QLabel", {172, 57, 0, 0}},
    {"lblLapMode", "QLabel", {17, 51, 0, 0}}, {"lnlHFL2", "QLabel", {172, 51, 0, 0}},
    {"lblHAltm", "QLabel", {176, 21, 0, 0}}, {"lblDev1", "TPhotoPrompt", {44, 32, 0, 0}},
    {"lblDev2", "TPhotoPrompt", {59, 45, 0, 0}}, {"lblDev3", "TPhotoPrompt", {48, 59, 0, 0}},
    {"lbDevLink", "QLabel", {47, 108, 0, 0}}, {"lblMonitor", "QLabel", {15, 283, 0, 0}},
};

// The tab stops in Tab order.
const char *const kTabOrder[] = {
    "cboLang", "dtpTime", "dtpDate", "chkPCTime", "cboSex", "edWeight", "edOdo1", "edWheel1", "edOdo2",
    "edWheel2", "cboLapMode", "edLapDist", "edLapTime", "edHRUpper", "edHRLower",
    "grpSampleRate_2",  // a choice group stops at its chosen item only
    "edHomeAlt", "rgSpeed_0", "rgWeight_0", "rgTemp_0", "rgTime_0", "btnUnits",
    "imgDevice",  // the photo starts the connection test, also from the keyboard
    "btnSend", "btnDelete", "btnClose",
};

bool IsTabStop(const QWidget *w)
{
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}

}  // namespace

class WindowLayoutTest : public WindowFixture {};

TEST_F(WindowLayoutTest, ControlsHaveTheirKindAndPlace)
{
    MakeWindow();
    for (const TPlace &row : kPlaces) {
        SCOPED_TRACE(row.Name);
        auto *control = Find<QWidget>(row.Name);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->inherits(row.Kind)) << control->metaObject()->className();
        EXPECT_EQ(control->geometry(), row.Geometry);
    }
    for (const TPlace &row : kLabelCorners) {
        SCOPED_TRACE(row.Name);
        auto *label = Find<QLabel>(row.Name);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->inherits(row.Kind));
        EXPECT_EQ(label->pos(), row.Geometry.topLeft());
        EXPECT_GE(label->width(), label->sizeHint().width());
    }
}

TEST_F(WindowLayoutTest, WindowHasFixedSizeAndOnlyACloseBox)
{
    TFTernuSetup &w = MakeWindow();
    const int menuHeight = w.menuBar()->height() > 0 ? w.menuBar()->sizeHint().height() : 0;
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.width(), 675);
    EXPECT_EQ(w.height(), menuHeight + 524);
    EXPECT_EQ(w.centralWidget()->size(), QSize(675, 505));
    EXPECT_EQ(w.statusBar()->height(), 19);
    const Qt::WindowFlags flags = w.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(WindowLayoutTest, TabStopsFollowTheRegionsAndGroups)
{
    MakeWindow();
    QStringList order;
    QWidget *w = Find<QWidget>(kTabOrder[0]);
    ASSERT_NE(w, nullptr);
    for (int guard = 0; guard < 500 && order.size() < int(std::size(kTabOrder)); ++guard) {
        if (IsTabStop(w) && window->isAncestorOf(w))
            order << w->objectName();
        w = w->nextInFocusChain();
    }
    QStringList expected;
    for (const char *name : kTabOrder)
        expected << QString::fromLatin1(name);
    EXPECT_EQ(order, expected);
    for (const char *name : {"Memo1", "moMonitor", "btnWheel1", "btnwheel2", "lblDev1"})
        EXPECT_FALSE(IsTabStop(Find<QWidget>(name))) << name;

    // The stop follows the choice.
    Child<TRadioGroup>(*window, "rgWeight")->SetItemIndex(1);
    EXPECT_TRUE(IsTabStop(Find<QWidget>("rgWeight_1")));
    EXPECT_FALSE(IsTabStop(Find<QWidget>("rgWeight_0")));
}

TEST_F(WindowLayoutTest, StartsWithTheDesignValues)
{
    TFTernuSetup &w = MakeWindow();
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), 80);
    EXPECT_EQ(Child<TSpinEdit>(w, "edWheel1")->value(), 2130);
    EXPECT_EQ(Child<TSpinEdit>(w, "edWheel2")->value(), 2048);
    EXPECT_EQ(Child<TSpinEdit>(w, "edHRUpper")->value(), 150);
    EXPECT_EQ(Child<TSpinEdit>(w, "edHRLower")->value(), 130);
    EXPECT_DOUBLE_EQ(Child<TFloatSpinEdit>(w, "edLapDist")->value(), 2.0);
    EXPECT_EQ(Child<QTimeEdit>(w, "edLapTime")->time(), QTime(2, 0));
    EXPECT_EQ(Child<TRadioGroup>(w, "grpSampleRate")->ItemIndex(), 2);
    for (TRadioGroup *units : {Child<TRadioGroup>(w, "rgSpeed"), Child<TRadioGroup>(w, "rgWeight"), Child<TRadioGroup>(w, "rgTemp"), Child<TRadioGroup>(w, "rgTime")})
        EXPECT_EQ(units->ItemIndex(), 0);
    EXPECT_TRUE(Child<QCheckBox>(w, "chkPCTime")->isChecked());
    for (QWidget *hidden : {static_cast<QWidget *>(Child<TFloatSpinEdit>(w, "edLapDist")), static_cast<QWidget *>(Child<QTimeEdit>(w, "edLapTime")),
                            static_cast<QWidget *>(Child<QLabel>(w, "lblLapMode")), static_cast<QWidget *>(Child<QComboBox>(w, "ComComboBox"))})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_EQ(Child<QPushButton>(w, "btnClose")->text(), QStringLiteral("&Schließen"));
    EXPECT_EQ(Child<QComboBox>(w, "cboSex")->itemText(0), QStringLiteral("männlich"));
    EXPECT_EQ(Child<TPhotoPrompt>(w, "lblDev1")->text(), QStringLiteral("Mausklick zum"));
}

TEST_F(WindowLayoutTest, DropDownListsShowTheirLongestBuiltInItemWhole)
{
    // The program runs with the tool font as the application font.
    struct TAppFont {
        const QFont Old = QApplication::font();
        TAppFont() { QApplication::setFont(ToolFont()); }
        ~TAppFont() { QApplication::setFont(Old); }
    } appFont;
    if (QFontInfo(ToolFont()).family() != QStringLiteral("Tahoma"))
        GTEST_SKIP() << "the designed widths hold for Tahoma";
    for (const char *language : {"German", "English"}) {
        // The window starts in the built-in language its configuration names.
        window.reset();
        WriteFile(IniFile(), QByteArray("[MISC]\r\nLanguage=") + language + "\r\n");
        TFTernuSetup &w = MakeWindow();
        ASSERT_EQ(w.GetLanguageName(), QString::fromLatin1(language));
        for (QComboBox *list : {Child<QComboBox>(w, "cboSex"), Child<QComboBox>(w, "cboLapMode")}) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            const int room =
                list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list).width()
                - 2;  // the label keeps a pixel to either side
            for (int i = 0; i < list->count(); ++i)
                EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)), room)
                    << language << ": " << list->itemText(i).toStdString();
        }
    }
}

// Rows of an image with anything drawn on them, against the colour of its
// bottom-right corner (below the text).
int InkRows(const QImage &image)
{
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

TEST_F(WindowLayoutTest, LabelsDrawTheDotsAndAccentsOfCapitals)
{
    TFTernuSetup &w = MakeWindow();
    int checked = 0;
    for (QLabel *label : w.findChildren<QLabel *>()) {
        // Labels placed by hand; the status bar's text has the height of its bar.
        const bool inLayout = label->parentWidget() && label->parentWidget()->layout();
        if (label->text().isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText || inLayout)
            continue;
        SCOPED_TRACE(label->objectName().toStdString());
        const QString before = label->text();
        const QMargins margins = label->contentsMargins();
        label->setText(QStringLiteral("\u00C4\u00D6\u00DC\u00C9\u00C1"));
        // The same text with ample room above and below draws every row of it.
        label->setContentsMargins(0, 10, 0, 10);
        label->adjustSize();
        const int whole = InkRows(label->grab().toImage());
        label->setContentsMargins(margins);
        w.AutoSizeLabels();  // as after a change of language
        EXPECT_EQ(InkRows(label->grab().toImage()), whole);
        label->setText(before);
        w.AutoSizeLabels();
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST_F(WindowLayoutTest, NonVisualComponentsCarryTheirNames)
{
    TFTernuSetup &w = MakeWindow();
    for (const char *name : {"Timer1", "Timer2", "Timer3", "ComPort1", "FormSize1"})
        EXPECT_NE(w.findChild<QObject *>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(WindowLayoutTest, MenusCarryTheirNumbers)
{
    TFTernuSetup &w = MakeWindow();
    QList<int> styles;
    for (QAction *item : Child<QMenu>(w, "mnuLayout")->actions())
        styles << item->data().toInt();
    EXPECT_EQ(styles, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 9}));
    EXPECT_EQ(Child<QAction>(w, "N26x211")->data().toInt(), 2068);
    EXPECT_EQ(Child<QMenu>(w, "mnuWheel")->actions().size(), 14);
    EXPECT_EQ(Child<QAction>(w, "mnuExit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
}

// The pictures come from the compiled-in resources; the device photo is a JPEG
// decoded at run time, so a missing image plugin shows up here.
TEST_F(WindowLayoutTest, PicturesAreLoadedInTheirSizes)
{
    TFTernuSetup &w = MakeWindow();
    EXPECT_EQ(Child<TPhotoButton>(w, "imgDevice")->Picture().size(), QSize(130, 159));
    const QImage symbol = Child<QLabel>(w, "imgSymbol")->pixmap().toImage();
    ASSERT_EQ(symbol.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(symbol.pixel(0, 31)), 0);       // its bottom-left colour is transparent
    EXPECT_EQ(qAlpha(symbol.pixel(16, 16)), 255);    // the drawing itself is not
    // The small pictures are there in their sizes, and the window shows them.
    for (const char *flag : {"flag_en.png", "flag_de.png", "flag_fr.png", "flag_it.png", "flag_nl.png",
                             "flag_es.png", "flag_unknown.png"})
        EXPECT_EQ(AssetImage(flag).size(), QSize(16, 11)) << flag;
    for (const char *picture : {"sex_male.png", "sex_female.png", "marker_yellow.png", "marker_blue.png"})
        EXPECT_EQ(AssetImage(picture).size(), QSize(16, 16)) << picture;
    EXPECT_EQ(ImageOf(Child<QLabel>(w, "imgUserSex")->pixmap()), AssetImage("sex_male.png"));
    EXPECT_EQ(ImageOf(Child<QAction>(w, "N700x23c1")->icon().pixmap(16, 16)), AssetImage("marker_yellow.png"));
    EXPECT_EQ(ImageOf(Child<QAction>(w, "N26x1901")->icon().pixmap(16, 16)), AssetImage("marker_blue.png"));
}
