#pragma once

// One simulated game: the game's own model, played month by month by a
// strategy or by a program through `serve`, with every random draw derived
// from the game's seed (see game/VxSeed.h).  Both ways of playing trade
// through the game's own Buy and Sell and play the same turn, so the same
// orders give the same game.  What matters for the output is read back from the game's
// state after each month.

#include "game/VxGame.h"
#include "game/VxRandom.h"
#include "sim/VxSimMonth.h"
#include "sim/VxSimStrategy.h"

#include <cstdint>
#include <memory>
#include <string>

// One attempt at the monthly turn.
struct TVxSimTurn {
    // The cash did not cover the month while a holding could be sold;
    // nothing changed and the same turn may be tried again after sales.
    bool Refused = false;
    // The state after the turn, with its bankruptcies and game over.
    TVxSimMonth Month;
    // Every company that went bankrupt and started afresh, held or not,
    // by ID.
    std::vector<int16_t> Restarted;
};

class TVxSimGame {
public:
    // A game played by a program rather than a strategy has none.
    explicit TVxSimGame(uint64_t seed, std::unique_ptr<TVxSimStrategy> strategy = nullptr);
    TVxSimGame(const TVxSimGame&) = delete;
    TVxSimGame& operator=(const TVxSimGame&) = delete;

    // A new game: a fresh market and its warm-up year, drawn from the seed.
    void NewGame();
    // Continues a saved game; throws what TVxGame::LoadFromFile throws.
    // The game goes on with the seed it was made with; with `historySeed`
    // it takes the seed of the history beside the file instead, where
    // there is one of this game.
    void Load(const std::string& fileName, bool historySeed = false);
    void Save(const std::string& fileName);

    // Plays one month of a game with a strategy: its trades, then the
    // monthly turn.  If the turn is refused the strategy sells and the turn
    // is tried again; a turn is refused only while something held can be
    // sold, so a strategy that sells nothing then leaves the game stuck.  A
    // sale that reaches the goal ends the game before the turn.
    TVxSimMonth PlayMonth();

    // Plays the monthly turn once.  Every attempt at the turn of one month
    // draws from that month's stream, so a turn tried again after sales
    // draws what a turn played at once would have drawn.
    TVxSimTurn PlayTurn();

    // The game was won, lost or got stuck; no further month is played.
    bool Ended() const { return FGame.GameEnd || FStuck; }
    const TVxGame& Game() const { return FGame; }
    TVxGame& Game() { return FGame; }
    uint64_t Seed() const { return *FGame.Seed(); }
    // Cash plus the market value of the holdings, 万円.
    int64_t Fortune() const;

private:
    // The state after the month, with no events yet.
    TVxSimMonth Snapshot(int32_t taxPaid) const;

    std::unique_ptr<TVxSimStrategy> FStrategy;
    TVxSeededRandom FStrategyDraws;
    TVxGame FGame;
    bool FStuck = false;
};
