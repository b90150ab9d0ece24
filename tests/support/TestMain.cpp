// Runs the GoogleTest cases inside a core application object: ports, exchanges and
// monitors need an event loop on the test's thread.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
