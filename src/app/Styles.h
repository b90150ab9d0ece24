#pragma once
#include <QColor>
#include <QList>
#include <QPointer>
#include <QString>

#include <optional>

class QMenu;
class QMenuBar;
class QStatusBar;
class QWidget;
class TGradientPanel;

// Style numbers as stored under Layout; 8 is the custom style, which leaves the
// look as it is.
enum TStyleNumber : int {
    tsOffice2003Blue = 0,
    tsOffice2003Silver = 1,
    tsOffice2003Olive = 2,
    tsOffice2003Classic = 3,
    tsOffice2007Luna = 4,
    tsOffice2007Obsidian = 5,
    tsWindowsXP = 6,
    tsWhidbey = 7,
    tsCustom = 8,
    tsOffice2007Silver = 9,
};

// The colours of one visual style for the three style-aware parts of the window.
struct TStyleScheme {
    // centre panel: vertical gradient and frame
    QColor PanelTop, PanelBottom, PanelBorder;
    // menu bar gradient and text
    QColor MenuBarTop, MenuBarBottom, MenuBarText;
    // drop-down and popup menus
    QColor MenuBackground, MenuBorder, MenuText, MenuSeparator;
    // the item under the mouse, in the bar and in the menus
    QColor Highlight, HighlightBorder, HighlightText;
    // status bar gradient, top line and text
    QColor StatusTop, StatusBottom, StatusBorder, StatusText;
};

// The scheme of a style number; none for the custom style and for numbers
// without a style (those leave the look unchanged).
std::optional<TStyleScheme> StyleScheme(int number);

// Style sheets that give the menus and the status bar their scheme.
QString MenuBarStyleSheet(const TStyleScheme &scheme);
QString MenuStyleSheet(const TStyleScheme &scheme);
QString StatusBarStyleSheet(const TStyleScheme &scheme);

// Holds the window's current style and gives it to the style-aware parts: the
// centre panel, the menu bar with its menus, the popup menus and the status bar.
class TFormStyler {
public:
    struct TTargets {
        TGradientPanel *Panel = nullptr;
        QMenuBar *MenuBar = nullptr;
        QList<QMenu *> Menus;  // every drop-down and popup menu
        QStatusBar *StatusBar = nullptr;
    };

    // Style 0 is the look the window is created with.
    void Attach(const TTargets &targets);

    int Style() const { return FStyle; }

    // Does nothing when the number is the current style. Otherwise it becomes the
    // current style, and unless it has no scheme (custom or unknown numbers) the
    // parts take their look from it.
    void SetStyle(int number);

private:
    void Give(const TStyleScheme &scheme);

    int FStyle = tsOffice2003Blue;
    QPointer<TGradientPanel> FPanel;
    QPointer<QMenuBar> FMenuBar;
    QList<QPointer<QMenu>> FMenus;
    QPointer<QStatusBar> FStatusBar;
};
