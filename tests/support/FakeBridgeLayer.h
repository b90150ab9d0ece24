#pragma once
#include "BridgeLayer.h"

// A bridge layer with a fixed list of bridges, for tests.
class TFakeBridgeLayer final : public IBridgeLayer {
public:
    QList<BridgeInfo> bridges;
    bool loadable = true;      // false: as if the bridge library were missing
    bool countable = true;     // false: the bridges cannot be counted
    int loads = 0;
    int unloads = 0;

    bool load() override
    {
        ++loads;
        return loadable;
    }
    void unload() override { ++unloads; }
    std::optional<QList<BridgeInfo>> attachedBridges() override
    {
        if (!countable)
            return std::nullopt;
        return bridges;
    }

    static BridgeInfo interfaceOn(const QString &port)
    {
        return {0x10C4, 0xEA60, QStringLiteral("0001"), port};
    }
};
