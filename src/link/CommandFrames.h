#pragma once
#include <QByteArray>
#include <QtGlobal>

// Frames between the tool and the cycling computer. A frame is a command byte, data
// bytes and a checksum byte: the sum of the bytes before it, modulo 256. A reply
// starts with the command plus 0x80.
//
// Operation codes of an exchange:
namespace TOperationCode {
constexpr quint8 ConnectionTest = 0;    // ping 06 00 06, answered by a pong 86 ...
constexpr quint8 SettingsTransfer = 1;  // 0C + 28 payload bytes + checksum, answered 8C 00 8C
constexpr quint8 ClearMemory = 2;       // 0B 00 0B, answered 8B 00 8B
constexpr quint8 FollowUp = 3;          // 0A 86 90 after a pong, not answered
}  // namespace TOperationCode

namespace CommandFrames {

constexpr int kPayloadSize = 28;
constexpr int kSettingsFrameSize = 1 + kPayloadSize + 1;

quint8 Checksum(const QByteArray &bytes);

// The frame of an operation; the payload is used by the settings transfer only and
// must then hold kPayloadSize bytes (throws std::invalid_argument otherwise). Empty
// for an unknown operation.
QByteArray Build(quint8 operation, const QByteArray &payload = {});

// How long the line is left alone after the frame was written, in milliseconds.
int PauseAfterWriteMs(quint8 operation);

// Whether the bytes received since the exchange began start with the reply the
// operation waits for. A pong is recognised by its first byte alone.
bool IsExpectedReply(quint8 operation, const QByteArray &received);

}  // namespace CommandFrames
