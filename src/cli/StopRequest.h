#pragma once

// Ctrl+C (and the system's request to end) asks a long-running command to stop at
// its next look, instead of ending the process on the spot. Held for the command's
// run; the previous handling comes back when it is destroyed.
class TStopRequest {
public:
    TStopRequest();
    ~TStopRequest();
    TStopRequest(const TStopRequest &) = delete;
    TStopRequest &operator=(const TStopRequest &) = delete;

    bool Requested() const;
};
