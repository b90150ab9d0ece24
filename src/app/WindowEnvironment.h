#pragma once
#include <QString>

class IDialogs;

// What the main window takes from outside: where the program lives and how it shows
// modal dialogs. Tests replace both.
struct TWindowEnvironment {
    TWindowEnvironment();

    QString programFolder;  // folder of the running executable, symlinks resolved
    IDialogs *dialogs;      // the real Qt dialogs by default; not owned
};
