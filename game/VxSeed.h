#pragma once

// Where the draws of a seeded game come from.  A save file holds no random
// state, so every month draws from a stream of its own, derived from the
// game's seed and the month's place in the calendar: a game continued from
// a save file then draws exactly what the uninterrupted game drew, and a
// month refused and tried again after sales draws what it would have drawn
// at once.

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

// What a stream of draws is for; each purpose gets independent streams.
enum class TVxDrawStream : uint64_t {
    NewGame = 1, // the companies' warm-up year of a new game
    Turn = 2,    // the market's moves in one monthly turn
    Strategy = 3 // a player's own choices in one month (the simulator's strategies)
};

// SplitMix64's finaliser: a bijection of 64-bit values whose output bits
// each depend on every input bit, so neighbouring months and seeds give
// unrelated streams.
uint64_t VxMixSeed(uint64_t x);

// Months since the start of the game: Year * 12 + Month, the month the
// turn starts from.
int64_t VxMonthIndex(int32_t year, int32_t month);

// The seed of one stream of draws of the game `seed`; `monthIndex` is 0 for
// the new-game stream.
uint64_t VxStreamSeed(uint64_t seed, TVxDrawStream stream, int64_t monthIndex);

// Seeds drawn for a game started without one are below 2^53, so every JSON
// reader (JavaScript's numbers, jq) holds them exactly.
inline constexpr uint64_t VxDrawnSeedLimit = uint64_t{1} << 53;

// A seed for a new game, drawn from the system's entropy: uniform over
// 0..VxDrawnSeedLimit - 1.
uint64_t VxDrawSeed();

// Every 64-bit value is a seed: 0 to VxLargestSeed.
inline constexpr uint64_t VxLargestSeed = std::numeric_limits<uint64_t>::max();

// A seed as the player writes it, on a command line or in a dialog: the
// whole of `text` in decimal digits, no sign and no blanks; nothing when it
// is not one or above VxLargestSeed.
std::optional<uint64_t> VxParseSeed(std::string_view text);
