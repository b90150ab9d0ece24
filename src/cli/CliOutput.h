#pragma once
#include <QString>
#include <cstdio>

// Where ternu-cli writes: log lines to standard output, messages to standard error,
// and a progress bar on standard error only while it is a terminal.
class TCliOutput {
public:
    TCliOutput(std::FILE *out = stdout, std::FILE *err = stderr);
    ~TCliOutput();

    void Line(const QString &line);
    void Error(const QString &message);  // "ternu-cli: <message>"
    void Progress(int percent);
    bool ProgressShown() const { return FShowProgress; }

private:
    void ClearProgress();

    std::FILE *FOut;
    std::FILE *FErr;
    bool FShowProgress;
    bool FProgressDrawn = false;
};
