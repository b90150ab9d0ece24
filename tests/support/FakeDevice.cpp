#include "FakeDevice.h"

TFakeDevice::TFakeDevice(TResponderOptions options) : FResponder(options)
{
    FThread = std::thread([this] { Run(); });
}

TFakeDevice::~TFakeDevice()
{
    FStop = true;
    FThread.join();
}

void TFakeDevice::SetReplyRule(TReplyRule rule)
{
    std::lock_guard lock(FMutex);
    FRule = std::move(rule);
}

void TFakeDevice::Send(const QByteArray &bytes)
{
    std::lock_guard lock(FMutex);
    FPty.Write(bytes);
}

void TFakeDevice::Unplug()
{
    std::lock_guard lock(FMutex);
    FPty.Unplug();
}

std::vector<TFakeDevice::TReceived> TFakeDevice::Frames() const
{
    std::lock_guard lock(FMutex);
    return FFrames;
}

std::vector<TFakeDevice::TSent> TFakeDevice::Replies() const
{
    std::lock_guard lock(FMutex);
    return FReplies;
}

bool TFakeDevice::WaitForFrames(size_t count, int timeoutMs) const
{
    std::unique_lock lock(FMutex);
    return FRecorded.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return FFrames.size() >= count; });
}

bool TFakeDevice::WaitForReplies(size_t count, int timeoutMs) const
{
    std::unique_lock lock(FMutex);
    return FRecorded.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return FReplies.size() >= count; });
}

bool TFakeDevice::WaitUntilQueuedAtPort(int count, int timeoutMs) const
{
    // The kernel hands written bytes to the terminal end a moment later; nothing
    // tells when, so the count is looked at until it is reached.
    const auto deadline = TClock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        {
            std::lock_guard lock(FMutex);
            if (FPty.QueuedAtTerminal() >= count)
                return true;
        }
        if (TClock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void TFakeDevice::Run()
{
    while (!FStop) {
        QByteArray input;
        {
            // A short poll keeps the lock free for Send and Unplug.
            std::lock_guard lock(FMutex);
            input = FPty.Read(0);
        }
        if (input.isEmpty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        const auto at = TClock::now();
        for (const TReceivedFrame &frame : FResponder.Feed(input)) {
            QByteArray reply;
            {
                std::lock_guard lock(FMutex);
                FFrames.push_back({frame, at});
                reply = FRule ? FRule(frame) : frame.Reply;
            }
            FRecorded.notify_all();
            if (reply.isEmpty())
                continue;
            std::this_thread::sleep_for(std::chrono::milliseconds(FDelayMs.load()));
            const int split = FSplitPauseMs.load();
            for (qsizetype i = 0; i < reply.size();) {
                const QByteArray piece = split > 0 ? reply.mid(i, 1) : reply.mid(i);
                if (split > 0 && i > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(split));
                std::lock_guard lock(FMutex);
                FPty.Write(piece);
                FReplies.push_back({piece, TClock::now()});
                FRecorded.notify_all();
                i += piece.size();
            }
        }
    }
}
