#include <gtest/gtest.h>

#include "ComPortErrors.h"
#include "CommandFrames.h"

namespace {

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(text);
}

TEST(CommandFrames, ShortFramesAndTheirPauses)
{
    struct TCase {
        quint8 Operation;
        const char *Frame;
        int PauseMs;
    };
    for (const TCase &c : {TCase {TOperationCode::ConnectionTest, "060006", 0},
                          TCase {TOperationCode::ClearMemory, "0B000B", 250},
                          TCase {TOperationCode::FollowUp, "0A8690", 100}}) {
        SCOPED_TRACE(c.Operation);
        EXPECT_EQ(CommandFrames::Build(c.Operation).toHex().toUpper(), QByteArray(c.Frame));
        EXPECT_EQ(CommandFrames::PauseAfterWriteMs(c.Operation), c.PauseMs);
    }
    EXPECT_TRUE(CommandFrames::Build(4).isEmpty());
}

TEST(CommandFrames, SettingsFrameCarriesPayloadAndChecksum)
{
    const QByteArray payload = Hex("00000000000052080008B0000000968235141008100014000002A800");
    const QByteArray frame = CommandFrames::Build(TOperationCode::SettingsTransfer, payload);
    EXPECT_EQ(frame, Hex("0C") + payload + Hex("65"));
    EXPECT_EQ(CommandFrames::PauseAfterWriteMs(TOperationCode::SettingsTransfer), 100);

    // The checksum wraps modulo 256.
    const QByteArray full(28, char(0xFF));
    EXPECT_EQ(quint8(CommandFrames::Build(TOperationCode::SettingsTransfer, full).back()),
              quint8((0x0C + 28 * 0xFF) % 256));
    EXPECT_THROW(CommandFrames::Build(TOperationCode::SettingsTransfer, payload.left(27)),
                 std::invalid_argument);
}

TEST(CommandFrames, ReplyRecognition)
{
    struct TCase {
        quint8 Operation;
        const char *Received;
        bool Expected;
    };
    const TCase cases[] = {
        {TOperationCode::ConnectionTest, "86", true},
        {TOperationCode::ConnectionTest, "860086", true},
        {TOperationCode::ConnectionTest, "86FFFF", true},   // only the first byte counts
        {TOperationCode::ConnectionTest, "0086", false},    // 0x86 later does not
        {TOperationCode::ConnectionTest, "", false},
        {TOperationCode::SettingsTransfer, "8C008C", true},
        {TOperationCode::SettingsTransfer, "8C008C55", true},
        {TOperationCode::SettingsTransfer, "8C00", false},
        {TOperationCode::SettingsTransfer, "8B008B", false},  // the clearing's answer
        {TOperationCode::SettingsTransfer, "008C008C", false},
        {TOperationCode::ClearMemory, "8B008B", true},
        {TOperationCode::ClearMemory, "8B008BFF", true},
        {TOperationCode::ClearMemory, "8B00", false},
        {TOperationCode::ClearMemory, "008B008B", false},  // the acknowledgement must come first
        {TOperationCode::ClearMemory, "8C008C", false},
        {TOperationCode::FollowUp, "860086", false},  // nothing is evaluated
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(std::string(c.Received) + " for operation " + std::to_string(c.Operation));
        EXPECT_EQ(CommandFrames::IsExpectedReply(c.Operation, Hex(c.Received)), c.Expected);
    }
}

TEST(ComPortErrors, MessagesNameOperationAndPort)
{
    const EComPortExt open(TComOperation::Open, 2, QStringLiteral("COM7"));
    EXPECT_STREQ(open.what(), "COM Port Error: Unable to open com port on COM7");
    EXPECT_EQ(open.Operation(), TComOperation::Open);
    EXPECT_EQ(open.SystemError(), 2);

    const EComPortExt write(TComOperation::Write, 5, QStringLiteral("COM12"));
    EXPECT_STREQ(write.what(), "COM Port Error: WriteFile function failed on COM12");

    const EComPort plain(TComOperation::Purge, QStringLiteral("COM3"));
    EXPECT_STREQ(plain.what(), "COM3 Error: PurgeComm function failed");
    EXPECT_EQ(int(plain.Operation()), 5);
}

}  // namespace
