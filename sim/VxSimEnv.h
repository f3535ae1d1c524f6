#pragma once

// One game as an environment for reinforcement learning, stepped a month
// at a time.  An action is one signed lot count per company ID: a negative
// count sells, a positive one buys.  A step settles the sales first, then
// the purchases, each in ID order and each cut to the most lots the game
// settles at that moment (VxSimLotsOpen), so no order of an action is ever
// refused; then it plays the month, as `serve` plays its `next`.  The
// game's figures are kept in arrays by ID (VxSimArrays.h).
//
// The reward of a step is the change of 総資産 over it: the cash and the
// market value of the holdings, 万円 (a sale's fee lowers it at once, a
// purchase's fee too).  A step that ends the game, won or lost, is
// terminated; one that plays the last month allowed is truncated.  The
// step after either starts the next game instead and does nothing else:
// it is the next game's first observation, with a reward of 0
// (Gymnasium's next-step autoreset).  The next game's seed follows the
// last one's (VxSimNextSeed), so every environment plays its own chain of
// games, whatever thread steps it.

#include "game/VxGame.h"
#include "game/VxSeed.h"
#include "sim/VxSimArrays.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimRequest.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

struct TVxSimEnvStep {
    double Reward = 0;
    bool Terminated = false;
    bool Truncated = false;
    // The cash did not cover the month while a holding could be sold: the
    // orders were settled but no month was played, and purchases stay
    // closed until one is (BuyMax is 0 meanwhile).
    bool Refused = false;
    // The step started the next game and did nothing else.
    bool Restarted = false;
};

// The seed of the game after the game of `seed`: a mix of its bits
// (VxMixSeed), cut below 2^53 as drawn seeds are.  Seeds next
// to each other lead to chains that never meet in practice, so
// environments started on seeds 1, 2, 3 ... play different games.
uint64_t VxSimNextSeed(uint64_t seed);

class TVxSimEnv {
public:
    // The game's arrays go to `storage`.  No game is played until Reset.
    explicit TVxSimEnv(const TVxSimArrays::TStorage& storage);

    // A new game of `seed`, played for at most `maxMonths` months, and for
    // as long as it lasts when none is given.  Without a seed the game
    // after the last one is played, or a seed is drawn for the first.
    void Reset(std::optional<uint64_t> seed, std::optional<int64_t> maxMonths);
    // One step: `action` and `filled` have one entry per company ID;
    // `filled` gets the lots settled, negative for sales.  Throws
    // std::logic_error before the first Reset and std::length_error for
    // arrays of another size.
    TVxSimEnvStep Step(std::span<const int64_t> action, std::span<int32_t> filled);

    uint64_t Seed() const { return FGame->Seed(); }
    // Months played in this game: a new game starts at month 0 of year 0.
    int64_t Months() const { return VxMonthIndex(Game().Year, Game().Month); }
    // 総資産: the cash and the market value of the holdings, 万円.
    int64_t Total() const { return FGame->Fortune(); }
    const TVxGame& Game() const { return FGame->Game(); }

private:
    // The orders of one side of `action`, each cut to what settles.
    void Settle(TVxSimSide side, std::span<const int64_t> action, std::span<int32_t> filled);

    TVxSimArrays FArrays;
    std::unique_ptr<TVxSimGame> FGame;
    std::vector<TVxCompany*> FById;
    std::optional<int64_t> FMaxMonths;
    // Terminated or truncated: the next step starts the next game.
    bool FEnded = false;
};
