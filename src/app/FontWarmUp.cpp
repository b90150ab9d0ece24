#include "FontWarmUp.h"

#include <QLibrary>
#include <QThread>

TFontWarmUp::TFontWarmUp()
    : FThread(QThread::create([] {
          // The library the toolkit itself uses; its initialisation is safe on any
          // thread, and the toolkit's own later call finds it done.
          using TFcInit = int (*)();
          if (const auto init = reinterpret_cast<TFcInit>(QLibrary::resolve(QStringLiteral("fontconfig"), 1, "FcInit")))
              init();
      }))
{
    FThread->start();
}

TFontWarmUp::~TFontWarmUp()
{
    Wait();
}

void TFontWarmUp::Wait()
{
    FThread->wait();
}
