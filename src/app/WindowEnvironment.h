#pragma once
#include <QString>

class IBridgeLayer;
class IDialogs;
class ISerialPortSource;

// What the main window takes from outside: where the program lives and how it shows
// modal dialogs. Tests replace both.
struct TWindowEnvironment {
    TWindowEnvironment();

    QString programFolder;  // folder of the running executable, symlinks resolved
    IDialogs *dialogs;      // the real Qt dialogs by default; not owned

    // Port selection. Null: this computer's serial ports and USB bridges; not owned.
    ISerialPortSource *serialPorts = nullptr;
    IBridgeLayer *bridgeLayer = nullptr;
    bool watchSystemDevices = true;  // false: only the Ports folder signals device changes
};
