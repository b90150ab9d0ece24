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
    QColor panelTop, panelBottom, panelBorder;
    // menu bar gradient and text
    QColor menuBarTop, menuBarBottom, menuBarText;
    // drop-down and popup menus
    QColor menuBackground, menuBorder, menuText, menuSeparator;
    // the item under the mouse, in the bar and in the menus
    QColor highlight, highlightBorder, highlightText;
    // status bar gradient, top line and text
    QColor statusTop, statusBottom, statusBorder, statusText;
};

// The scheme of a style number; none for the custom style and for numbers
// without a style (those leave the look unchanged).
std::optional<TStyleScheme> styleScheme(int number);

// Style sheets that give the menus and the status bar their scheme.
QString menuBarStyleSheet(const TStyleScheme &scheme);
QString menuStyleSheet(const TStyleScheme &scheme);
QString statusBarStyleSheet(const TStyleScheme &scheme);

// Holds the window's current style and gives it to the style-aware parts: the
// centre panel, the menu bar with its menus, the popup menus and the status bar.
class TFormStyler {
public:
    struct Targets {
        TGradientPanel *panel = nullptr;
        QMenuBar *menuBar = nullptr;
        QList<QMenu *> menus;  // every drop-down and popup menu
        QStatusBar *statusBar = nullptr;
    };

    // Style 0 is the look the window is created with.
    void attach(const Targets &targets);

    int style() const { return FStyle; }

    // Does nothing when the number is the current style. Otherwise it becomes the
    // current style, and unless it has no scheme (custom or unknown numbers) the
    // parts take their look from it.
    void setStyle(int number);

private:
    void give(const TStyleScheme &scheme);

    int FStyle = tsOffice2003Blue;
    QPointer<TGradientPanel> FPanel;
    QPointer<QMenuBar> FMenuBar;
    QList<QPointer<QMenu>> FMenus;
    QPointer<QStatusBar> FStatusBar;
};
