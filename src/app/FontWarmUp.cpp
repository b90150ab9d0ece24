#include "FontWarmUp.h"

#include <QLibrary>
#include <QThread>

TFontWarmUp::TFontWarmUp()
    : FThread(QThread::create([] {
          // The library the toolkit itself uses; its initialisation is safe on any
          // thread, and the toolkit's own later call finds it done.
          using FcInit = int (*)();
          if (const auto init = reinterpret_cast<FcInit>(QLibrary::resolve(QStringLiteral("fontconfig"), 1, "FcInit")))
              init();
      }))
{
    FThread->start();
}

TFontWarmUp::~TFontWarmUp()
{
    wait();
}

void TFontWarmUp::wait()
{
    FThread->wait();
}
