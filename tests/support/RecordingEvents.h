#pragma once

// A sink that records what the game tells, in place of a front's.

#include "game/VxGame.h"
#include "game/VxGameEvents.h"

#include <vector>

struct TToldEvent {
    TVxGameEvent Event;
    bool GameEnd; // of `Watched` when it was told
};

class TRecordingEvents : public IVxGameEvents {
public:
    std::vector<TToldEvent> Told;
    int Depth = 0; // open BeginUpdate calls
    int MaxDepth = 0;
    // The game whose GameEnd each event notes, so a test can tell whether
    // the game ended before or after it was told.
    const TVxGame* Watched = nullptr;

    void Happened(const TVxGameEvent& event) override;
    void BeginUpdate() override;
    void EndUpdate() override { --Depth; }

    // The events told in passing (a front's log lines), and those that
    // wait for the player (its boxes), in order.
    std::vector<TVxGameEvent> Passing() const;
    std::vector<TVxGameEvent> Waiting() const;
    void Forget();
};
