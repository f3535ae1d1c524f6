#pragma once

// What one monthly turn did, for callers that act on it rather than read it
// back from the game: the window shows the state anyway, the headless
// simulator records these as the month's events.

#include <cstdint>
#include <vector>

struct TVxTurnResult {
    // The cash did not cover the month while a holding could be sold: the
    // warning was shown and nothing else happened.  All other fields are
    // then empty.
    bool Refused = false;
    // Tax taken at the change of year, 万円; 0 in every other month.
    int32_t TaxPaid = 0;
    // IDs of the held companies that went bankrupt, in the order the turn
    // moved them (market order).
    std::vector<int16_t> Bankrupt;
    // IDs of every company that went bankrupt, held or not, in market
    // order: each starts again at the initial price with a history of that
    // price alone, which a program that keeps the prices itself must know.
    std::vector<int16_t> Restarted;
    // The cash fell below 0 and the game is over.
    bool GameOver = false;
    // There is no game clear: a turn only ever takes cash away, so only a
    // sale can reach the goal, and CheckGameClear after the trade tells it.
};
