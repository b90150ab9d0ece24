#include "Styles.h"

#include "Controls.h"

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace {

QColor Rgb(unsigned value)
{
    return QColor::fromRgb(value);
}

// Colours given as 0xRRGGBB, in the order of the fields of TStyleScheme.
TStyleScheme Scheme(std::initializer_list<unsigned> c)
{
    Q_ASSERT(c.size() == 17);
    const unsigned *v = c.begin();
    return TStyleScheme{Rgb(v[0]),  Rgb(v[1]),  Rgb(v[2]),  Rgb(v[3]),  Rgb(v[4]),
                        Rgb(v[5]),  Rgb(v[6]),  Rgb(v[7]),  Rgb(v[8]),  Rgb(v[9]),
                        Rgb(v[10]), Rgb(v[11]), Rgb(v[12]), Rgb(v[13]), Rgb(v[14]),
                        Rgb(v[15]), Rgb(v[16])};
}

QString Css(const QColor &color)
{
    return color.name(QColor::HexRgb);
}

QString Gradient(const QColor &top, const QColor &bottom)
{
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)")
        .arg(Css(top), Css(bottom));
}

}  // namespace

std::optional<TStyleScheme> StyleScheme(int number)
{
    switch (number) {
    // panel top, bottom, frame; menu bar top, bottom, text; menu background,
    // frame, text, separator; highlight, its frame, its text; status bar top,
    // bottom, line, text
    case tsOffice2003Blue:
        return Scheme({0xE3EFFF, 0xAFD2FF, 0x6F9DD9, 0xDDECFE, 0x9EBEF5, 0x000000, 0xF6F6F6,
                       0x002D96, 0x000000, 0x6A8CCB, 0xFFEEC2, 0x000080, 0x000000, 0xD6E6FC,
                       0x81A9E2, 0x3B619C, 0x15428B});
    case tsOffice2003Silver:
        return Scheme({0xF3F4FA, 0xC4C8D4, 0x7C7C94, 0xF3F4FA, 0xD7D7E5, 0x000000, 0xFAFAFA,
                       0x7C7C94, 0x000000, 0x6E6D8F, 0xFFEEC2, 0x4B4B6F, 0x000000, 0xE8E9F2,
                       0xA8A7BE, 0x7C7C94, 0x2F2F4F});
    case tsOffice2003Olive:
        return Scheme({0xF4F7DE, 0xB7C691, 0x60776B, 0xF4F7DE, 0xD9E0B3, 0x000000, 0xF4F4EE,
                       0x758D5E, 0x000000, 0x60776B, 0xFFEEC2, 0x3F5D38, 0x000000, 0xE4EBC5,
                       0xA4B57F, 0x60776B, 0x2D3F1C});
    case tsOffice2003Classic:
        return Scheme({0xF7F6F3, 0xD9D7CF, 0x808080, 0xF7F6F3, 0xE0DED6, 0x000000, 0xFCFCF9,
                       0x808080, 0x000000, 0xA6A6A6, 0xB6BDD2, 0x0A246A, 0x000000, 0xEDECE7,
                       0xD4D0C8, 0x808080, 0x000000});
    case tsOffice2007Luna:
        return Scheme({0xEAF3FF, 0xBFDBFF, 0x8DB2E3, 0xE3EFFF, 0xC4DDFF, 0x15428B, 0xFAFAFA,
                       0x868686, 0x15428B, 0xC5C5C5, 0xFFE28F, 0xFFBD69, 0x15428B, 0xDCEBFE,
                       0xA9CAF7, 0x8DB2E3, 0x15428B});
    case tsOffice2007Obsidian:
        return Scheme({0xE9EAEE, 0xB0B5BE, 0x474747, 0x5A5A5A, 0x3B3B3B, 0xFFFFFF, 0xF4F4F4,
                       0x575757, 0x000000, 0xC5C5C5, 0xFFE28F, 0xFFBD69, 0x000000, 0x6B6B6B,
                       0x434343, 0x2B2B2B, 0xFFFFFF});
    case tsWindowsXP:
        return Scheme({0xFFFFFF, 0xECE9D8, 0xACA899, 0xF6F5EF, 0xECE9D8, 0x000000, 0xFFFFFF,
                       0xACA899, 0x000000, 0xACA899, 0x316AC5, 0x0A246A, 0xFFFFFF, 0xF1EFE2,
                       0xE1DECE, 0xACA899, 0x000000});
    case tsWhidbey:
        return Scheme({0xFBFAF7, 0xDEDCD2, 0x9D9D92, 0xF7F6F1, 0xE5E3D9, 0x000000, 0xFBFAF7,
                       0x8A867A, 0x000000, 0xC5C2B8, 0xC1D2EE, 0x316AC5, 0x000000, 0xEEEDE5,
                       0xD6D4CA, 0x9D9D92, 0x000000});
    case tsOffice2007Silver:
        return Scheme({0xF4F5F8, 0xD2D6DE, 0x8B9097, 0xF0F1F5, 0xDCDFE6, 0x4C535C, 0xFAFAFA,
                       0x868686, 0x4C535C, 0xC5C5C5, 0xFFE28F, 0xFFBD69, 0x000000, 0xEEF0F4,
                       0xC9CED6, 0x8B9097, 0x4C535C});
    default:
        return std::nullopt;  // the custom style and numbers without a style
    }
}

QString MenuBarStyleSheet(const TStyleScheme &s)
{
    return QStringLiteral(
               "QMenuBar { background: %1; color: %2; }"
               "QMenuBar::item { background: transparent; padding: 2px 6px; border: 1px solid transparent; }"
               "QMenuBar::item:selected, QMenuBar::item:pressed { background: %3; color: %4; border-color: %5; }")
        .arg(Gradient(s.MenuBarTop, s.MenuBarBottom), Css(s.MenuBarText), Css(s.Highlight),
             Css(s.HighlightText), Css(s.HighlightBorder));
}

QString MenuStyleSheet(const TStyleScheme &s)
{
    return QStringLiteral(
               "QMenu { background: %1; color: %2; border: 1px solid %3; }"
               "QMenu::item { padding: 3px 20px 3px 24px; border: 1px solid transparent; }"
               "QMenu::item:selected { background: %4; color: %5; border-color: %6; }"
               "QMenu::item:disabled { color: #8D8D8D; }"
               "QMenu::separator { height: 1px; background: %7; margin: 2px 4px 2px 24px; }")
        .arg(Css(s.MenuBackground), Css(s.MenuText), Css(s.MenuBorder), Css(s.Highlight),
             Css(s.HighlightText), Css(s.HighlightBorder), Css(s.MenuSeparator));
}

QString StatusBarStyleSheet(const TStyleScheme &s)
{
    return QStringLiteral(
               "QStatusBar { background: %1; border-top: 1px solid %2; }"
               "QStatusBar::item { border: none; }"
               "QStatusBar QLabel { color: %3; background: transparent; }")
        .arg(Gradient(s.StatusTop, s.StatusBottom), Css(s.StatusBorder), Css(s.StatusText));
}

void TFormStyler::Attach(const TTargets &targets)
{
    FPanel = targets.Panel;
    FMenuBar = targets.MenuBar;
    FMenus.clear();
    for (QMenu *menu : targets.Menus)
        FMenus << menu;
    FStatusBar = targets.StatusBar;
    if (const auto look = StyleScheme(FStyle))
        Give(*look);
}

void TFormStyler::SetStyle(int number)
{
    if (number == FStyle)
        return;
    FStyle = number;
    if (const auto look = StyleScheme(number))
        Give(*look);
}

// Each part takes the look on its own; a part that is gone is skipped.
void TFormStyler::Give(const TStyleScheme &scheme)
{
    if (FPanel)
        FPanel->SetColors(scheme.PanelTop, scheme.PanelBottom, scheme.PanelBorder);
    if (FMenuBar)
        FMenuBar->setStyleSheet(MenuBarStyleSheet(scheme));
    const QString menus = MenuStyleSheet(scheme);
    for (const QPointer<QMenu> &menu : std::as_const(FMenus))
        if (menu)
            menu->setStyleSheet(menus);
    if (FStatusBar)
        FStatusBar->setStyleSheet(StatusBarStyleSheet(scheme));
}
