#include "CommandFrames.h"

#include <stdexcept>

namespace CommandFrames {
namespace {

QByteArray Bytes(std::initializer_list<quint8> list)
{
    QByteArray out;
    for (quint8 b : list)
        out.append(char(b));
    return out;
}

}  // namespace

quint8 Checksum(const QByteArray &data)
{
    quint8 sum = 0;
    for (char c : data)
        sum = quint8(sum + quint8(c));
    return sum;
}

QByteArray Build(quint8 operation, const QByteArray &payload)
{
    switch (operation) {
    case TOperationCode::ConnectionTest: return Bytes({0x06, 0x00, 0x06});
    case TOperationCode::ClearMemory: return Bytes({0x0B, 0x00, 0x0B});
    case TOperationCode::FollowUp: return Bytes({0x0A, 0x86, 0x90});
    case TOperationCode::SettingsTransfer: {
        if (payload.size() != kPayloadSize)
            throw std::invalid_argument("the settings payload must hold 28 bytes");
        QByteArray frame = Bytes({0x0C}) + payload;
        frame.append(char(Checksum(frame)));
        return frame;
    }
    default: return {};
    }
}

int PauseAfterWriteMs(quint8 operation)
{
    switch (operation) {
    case TOperationCode::SettingsTransfer: return 100;
    case TOperationCode::ClearMemory: return 250;
    case TOperationCode::FollowUp: return 100;
    default: return 0;
    }
}

bool IsExpectedReply(quint8 operation, const QByteArray &received)
{
    switch (operation) {
    case TOperationCode::ConnectionTest: return received.startsWith(char(0x86));
    case TOperationCode::SettingsTransfer: return received.startsWith(Bytes({0x8C, 0x00, 0x8C}));
    case TOperationCode::ClearMemory: return received.startsWith(Bytes({0x8B, 0x00, 0x8B}));
    default: return false;
    }
}

}  // namespace CommandFrames
