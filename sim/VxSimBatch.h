#pragma once

// Many environments (VxSimEnv.h) stepped in one call, on a pool of threads
// (VxSimWorkers.h).  Every array has a leading axis of games and is
// written in place at each call, so a program reads all the games'
// figures without a copy.  Each game is stepped by its own environment,
// whichever thread runs it, so the results are those of as many single
// environments, whatever the number of threads.

#include "sim/VxSimArrays.h"
#include "sim/VxSimEnv.h"
#include "sim/VxSimWorkers.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class TVxSimBatch {
public:
    TVxSimBatch(size_t games, int32_t threads);

    size_t Games() const { return FEnvs.size(); }
    int32_t Threads() const { return FWorkers.Threads(); }

    // New games: game g of `seeds[g]` (one seed per game; none as
    // TVxSimEnv::Reset takes none).
    void Reset(const std::vector<std::optional<uint64_t>>& seeds, std::optional<int64_t> maxMonths);
    // One step of every game: `actions` holds one action after another.
    void Step(std::span<const int64_t> actions);

    TVxSimArrayStore& Arrays() { return FArrays; }
    const TVxSimEnv& Env(size_t game) const { return FEnvs[game]; }

    // The last step of each game (a reset leaves 0 and false), and each
    // game's seed and months played.  Booleans are bytes of 0 or 1.
    std::vector<double> Rewards;
    std::vector<uint8_t> Terminated;
    std::vector<uint8_t> Truncated;
    std::vector<uint8_t> Refused;
    std::vector<uint8_t> Restarted;
    std::vector<int32_t> Filled; // one entry per company of each game
    std::vector<uint64_t> Seeds;
    std::vector<int64_t> Months;

private:
    void Record(size_t game, const TVxSimEnvStep& step);

    TVxSimArrayStore FArrays;
    std::vector<TVxSimEnv> FEnvs;
    TVxSimWorkers FWorkers;
};
