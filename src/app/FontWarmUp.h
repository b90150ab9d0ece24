#pragma once
#include <memory>

class QThread;

// The toolkit reads the system's font configuration and list of fonts (fontconfig)
// the first time it needs a font, some 7 ms before the window can be built. This
// starts that reading on another thread as the program starts, while the
// application connects to the display; wait() before the first font is used.
// Where there is no fontconfig it does nothing.
class TFontWarmUp {
public:
    TFontWarmUp();
    ~TFontWarmUp();
    TFontWarmUp(const TFontWarmUp &) = delete;
    TFontWarmUp &operator=(const TFontWarmUp &) = delete;

    void Wait();

private:
    std::unique_ptr<QThread> FThread;
};
