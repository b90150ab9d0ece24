// How far the end of an exchange (the port closing) lies from its scheduled time,
// 550 ms after the frame was sent, over repeated settings transfers against a
// pseudo-terminal device. Prints the deviations; asserts nothing.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <vector>

#include "ComPort.h"
#include "DeviceExchange.h"
#include "FakeDevice.h"
#include "PortNames.h"
#include "RecordingView.h"

namespace {

using TClock = std::chrono::steady_clock;

// Notes when the window gets its controls back: right after the port closed.
class TTimingView : public TRecordingView {
public:
    TClock::time_point RestoredAt;
    void SetDeviceControlsEnabled(bool enabled) override
    {
        if (enabled)
            RestoredAt = TClock::now();
        TRecordingView::SetDeviceControlsEnabled(enabled);
    }
};

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 20;

    QTemporaryDir folder;
    TFakeDevice device;
    PortNames::WriteAlias(folder.path(), 7, device.SlavePath(), std::nullopt);
    TComPort port(folder.path());
    TTimingView view;
    TDeviceExchange exchange(port, view);
    exchange.ConnectOwnHandlers();

    std::vector<double> lateMs;
    for (int i = 0; i < rounds; ++i) {
        exchange.StartOperation(TOperationCode::SettingsTransfer, QStringLiteral("COM7"));
        const TClock::time_point scheduled =
            TClock::now() + std::chrono::milliseconds(exchange.Timer2().remainingTime());
        QTest::qWaitFor([&] { return !exchange.Timer2().isActive(); }, 5000);
        lateMs.push_back(std::chrono::duration<double, std::milli>(view.RestoredAt - scheduled).count());
    }
    std::sort(lateMs.begin(), lateMs.end());
    const double mean = std::accumulate(lateMs.begin(), lateMs.end(), 0.0) / double(lateMs.size());
    std::printf("exchanges: %zu\n", lateMs.size());
    std::printf("port closed after the scheduled 550 ms, in ms: min %.2f  median %.2f  mean %.2f  max %.2f\n",
                lateMs.front(), lateMs[lateMs.size() / 2], mean, lateMs.back());
    return 0;
}
