#pragma once
#include <QByteArray>
#include <QList>

// The cycling computer's side of the protocol: it cuts the bytes it receives into
// frames and decides the reply to each.
//   06 00 06               ping      -> 86 00 86
//   0C + 28 bytes + sum    settings  -> 8C 00 8C
//   0B 00 0B               clear     -> 8B 00 8B
//   0A 86 90               follow-up -> nothing
// A frame with a wrong checksum or wrong data gets no reply; bytes that start no
// known frame are reported as junk.
struct TReceivedFrame {
    enum class TKind { Ping, Settings, Clear, FollowUp, Malformed, Junk };
    TKind Kind = TKind::Junk;
    QByteArray Bytes;
    QByteArray Reply;  // empty: the device stays silent
};

struct TResponderOptions {
    bool Silent = false;  // never reply
    bool Wrong = false;   // reply with the answer of another command
};

class TDeviceResponder {
public:
    explicit TDeviceResponder(TResponderOptions options = {}) : FOptions(options) {}

    // The frames completed by these bytes, in order.
    QList<TReceivedFrame> Feed(const QByteArray &bytes);
    // Bytes of a frame that never completed; dropping them lets the next frame be read.
    QByteArray TakePartial();
    bool HasPartial() const { return !FPending.isEmpty(); }

    static const char *KindName(TReceivedFrame::TKind kind);

private:
    QByteArray ReplyTo(TReceivedFrame::TKind kind) const;

    TResponderOptions FOptions;
    QByteArray FPending;
};
