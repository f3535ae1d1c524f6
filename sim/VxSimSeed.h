#pragma once

// Where the simulator's random draws come from.  A save file holds no
// random state, so every month draws from a stream of its own, derived from
// the game's seed and the month's place in the calendar: a game continued
// from a save file then draws exactly what the uninterrupted game drew.

#include <cstdint>

// What a stream of draws is for; each purpose gets independent streams.
enum class TVxSimStream : uint64_t {
    NewGame = 1, // the companies' warm-up year of a new game
    Turn = 2,    // the market's moves in one monthly turn
    Strategy = 3 // the strategy's own choices in one month
};

// Months since the start of the game: Year * 12 + Month, the month the
// turn starts from.
int64_t VxSimMonthIndex(int32_t year, int32_t month);

// The seed of one stream of draws of the game `seed`; `monthIndex` is 0 for
// the new-game stream.
uint64_t VxSimStreamSeed(uint64_t seed, TVxSimStream stream, int64_t monthIndex);

// Seeds up to 2^53: every JSON reader holds them exactly, where a reader
// that keeps numbers as doubles (JavaScript, jq) changes larger ones.
inline constexpr uint64_t VxSimDrawnSeedLimit = uint64_t{1} << 53;

// A seed for a game that was given none, drawn from the system's source
// of randomness: below VxSimDrawnSeedLimit, so that whoever reads it from
// a JSON answer can play the same game again.
uint64_t VxSimDrawSeed();
