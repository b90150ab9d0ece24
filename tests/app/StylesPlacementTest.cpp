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

struct TPullBackCase {
    const char *Name;
    TPlacementRecord Stored;
    TPlacementRecord Expected;
};

class PullBack : public testing::TestWithParam<TPullBackCase> {};

TEST_P(PullBack, OnAScreenOf1920x1080)
{
    EXPECT_EQ(Placement::PullBackIntoVirtualScreen(GetParam().Stored, QSize(1920, 1080)),
              GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PullBack,
    testing::Values(
        TPullBackCase{"Inside", {100, 50, 781, 618, true}, {100, 50, 781, 618, true}},
        TPullBackCase{"TouchingTheEdges", {1239, 512, 1920, 1080, false}, {1239, 512, 1920, 1080, false}},
        TPullBackCase{"BeyondRight", {1500, 50, 2181, 618, false}, {1239, 50, 1920, 618, false}},
        TPullBackCase{"BeyondBottom", {10, 900, 691, 1468, false}, {10, 512, 691, 1080, false}},
        TPullBackCase{"BeyondBoth", {3000, 2000, 3681, 2568, false}, {1239, 512, 1920, 1080, false}},
        TPullBackCase{"NegativeLeftAndTopKept", {-300, -40, 381, 528, false}, {-300, -40, 381, 528, false}},
        TPullBackCase{"WiderThanTheScreen", {0, 0, 2500, 568, false}, {-580, 0, 1920, 568, false}}),
    [](const auto &info) { return std::string(info.param.Name); });

// ---- snapping to the work area ----

struct TSnapCase {
    const char *Name;
    QRect WorkArea;
    QPoint Requested;
    QPoint Expected;
};

class Snap : public testing::TestWithParam<TSnapCase> {};

TEST_P(Snap, WindowOf681x568)
{
    const TSnapCase &c = GetParam();
    EXPECT_EQ(Placement::SnapToWorkArea(c.Requested, QSize(681, 568), c.WorkArea), c.Expected);
}

const QRect kFullHd(0, 0, 1920, 1040);       // task bar at the bottom
const QRect kTaskbarLeft(48, 0, 1872, 1080);  // task bar docked at the left

INSTANTIATE_TEST_SUITE_P(
    Cases, Snap,
    testing::Values(
        TSnapCase{"FarFromEveryEdge", kFullHd, {400, 200}, {400, 200}},
        TSnapCase{"NearLeft", kFullHd, {31, 200}, {0, 200}},
        TSnapCase{"JustOutsideTheDistance", kFullHd, {32, 32}, {32, 32}},
        TSnapCase{"NearTop", kFullHd, {400, 10}, {400, 0}},
        TSnapCase{"BeyondLeftAndTop", kFullHd, {-200, -50}, {0, 0}},
        TSnapCase{"NearRight", kFullHd, {1239 - 20, 200}, {1239, 200}},
        TSnapCase{"BeyondBottom", kFullHd, {400, 900}, {400, 472}},
        TSnapCase{"StopsAtTheTaskbar", kTaskbarLeft, {60, 200}, {48, 200}},
        TSnapCase{"LeftOfTheTaskbar", kTaskbarLeft, {0, 200}, {48, 200}},
        TSnapCase{"WorkAreaSmallerThanWindow", QRect(0, 0, 600, 500), {0, 0}, {-81, -68}}),
    [](const auto &info) { return std::string(info.param.Name); });

// ---- visual styles ----

TEST(Styles, NineDistinctSchemesAndStyleZeroIsTheDesignedLook)
{
    QList<QColor> panelTops;
    for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 9}) {
        const auto scheme = StyleScheme(n);
        ASSERT_TRUE(scheme) << n;
        EXPECT_FALSE(panelTops.contains(scheme->PanelTop)) << n;
        panelTops << scheme->PanelTop;
        EXPECT_TRUE(MenuStyleSheet(*scheme).contains(scheme->Highlight.name())) << n;
    }
    for (int n : {8, 10, 255, -1})
        EXPECT_FALSE(StyleScheme(n)) << n;

    const TGradientPanel designed;
    const auto zero = StyleScheme(tsOffice2003Blue);
    EXPECT_EQ(zero->PanelTop, designed.TopColor());
    EXPECT_EQ(zero->PanelBottom, designed.BottomColor());
    EXPECT_EQ(zero->PanelBorder, designed.BorderColor());
}

struct TStyledParts {
    QWidget Window;
    TGradientPanel *Panel = new TGradientPanel(&Window);
    QMenuBar *MenuBar = new QMenuBar(&Window);
    QMenu *Popup = new QMenu(&Window);
    QStatusBar *StatusBar = new QStatusBar(&Window);
    TFormStyler Styler;

    TStyledParts() { Styler.Attach({Panel, MenuBar, {Popup}, StatusBar}); }
};

TEST(Styles, PartsChangeTogetherAndOnlyForAStyleWithAScheme)
{
    TStyledParts parts;
    const auto zero = *StyleScheme(0);
    EXPECT_EQ(parts.Popup->styleSheet(), MenuStyleSheet(zero));
    EXPECT_EQ(parts.StatusBar->styleSheet(), StatusBarStyleSheet(zero));

    parts.Styler.SetStyle(tsOffice2007Obsidian);
    const auto obsidian = *StyleScheme(tsOffice2007Obsidian);
    EXPECT_EQ(parts.Styler.Style(), 5);
    EXPECT_EQ(parts.Panel->TopColor(), obsidian.PanelTop);
    EXPECT_EQ(parts.MenuBar->styleSheet(), MenuBarStyleSheet(obsidian));
    EXPECT_EQ(parts.Popup->styleSheet(), MenuStyleSheet(obsidian));
    EXPECT_EQ(parts.StatusBar->styleSheet(), StatusBarStyleSheet(obsidian));

    // The custom style and numbers without a style are kept but change no look.
    for (int n : {8, 200}) {
        parts.Styler.SetStyle(n);
        EXPECT_EQ(parts.Styler.Style(), n);
        EXPECT_EQ(parts.Panel->TopColor(), obsidian.PanelTop);
        EXPECT_EQ(parts.Popup->styleSheet(), MenuStyleSheet(obsidian));
    }
}

TEST(Styles, ChoosingTheCurrentStyleChangesNothing)
{
    TStyledParts parts;
    parts.Styler.SetStyle(tsWhidbey);
    parts.Panel->SetColors(Qt::red, Qt::red, Qt::red);  // a look the styler did not give
    parts.Styler.SetStyle(tsWhidbey);
    EXPECT_EQ(parts.Panel->TopColor(), QColor(Qt::red));
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

    void Store(const QByteArray &section)
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
    Store(QStringLiteral("[FTernuSetup]\r\nLeft=%1\r\nTop=%2\r\nRight=%3\r\nBottom=%4\r\nMaximized=1\r\n")
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
    EXPECT_FALSE(ToolConfig::ReadPlacement(formSize.SaveName, {0, 0, 0, 0, true}).Maximized);
}

TEST_F(FormSizeTest, RestoreSnapsANegativeLeftToTheEdge)
{
    Store("[FTernuSetup]\r\nLeft=-40\r\nTop=150\r\n");
    formSize.RestorePlacement();
    EXPECT_EQ(window.pos(), QPoint(screen.left(), 150));
}

TEST_F(FormSizeTest, SaveWritesTheFrameRectangle)
{
    window.move(120, 130);
    formSize.SavePlacement();
    const QRect frame = window.frameGeometry();
    EXPECT_EQ(ToolConfig::ReadPlacement(formSize.SaveName, {}),
              (TPlacementRecord{frame.x(), frame.y(), frame.x() + frame.width(),
                                frame.y() + frame.height(), false}));

    QFile::setPermissions(formSize.SaveName, QFileDevice::ReadOwner);
    EXPECT_THROW(formSize.SavePlacement(), EProfileWriteError);
}

}  // namespace
