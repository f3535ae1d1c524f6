#pragma once

// What the simulator's trend rules make of the player's market: a simulated
// game of the same seed, played by the `trend` strategy a month at a time
// in step with the player's months, and its fortune (cash and holdings at
// market value) at the end of each.  The markets are the same month for
// month, since a seeded game's prices do not depend on what the player
// trades.
//
// Its fortune of a month is the one at the end of that month, after its
// trades in it, as the player's history shows the player's; so the same
// play gives the same line.  It is caught up only when asked, a simulated
// month ahead of the months asked for (their trades close the month
// before), and it stops where its game ends (won, lost or stuck).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class TVxSimGame;

class TVxTrendBot {
public:
    TVxTrendBot();
    ~TVxTrendBot();
    TVxTrendBot(const TVxTrendBot&) = delete;
    TVxTrendBot& operator=(const TVxTrendBot&) = delete;

    // Plays the market of `seed` until it has a fortune for `months`
    // months (the first is the new game's), or its game has ended.  A seed
    // other than the one played so far starts a new game; fewer months
    // than played keep the months played, so a game loaded at an earlier
    // month costs nothing.
    void CatchUp(uint64_t seed, size_t months);
    // Forgets the game played.
    void Clear();

    std::optional<uint64_t> Seed() const { return FSeed; }
    // 万円, one per month of the game so far, the new game's first: the
    // 総資産 at the end of the game's month i (its history's entry).
    const std::vector<int64_t>& Fortunes() const { return FFortunes; }
    // Its game has ended: no more months come.
    bool Ended() const;
    // It reached the goal (in the last month of Fortunes).
    bool Won() const;

private:
    std::optional<uint64_t> FSeed;
    std::unique_ptr<TVxSimGame> FGame;
    std::vector<int64_t> FFortunes;
};
