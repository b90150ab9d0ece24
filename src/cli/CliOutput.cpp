#include "CliOutput.h"

#include <unistd.h>

namespace {
constexpr int kBarWidth = 20;
}

TCliOutput::TCliOutput(std::FILE *out, std::FILE *err)
    : FOut(out), FErr(err), FShowProgress(::isatty(::fileno(err)) == 1)
{
}

TCliOutput::~TCliOutput()
{
    ClearProgress();
}

void TCliOutput::ClearProgress()
{
    if (!FProgressDrawn)
        return;
    std::fputs("\r\033[K", FErr);
    std::fflush(FErr);
    FProgressDrawn = false;
}

void TCliOutput::Line(const QString &line)
{
    ClearProgress();
    std::fprintf(FOut, "%s\n", line.toLocal8Bit().constData());
    std::fflush(FOut);
}

void TCliOutput::Error(const QString &message)
{
    ClearProgress();
    std::fprintf(FErr, "ternu-cli: %s\n", message.toLocal8Bit().constData());
    std::fflush(FErr);
}

void TCliOutput::Progress(int percent)
{
    if (!FShowProgress)
        return;
    if (percent <= 0) {
        ClearProgress();
        return;
    }
    const int filled = qBound(0, percent, 100) * kBarWidth / 100;
    const QString bar = QString(filled, QLatin1Char('#')) + QString(kBarWidth - filled, QLatin1Char('.'));
    std::fprintf(FErr, "\r[%s] %3d%%", qPrintable(bar), percent);
    std::fflush(FErr);
    FProgressDrawn = true;
}
