#include "ToolFont.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>

static bool RegisterTahoma()
{
    // Installed by the wine font package outside the folders fontconfig searches.
    static const bool registered = [] {
        const QString folder = QStringLiteral("/usr/share/wine/fonts/");
        bool regular = false;
        for (const char *file : {"tahoma.ttf", "tahomabd.ttf"}) {
            const QString path = folder + QString::fromLatin1(file);
            if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0 && !regular)
                regular = true;
        }
        return regular;
    }();
    return registered;
}

QFont ToolFont()
{
    QFont font = RegisterTahoma() ? QFont(QStringLiteral("Tahoma")) : QGuiApplication::font();
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}
