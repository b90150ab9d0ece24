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

    TFTernuSetup window{TWindowEnvironment()};
    window.show();
    return app.exec();
}
