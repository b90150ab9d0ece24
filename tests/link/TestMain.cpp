#include <QCoreApplication>
#include <gtest/gtest.h>

// The port and the exchange need an event loop on the test's thread.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
