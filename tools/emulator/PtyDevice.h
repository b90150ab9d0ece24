#pragma once
#include <QByteArray>
#include <QString>

// The device end of a pseudo-terminal. The terminal end (SlavePath()) is what the
// tool opens as its serial port. The device keeps its own handle on the terminal
// end, so that the line survives the tool closing and reopening the port.
class TPtyDevice {
public:
    TPtyDevice();  // throws std::runtime_error when no pseudo-terminal is available
    ~TPtyDevice();
    TPtyDevice(const TPtyDevice &) = delete;
    TPtyDevice &operator=(const TPtyDevice &) = delete;

    QString SlavePath() const { return FSlavePath; }
    int Handle() const { return FMaster; }  // the device's end, to watch for input

    // Waits up to timeoutMs for bytes from the tool; returns what arrived (maybe
    // nothing). A negative timeout waits until something arrives or a signal comes.
    QByteArray Read(int timeoutMs);
    // Writes all bytes; returns false when the line is gone.
    bool Write(const QByteArray &bytes);

    // Bytes the device wrote that wait at the terminal end, unread by the tool.
    int QueuedAtTerminal() const;

    // Closes both ends, as when the interface is unplugged.
    void Unplug();

private:
    int FMaster = -1;
    int FSlave = -1;
    QString FSlavePath;
};
