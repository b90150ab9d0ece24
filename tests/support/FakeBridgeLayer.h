#pragma once
#include "BridgeLayer.h"

// A bridge layer with a fixed list of bridges, for tests.
class TFakeBridgeLayer final : public IBridgeLayer {
public:
    QList<TBridgeInfo> Bridges;
    bool Loadable = true;      // false: as if the bridge library were missing
    bool Countable = true;     // false: the bridges cannot be counted
    int Loads = 0;
    int Unloads = 0;

    bool Load() override
    {
        ++Loads;
        return Loadable;
    }
    void Unload() override { ++Unloads; }
    std::optional<QList<TBridgeInfo>> AttachedBridges() override
    {
        if (!Countable)
            return std::nullopt;
        return Bridges;
    }

    static TBridgeInfo InterfaceOn(const QString &port)
    {
        return {0x10C4, 0xEA60, QStringLiteral("0001"), port};
    }
};
