#pragma once
#include <QString>

class IBridgeLayer;
class IDialogs;
class ISerialPortSource;

// What the main window takes from outside: where the program lives and how it shows
// modal dialogs. Tests replace both.
struct TWindowEnvironment {
    TWindowEnvironment();

    QString ProgramFolder;  // folder of the running executable, symlinks resolved
    IDialogs *Dialogs;      // the real Qt dialogs by default; not owned

    // Port selection. Null: this computer's serial ports and USB bridges; not owned.
    ISerialPortSource *SerialPorts = nullptr;
    IBridgeLayer *BridgeLayer = nullptr;
    bool WatchSystemDevices = true;  // false: only the Ports folder signals device changes
};
