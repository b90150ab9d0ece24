#include "PortChoice.h"

#include "uCP210x.h"

namespace PortChoice {

int Choose(int storedPortNo, TCP210x &bridges)
{
    if (!DetectsPort(storedPortNo))
        return storedPortNo;
    const int found = bridges.BridgePresent() ? bridges.FindInterfacePort() : kDetect;
    bridges.UnloadBridgeLibrary();
    return found;
}

}  // namespace PortChoice
