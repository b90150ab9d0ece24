#pragma once
#include <QObject>

#include <atomic>

class QSocketNotifier;

// Ctrl+C and the system's request to end reach a long-running program as the Qt
// signal Requested, delivered by its event loop, instead of ending the process on
// the spot. On POSIX the signal handler writes to a pipe that a QSocketNotifier
// watches; on Windows the console's control handler posts the delivery. One at a
// time; the previous handling comes back when it is destroyed.
class TStopRequest : public QObject {
    Q_OBJECT
public:
    // SIGINT and SIGTERM (Ctrl+C, Ctrl+Break and closing the console on Windows);
    // withHangUp adds SIGHUP, the end of the terminal, where there is one.
    explicit TStopRequest(bool withHangUp = false, QObject *parent = nullptr);
    ~TStopRequest() override;
    TStopRequest(const TStopRequest &) = delete;
    TStopRequest &operator=(const TStopRequest &) = delete;

    bool IsRequested() const { return FRequested; }

signals:
    void Requested();  // once, at the first request

private slots:
    void Deliver();

private:
    std::atomic<bool> FRequested {false};
    QSocketNotifier *FNotifier = nullptr;  // POSIX: the pipe's read end
    int FSignalCount = 0;
};
