#include "DeviceResponder.h"

namespace {

constexpr int kPayloadSize = 28;

int frameLength(quint8 command)
{
    switch (command) {
    case 0x06:
    case 0x0A:
    case 0x0B: return 3;
    case 0x0C: return 1 + kPayloadSize + 1;
    default: return 0;
    }
}

quint8 sum(const QByteArray &bytes)
{
    quint8 s = 0;
    for (char c : bytes)
        s = quint8(s + quint8(c));
    return s;
}

QByteArray bytes(std::initializer_list<quint8> list)
{
    QByteArray out;
    for (quint8 b : list)
        out.append(char(b));
    return out;
}

TReceivedFrame::Kind classify(const QByteArray &frame)
{
    using Kind = TReceivedFrame::Kind;
    if (quint8(frame.back()) != sum(frame.first(frame.size() - 1)))
        return Kind::Malformed;
    switch (quint8(frame.front())) {
    case 0x06: return frame == bytes({0x06, 0x00, 0x06}) ? Kind::Ping : Kind::Malformed;
    case 0x0B: return frame == bytes({0x0B, 0x00, 0x0B}) ? Kind::Clear : Kind::Malformed;
    case 0x0A: return frame == bytes({0x0A, 0x86, 0x90}) ? Kind::FollowUp : Kind::Malformed;
    case 0x0C: return Kind::Settings;
    default: return Kind::Junk;
    }
}

}  // namespace

QList<TReceivedFrame> TDeviceResponder::Feed(const QByteArray &input)
{
    FPending.append(input);
    QList<TReceivedFrame> frames;
    while (!FPending.isEmpty()) {
        const int length = frameLength(quint8(FPending.front()));
        if (length == 0) {
            // Junk runs up to the next byte that could start a frame.
            qsizetype end = 1;
            while (end < FPending.size() && frameLength(quint8(FPending.at(end))) == 0)
                ++end;
            frames.append({TReceivedFrame::Kind::Junk, FPending.first(end), {}});
            FPending.remove(0, end);
            continue;
        }
        if (FPending.size() < length)
            break;
        TReceivedFrame frame;
        frame.bytes = FPending.first(length);
        frame.kind = classify(frame.bytes);
        frame.reply = ReplyTo(frame.kind);
        frames.append(frame);
        FPending.remove(0, length);
    }
    return frames;
}

QByteArray TDeviceResponder::TakePartial()
{
    QByteArray partial;
    partial.swap(FPending);
    return partial;
}

QByteArray TDeviceResponder::ReplyTo(TReceivedFrame::Kind kind) const
{
    if (FOptions.silent)
        return {};
    const QByteArray pong = bytes({0x86, 0x00, 0x86});
    const QByteArray settingsAck = bytes({0x8C, 0x00, 0x8C});
    const QByteArray clearAck = bytes({0x8B, 0x00, 0x8B});
    switch (kind) {
    case TReceivedFrame::Kind::Ping: return FOptions.wrong ? bytes({0x96, 0x00, 0x96}) : pong;
    case TReceivedFrame::Kind::Settings: return FOptions.wrong ? clearAck : settingsAck;
    case TReceivedFrame::Kind::Clear: return FOptions.wrong ? settingsAck : clearAck;
    default: return {};
    }
}

const char *TDeviceResponder::KindName(TReceivedFrame::Kind kind)
{
    switch (kind) {
    case TReceivedFrame::Kind::Ping: return "ping";
    case TReceivedFrame::Kind::Settings: return "settings";
    case TReceivedFrame::Kind::Clear: return "clear memory";
    case TReceivedFrame::Kind::FollowUp: return "follow-up";
    case TReceivedFrame::Kind::Malformed: return "malformed frame";
    case TReceivedFrame::Kind::Junk: return "junk";
    }
    return "?";
}
