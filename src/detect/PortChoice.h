#pragma once

class TCP210x;

// Which port the tool takes when the user names none. The stored port number
// (CPort) is either kDetect, and the port is the interface's, found by its USB
// identity, or any other number, a port chosen by hand that stays fixed.
namespace PortChoice {

constexpr int kDetect = -1;
// The port number detection gives when no interface is attached.
constexpr int kNoInterface = -1;

inline bool DetectsPort(int storedPortNo) { return storedPortNo == kDetect; }

// The stored port when it is fixed; else the first interface in detection order,
// or kDetect when none is attached.
int Choose(int storedPortNo, TCP210x &bridges);

}  // namespace PortChoice
