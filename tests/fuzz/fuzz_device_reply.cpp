// Device replies: arbitrary bytes, in arbitrary pieces, arrive through a
// pseudo-terminal while an exchange waits for its reply. The exchange takes the
// reply exactly when the bytes since its frame start with the one it waits for,
// however they are cut.
//
// Input: one byte choosing the operation, then pieces, each a length byte
// (1 to 16 bytes follow) and its bytes.
#include "ComPort.h"
#include "DeviceExchange.h"
#include "PortNames.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cerrno>

// The pauses an exchange leaves the line quiet are real waits of up to two
// seconds; the reply recognition does not depend on them, so here they pass at
// once. This definition takes the place of Qt's for the whole program.
void QThread::msleep(unsigned long) {}

namespace {

class TSilentView : public IExchangeView {
public:
    void SetLinkCaption(const QString &) override {}
    void RepaintLinkCaption() override {}
    void AppendLog(const QString &) override {}
    void SetDeviceControlsEnabled(bool) override {}
    void SetHourglassCursor() override {}
    void SetDefaultCursor() override {}
    void Beep() override {}
    void SetProgress(int) override {}
    QString MessageText(TLinkMessage) const override { return {}; }
    QByteArray BuildSettings() override { return QByteArray(28, '\0'); }
};

[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "fuzz_device_reply: %s\n", what);
    std::abort();
}

// A pseudo-terminal: the device end is the master, the port opens the other end.
struct TLine {
    int Master = -1;
    int HeldSlave = -1;  // keeps the line up while the port is closed
    QString SlavePath;

    TLine()
    {
        Master = posix_openpt(O_RDWR | O_NOCTTY);
        if (Master < 0 || grantpt(Master) != 0 || unlockpt(Master) != 0)
            Fail("no pseudo-terminal");
        SlavePath = QString::fromLocal8Bit(ptsname(Master));
        HeldSlave = ::open(ptsname(Master), O_RDWR | O_NOCTTY);
        fcntl(Master, F_SETFL, fcntl(Master, F_GETFL) | O_NONBLOCK);
    }
    void Drain() const
    {
        char buffer[256];
        for (ssize_t n; (n = ::read(Master, buffer, sizeof buffer)) > 0 || (n == -1 && errno == EINTR);) {
        }
    }
};

struct TBench {
    QTemporaryDir Ports;
    TLine Line;
    TComPort Port{Ports.path()};
    TSilentView View;
    TDeviceExchange Exchange{Port, View};
    qint64 Delivered = 0;

    TBench()
    {
        if (!PortNames::WriteAlias(Ports.path(), 7, Line.SlavePath, std::nullopt))
            Fail("cannot write the port alias");
        // Counted before the exchange reads them: every announced byte is read.
        QObject::connect(&Port, &TComPort::RxChar, [this](int count) { Delivered += count; });
        Exchange.ConnectOwnHandlers();
    }
};

TBench *bench = nullptr;

QByteArray ExpectedReply(quint8 operation)
{
    switch (operation) {
    case TOperationCode::ConnectionTest: return QByteArray::fromHex("86");
    case TOperationCode::SettingsTransfer: return QByteArray::fromHex("8c008c");
    default: return QByteArray::fromHex("8b008b");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    bench = new TBench;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const quint8 operation = data[0] % 3;
    TBench &b = *bench;
    b.Exchange.StartOperation(operation, QStringLiteral("COM7"));
    b.Line.Drain();
    b.Delivered = 0;

    QByteArray sent;
    size_t at = 1;
    while (at < size && sent.size() < 2048) {
        const size_t length = std::min<size_t>(data[at] % 16 + 1, size - at - 1);
        ++at;
        if (length == 0)
            break;
        const QByteArray piece(reinterpret_cast<const char *>(data + at), qsizetype(length));
        at += length;
        // libFuzzer's timers interrupt system calls; a write is tried again then.
        ssize_t written;
        do
            written = ::write(b.Line.Master, piece.constData(), size_t(piece.size()));
        while (written == -1 && errno == EINTR);
        if (written != piece.size()) {
            std::fprintf(stderr, "wrote %zd of %zd bytes after %zd: %s\n", written, size_t(piece.size()),
                         size_t(sent.size()), std::strerror(errno));
            Fail("write to the line failed");
        }
        sent += piece;
        const QDeadlineTimer deadline(5000);
        while (b.Delivered < sent.size()) {
            if (deadline.hasExpired())
                Fail("received bytes were never announced");
            QCoreApplication::processEvents();
        }
        b.Line.Drain();  // a follow-up frame after a pong
    }

    const bool replied = sent.left(TDeviceExchange::kReceiveBufferSize).startsWith(ExpectedReply(operation));
    if (b.Exchange.AckReceived() != replied)
        Fail("reply judged wrongly");

    b.Exchange.Timer2Timer();  // ends the exchange and closes the port
    b.Exchange.Timer3().stop();
    b.Line.Drain();
    return 0;
}
