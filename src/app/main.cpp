#include <QIcon>

#include "FormTernuSetup.h"
#include "TernuApplication.h"
#include "ToolFont.h"
#include "Version.h"

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    // No display name: the platform would append it to the window caption.
    TApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    TApplication::setFont(ToolFont());
    // The installed menu entry and icon carry this id: desktops match the window to
    // them by it. Uninstalled, the theme has no such icon and the window keeps none.
    TApplication::setDesktopFileName(QStringLiteral("com.orvan.TernuSetupTool"));
    TApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("com.orvan.TernuSetupTool")));

    TFTernuSetup window{TWindowEnvironment()};
    window.show();
    return app.exec();
}
