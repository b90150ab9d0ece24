#include "ToolFont.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>

static bool RegisterTahoma()
{
    // Installed by the wine font package outside the folders fontconfig searches.
    // Only the regular face is registered: the package's bold face renders at
    // 11 px as a wide regular-looking face, while the bold that Qt derives from the
    // regular one reads as bold.
    static const bool registered = [] {
        const QString path = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
        return QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0;
    }();
    return registered;
}

QFont ToolFont()
{
    // Tahoma is a system font on Windows; on Linux it comes from the wine font package.
    QFont font = QGuiApplication::font();
    RegisterTahoma();
    font.setFamilies({QStringLiteral("Tahoma"), QGuiApplication::font().family()});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
#ifdef Q_OS_WIN
    // Full hinting widens small text on Windows so that the window's texts no
    // longer fit their places; vertical hinting keeps the widths they have on Linux.
    font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    return font;
}

int AccentRoom(const QFont &font)
{
    // Measured once per font: the window's labels share a few fonts, and each
    // measurement lays the letters out anew.
    static QHash<QString, int> measured;
    const QString key = font.key();
    if (const auto known = measured.constFind(key); known != measured.cend())
        return *known;
    const QFontMetrics metrics(font);
    const QRect capitals = metrics.tightBoundingRect(QStringLiteral("\u00C4\u00D6\u00DC\u00C9\u00C1\u00C5\u00CA"));
    return *measured.insert(key, qMax(0, -capitals.top() - metrics.ascent()));
}
