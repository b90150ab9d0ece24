#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

#include "StopRequest.h"

namespace {

volatile std::sig_atomic_t g_previousHandlerRan = 0;

void PreviousHandler(int)
{
    g_previousHandlerRan = 1;
}

// Each signal arrives through the event loop, once; afterwards the handling from
// before is back.
TEST(StopRequest, SignalsArriveAsOneQtSignalAndThePreviousHandlingReturns)
{
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        struct sigaction previous {}, saved {};
        previous.sa_handler = PreviousHandler;
        sigemptyset(&previous.sa_mask);
        sigaction(signal, &previous, &saved);
        g_previousHandlerRan = 0;
        {
            TStopRequest stop(true);
            QSignalSpy requested(&stop, &TStopRequest::Requested);
            ASSERT_EQ(std::raise(signal), 0);
            EXPECT_EQ(requested.count(), 0);  // not inside the handler
            ASSERT_TRUE(QTest::qWaitFor([&] { return requested.count() > 0; }, 2000));
            EXPECT_TRUE(stop.IsRequested());
            ASSERT_EQ(std::raise(signal), 0);
            QTest::qWait(50);
            EXPECT_EQ(requested.count(), 1);
            EXPECT_EQ(g_previousHandlerRan, 0);
        }
        ASSERT_EQ(std::raise(signal), 0);
        EXPECT_EQ(g_previousHandlerRan, 1);
        sigaction(signal, &saved, nullptr);
    }
}

}  // namespace
