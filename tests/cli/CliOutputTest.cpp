#include "CliOutput.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Everything written to a file so far.
QByteArray Contents(std::FILE *file)
{
    std::fflush(file);
    QByteArray bytes(4096, '\0');
    const ssize_t n = ::pread(::fileno(file), bytes.data(), bytes.size(), 0);
    bytes.resize(n > 0 ? n : 0);
    return bytes;
}

// What arrives at the controlling side of a pseudo-terminal, until size bytes
// are there or nothing more comes for 5 s (the kernel delivers when it likes).
QByteArray Receive(int master, qsizetype size)
{
    QByteArray bytes;
    char buffer[512];
    while (bytes.size() < size) {
        pollfd ready{master, POLLIN, 0};
        if (::poll(&ready, 1, 5000) != 1)
            break;
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, n);
    }
    return bytes;
}

TEST(CliOutputTest, ProgressOnlyOnATerminalAndNeverInTheLog)
{
    std::FILE *out = std::tmpfile();
    ASSERT_NE(out, nullptr);

    // Messages into a file: no progress at all.
    {
        std::FILE *err = std::tmpfile();
        TCliOutput output(out, err);
        EXPECT_FALSE(output.ProgressShown());
        output.Progress(50);
        output.Line(QStringLiteral("Ping"));
        EXPECT_EQ(Contents(err), QByteArray());
        std::fclose(err);
    }

    // Messages onto a terminal: the bar, cleared before each log line.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    termios raw{};
    ASSERT_EQ(::tcgetattr(slave, &raw), 0);
    ::cfmakeraw(&raw);
    ASSERT_EQ(::tcsetattr(slave, TCSANOW, &raw), 0);
    std::FILE *terminal = ::fdopen(slave, "w");
    {
        TCliOutput output(out, terminal);
        EXPECT_TRUE(output.ProgressShown());
        output.Progress(50);
        output.Line(QStringLiteral("Pong"));
    }
    const QByteArray expected("\r[##########..........]  50%\r\033[K");
    EXPECT_EQ(Receive(master, expected.size()), expected);
    EXPECT_EQ(Contents(out), QByteArray("Ping\nPong\n"));
    std::fclose(terminal);
    ::close(master);
    std::fclose(out);
}

}  // namespace
