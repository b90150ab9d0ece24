#include "Controls.h"
#include "FormSize.h"
#include "Placement.h"
#include "ProfileFile.h"
#include "Styles.h"

#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using ToolConfig::TPlacementRecord;

// ---- pulling a stored rectangle back into the virtual screen ----

struct PullBackCase {
    const char *name;
    TPlacementRecord stored;
    TPlacementRecord expected;
};

class PullBack : public testing::TestWithParam<PullBackCase> {};

TEST_P(PullBack, OnAScreenOf1920x1080)
{
    EXPECT_EQ(Placement::pullBackIntoVirtualScreen(GetParam().stored, QSize(1920, 1080)),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PullBack,
    testing::Values(
        PullBackCase{"Inside", {100, 50, 781, 618, true}, {100, 50, 781, 618, true}},
        PullBackCase{"TouchingTheEdges", {1239, 512, 1920, 1080, false}, {1239, 512, 1920, 1080, false}},
        PullBackCase{"BeyondRight", {1500, 50, 2181, 618, false}, {1239, 50, 1920, 618, false}},
        PullBackCase{"BeyondBottom", {10, 900, 691, 1468, false}, {10, 512, 691, 1080, false}},
        PullBackCase{"BeyondBoth", {3000, 2000, 3681, 2568, false}, {1239, 512, 1920, 1080, false}},
        PullBackCase{"NegativeLeftAndTopKept", {-300, -40, 381, 528, false}, {-300, -40, 381, 528, false}},
        PullBackCase{"WiderThanTheScreen", {0, 0, 2500, 568, false}, {-580, 0, 1920, 568, false}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- snapping to the work area ----

struct SnapCase {
    const char *name;
    QRect workArea;
    QPoint requested;
    QPoint expected;
};

class Snap : public testing::TestWithParam<SnapCase> {};

TEST_P(Snap, WindowOf681x568)
{
    const SnapCase &c = GetParam();
    EXPECT_EQ(Placement::snapToWorkArea(c.requested, QSize(681, 568), c.workArea), c.expected);
}

const QRect kFullHd(0, 0, 1920, 1040);       // task bar at the bottom
const QRect kTaskbarLeft(48, 0, 1872, 1080);  // task bar docked at the left

INSTANTIATE_TEST_SUITE_P(
    Cases, Snap,
    testing::Values(
        SnapCase{"FarFromEveryEdge", kFullHd, {400, 200}, {400, 200}},
        SnapCase{"NearLeft", kFullHd, {31, 200}, {0, 200}},
        SnapCase{"JustOutsideTheDistance", kFullHd, {32, 32}, {32, 32}},
        SnapCase{"NearTop", kFullHd, {400, 10}, {400, 0}},
        SnapCase{"BeyondLeftAndTop", kFullHd, {-200, -50}, {0, 0}},
        SnapCase{"NearRight", kFullHd, {1239 - 20, 200}, {1239, 200}},
        SnapCase{"BeyondBottom", kFullHd, {400, 900}, {400, 472}},
        SnapCase{"StopsAtTheTaskbar", kTaskbarLeft, {60, 200}, {48, 200}},
        SnapCase{"LeftOfTheTaskbar", kTaskbarLeft, {0, 200}, {48, 200}},
        SnapCase{"WorkAreaSmallerThanWindow", QRect(0, 0, 600, 500), {0, 0}, {-81, -68}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- visual styles ----

TEST(Styles, NineDistinctSchemesAndStyleZeroIsTheDesignedLook)
{
    QList<QColor> panelTops;
    for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 9}) {
        const auto scheme = styleScheme(n);
        ASSERT_TRUE(scheme) << n;
        EXPECT_FALSE(panelTops.contains(scheme->panelTop)) << n;
        panelTops << scheme->panelTop;
        EXPECT_TRUE(menuStyleSheet(*scheme).contains(scheme->highlight.name())) << n;
    }
    for (int n : {8, 10, 255, -1})
        EXPECT_FALSE(styleScheme(n)) << n;

    const TGradientPanel designed;
    const auto zero = styleScheme(tsOffice2003Blue);
    EXPECT_EQ(zero->panelTop, designed.topColor());
    EXPECT_EQ(zero->panelBottom, designed.bottomColor());
    EXPECT_EQ(zero->panelBorder, designed.borderColor());
}

struct StyledParts {
    QWidget window;
    TGradientPanel *panel = new TGradientPanel(&window);
    QMenuBar *menuBar = new QMenuBar(&window);
    QMenu *popup = new QMenu(&window);
    QStatusBar *statusBar = new QStatusBar(&window);
    TFormStyler styler;

    StyledParts() { styler.attach({panel, menuBar, {popup}, statusBar}); }
};

TEST(Styles, PartsChangeTogetherAndOnlyForAStyleWithAScheme)
{
    StyledParts parts;
    const auto zero = *styleScheme(0);
    EXPECT_EQ(parts.popup->styleSheet(), menuStyleSheet(zero));
    EXPECT_EQ(parts.statusBar->styleSheet(), statusBarStyleSheet(zero));

    parts.styler.setStyle(tsOffice2007Obsidian);
    const auto obsidian = *styleScheme(tsOffice2007Obsidian);
    EXPECT_EQ(parts.styler.style(), 5);
    EXPECT_EQ(parts.panel->topColor(), obsidian.panelTop);
    EXPECT_EQ(parts.menuBar->styleSheet(), menuBarStyleSheet(obsidian));
    EXPECT_EQ(parts.popup->styleSheet(), menuStyleSheet(obsidian));
    EXPECT_EQ(parts.statusBar->styleSheet(), statusBarStyleSheet(obsidian));

    // The custom style and numbers without a style are kept but change no look.
    for (int n : {8, 200}) {
        parts.styler.setStyle(n);
        EXPECT_EQ(parts.styler.style(), n);
        EXPECT_EQ(parts.panel->topColor(), obsidian.panelTop);
        EXPECT_EQ(parts.popup->styleSheet(), menuStyleSheet(obsidian));
    }
}

TEST(Styles, ChoosingTheCurrentStyleChangesNothing)
{
    StyledParts parts;
    parts.styler.setStyle(tsWhidbey);
    parts.panel->setColors(Qt::red, Qt::red, Qt::red);  // a look the styler did not give
    parts.styler.setStyle(tsWhidbey);
    EXPECT_EQ(parts.panel->topColor(), QColor(Qt::red));
}

// ---- the placement of a window ----

class FormSizeTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.setFixedSize(300, 200);
        window.move(100, 100);
        formSize.SaveName = dir.filePath("Ternu_SetupTool.ini");
        screen = QGuiApplication::primaryScreen()->availableGeometry();
    }

    void store(const QByteArray &section)
    {
        QFile f(formSize.SaveName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(section);
    }

    QTemporaryDir dir;
    QWidget window;
    TFormSize formSize{&window};
    QRect screen;
};

TEST_F(FormSizeTest, RestoreWithoutFileKeepsThePlace)
{
    formSize.RestorePlacement();
    EXPECT_EQ(window.pos(), QPoint(100, 100));
    EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(QFile::exists(formSize.SaveName));
}

TEST_F(FormSizeTest, RestorePullsBackAndSnapsAndNeverMaximizes)
{
    // Far beyond the right and bottom of the screen: pulled back flush against
    // the bottom-right corner, keeping the window's own size.
    store(QStringLiteral("[FTernuSetup]\r\nLeft=%1\r\nTop=%2\r\nRight=%3\r\nBottom=%4\r\nMaximized=1\r\n")
              .arg(screen.width() + 500).arg(screen.height() + 500)
              .arg(screen.width() + 800).arg(screen.height() + 700).toLatin1());
    formSize.RestorePlacement();
    EXPECT_EQ(window.size(), QSize(300, 200));
    EXPECT_EQ(window.pos(), QPoint(screen.right() + 1 - 300, screen.bottom() + 1 - 200));
    EXPECT_FALSE(window.windowState() & Qt::WindowMaximized) << "a stored 1 counts as 0";

    // Maximized=1 is never written, not even for a window that something else
    // maximised.
    window.setWindowState(Qt::WindowMaximized);
    formSize.SavePlacement();
    EXPECT_FALSE(ToolConfig::readPlacement(formSize.SaveName, {0, 0, 0, 0, true}).maximized);
}

TEST_F(FormSizeTest, RestoreSnapsANegativeLeftToTheEdge)
{
    store("[FTernuSetup]\r\nLeft=-40\r\nTop=150\r\n");
    formSize.RestorePlacement();
    EXPECT_EQ(window.pos(), QPoint(screen.left(), 150));
}

TEST_F(FormSizeTest, SaveWritesTheFrameRectangle)
{
    window.move(120, 130);
    formSize.SavePlacement();
    const QRect frame = window.frameGeometry();
    EXPECT_EQ(ToolConfig::readPlacement(formSize.SaveName, {}),
              (TPlacementRecord{frame.x(), frame.y(), frame.x() + frame.width(),
                                frame.y() + frame.height(), false}));

    QFile::setPermissions(formSize.SaveName, QFileDevice::ReadOwner);
    EXPECT_THROW(formSize.SavePlacement(), EProfileWriteError);
}

}  // namespace
