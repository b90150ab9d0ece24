#include "FirstPaint.h"
#include "FontWarmUp.h"
#include "FormTernuSetup.h"
#include "TernuApplication.h"
#include "ToolFont.h"
#include "Version.h"
#include "WindowIcon.h"

int main(int argc, char *argv[])
{
    TFontWarmUp fonts;  // on another core while the application connects to the display
    TApplication app(argc, argv);
    // No display name: the platform would append it to the window caption.
    TApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    fonts.Wait();
    TApplication::setFont(ToolFont());
    TApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));

    TFTernuSetup window{TWindowEnvironment()};
    window.show();
    // The window manager shows the icon beside the window, not in it: it comes once
    // the window is painted (or with a dialog that the start shows before it).
    AfterFirstPaint(&window, EnsureWindowIcon);
    return app.exec();
}
