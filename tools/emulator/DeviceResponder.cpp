#include "DeviceResponder.h"

namespace {

constexpr int kPayloadSize = 28;

int FrameLength(quint8 command)
{
    switch (command) {
    case 0x06:
    case 0x0A:
    case 0x0B: return 3;
    case 0x0C: return 1 + kPayloadSize + 1;
    default: return 0;
    }
}

quint8 Sum(const QByteArray &bytes)
{
    quint8 s = 0;
    for (char c : bytes)
        s = quint8(s + quint8(c));
    return s;
}

QByteArray Bytes(std::initializer_list<quint8> list)
{
    QByteArray out;
    for (quint8 b : list)
        out.append(char(b));
    return out;
}

TReceivedFrame::TKind Classify(const QByteArray &frame)
{
    using TKind = TReceivedFrame::TKind;
    if (quint8(frame.back()) != Sum(frame.first(frame.size() - 1)))
        return TKind::Malformed;
    switch (quint8(frame.front())) {
    case 0x06: return frame == Bytes({0x06, 0x00, 0x06}) ? TKind::Ping : TKind::Malformed;
    case 0x0B: return frame == Bytes({0x0B, 0x00, 0x0B}) ? TKind::Clear : TKind::Malformed;
    case 0x0A: return frame == Bytes({0x0A, 0x86, 0x90}) ? TKind::FollowUp : TKind::Malformed;
    case 0x0C: return TKind::Settings;
    default: return TKind::Junk;
    }
}

}  // namespace

QList<TReceivedFrame> TDeviceResponder::Feed(const QByteArray &input)
{
    FPending.append(input);
    QList<TReceivedFrame> frames;
    while (!FPending.isEmpty()) {
        const int length = FrameLength(quint8(FPending.front()));
        if (length == 0) {
            // Junk runs up to the next byte that could start a frame.
            qsizetype end = 1;
            while (end < FPending.size() && FrameLength(quint8(FPending.at(end))) == 0)
                ++end;
            frames.append({TReceivedFrame::TKind::Junk, FPending.first(end), {}});
            FPending.remove(0, end);
            continue;
        }
        if (FPending.size() < length)
            break;
        TReceivedFrame frame;
        frame.Bytes = FPending.first(length);
        frame.Kind = Classify(frame.Bytes);
        frame.Reply = ReplyTo(frame.Kind);
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

QByteArray TDeviceResponder::ReplyTo(TReceivedFrame::TKind kind) const
{
    if (FOptions.Silent)
        return {};
    const QByteArray pong = Bytes({0x86, 0x00, 0x86});
    const QByteArray settingsAck = Bytes({0x8C, 0x00, 0x8C});
    const QByteArray clearAck = Bytes({0x8B, 0x00, 0x8B});
    switch (kind) {
    case TReceivedFrame::TKind::Ping: return FOptions.Wrong ? Bytes({0x96, 0x00, 0x96}) : pong;
    case TReceivedFrame::TKind::Settings: return FOptions.Wrong ? clearAck : settingsAck;
    case TReceivedFrame::TKind::Clear: return FOptions.Wrong ? settingsAck : clearAck;
    default: return {};
    }
}

const char *TDeviceResponder::KindName(TReceivedFrame::TKind kind)
{
    switch (kind) {
    case TReceivedFrame::TKind::Ping: return "ping";
    case TReceivedFrame::TKind::Settings: return "settings";
    case TReceivedFrame::TKind::Clear: return "clear memory";
    case TReceivedFrame::TKind::FollowUp: return "follow-up";
    case TReceivedFrame::TKind::Malformed: return "malformed frame";
    case TReceivedFrame::TKind::Junk: return "junk";
    }
    return "?";
}
