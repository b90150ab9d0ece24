#pragma once
#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "DeviceResponder.h"
#include "PtyDevice.h"

// A cycling computer on a pseudo-terminal, answering on its own thread like the
// emulator does, and recording what it received and when.
class TFakeDevice {
public:
    using TClock = std::chrono::steady_clock;
    struct TReceived {
        TReceivedFrame Frame;
        TClock::time_point At;
    };
    struct TSent {
        QByteArray Bytes;
        TClock::time_point At;
    };
    // Replaces the responder's reply to a frame (return the bytes to send).
    using TReplyRule = std::function<QByteArray(const TReceivedFrame &)>;

    explicit TFakeDevice(TResponderOptions options = {});
    ~TFakeDevice();

    QString SlavePath() const { return FPty.SlavePath(); }
    void SetReplyRule(TReplyRule rule);
    // Sends each reply byte on its own, pauseMs apart.
    void SplitReplies(int pauseMs) { FSplitPauseMs = pauseMs; }
    void DelayReplies(int ms) { FDelayMs = ms; }
    // Writes bytes from the test's thread, outside any exchange.
    void Send(const QByteArray &bytes);
    // Closes both ends of the line, as when the interface is unplugged.
    void Unplug();

    std::vector<TReceived> Frames() const;
    std::vector<TSent> Replies() const;
    // These wait without running the event loop (the device has a thread of its own).
    bool WaitForFrames(size_t count, int timeoutMs) const;
    bool WaitForReplies(size_t count, int timeoutMs) const;
    // Until at least count bytes wait at the port's end of the line, unread.
    bool WaitUntilQueuedAtPort(int count, int timeoutMs) const;

private:
    void Run();

    TPtyDevice FPty;
    TDeviceResponder FResponder;
    TReplyRule FRule;
    std::atomic<int> FSplitPauseMs {0};
    std::atomic<int> FDelayMs {0};
    std::atomic<bool> FStop {false};
    mutable std::mutex FMutex;  // guards the records, the rule and the pty
    mutable std::condition_variable FRecorded;  // a frame or a reply was recorded
    std::vector<TReceived> FFrames;
    std::vector<TSent> FReplies;
    std::thread FThread;
};
