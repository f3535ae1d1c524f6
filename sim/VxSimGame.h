#pragma once

// One simulated game: the game's own model, played month by month by a
// strategy, with every random draw derived from the game's seed (see
// VxSimSeed.h).  Nothing is shown and nothing is logged; what matters for
// the output is read back from the game's state after each month.

#include "game/VxGame.h"
#include "game/VxRandom.h"
#include "sim/VxSimMonth.h"
#include "sim/VxSimStrategy.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class TVxSimGame {
public:
    TVxSimGame(uint64_t seed, std::unique_ptr<TVxSimStrategy> strategy);
    TVxSimGame(const TVxSimGame&) = delete;
    TVxSimGame& operator=(const TVxSimGame&) = delete;

    // A new game: a fresh market and its warm-up year, drawn from the seed.
    void NewGame();
    // Continues a saved game; throws what TVxGame::LoadFromFile throws.
    void Load(const std::string& fileName);
    void Save(const std::string& fileName);

    // Plays one month: the strategy's trades, then the monthly turn.  If the
    // turn is refused the strategy sells and the turn is tried again; a
    // turn is refused only while something held can be sold, so a strategy
    // that sells nothing then leaves the game stuck.  A sale that reaches
    // the goal ends the game before the turn.
    TVxSimMonth PlayMonth();

    // The game was won, lost or got stuck; no further month is played.
    bool Ended() const { return FGame.GameEnd || FStuck; }
    const TVxGame& Game() const { return FGame; }
    // Cash plus the market value of the holdings, 万円.
    int64_t Fortune() const;

private:
    // The state after the month, with no events yet.
    TVxSimMonth Snapshot(int32_t taxPaid) const;
    // Plays the turn once; nothing when it was refused.
    std::optional<TVxSimMonth> TryTurn(int64_t monthIndex);

    uint64_t FSeed;
    std::unique_ptr<TVxSimStrategy> FStrategy;
    TVxSeededRandom FMarketDraws;
    TVxSeededRandom FStrategyDraws;
    TVxGame FGame;
    bool FStuck = false;
};
