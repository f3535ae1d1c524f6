#pragma once

// The record of finished games: one entry for each game that ended, won or
// lost, with how and when it ended, its final figures and, for a game whose
// market came whole from its seed, what the trend rules had made of the
// same market by the same month.  The list shows wins first, the fastest
// first, and marks the fastest win of each seed.
//
// The records are kept as text in one file (the window keeps it beside the
// saves).  Version 1, UTF-8 text, lines ending in "\n":
//
//     ridolt-records 1
//     records 2
//     seed outcome year month total fees_yen tax trades bot date
//     7 won 34 8 300012345 18764941500 2286599 524 290004321 2025-06-01T21:04:05+09:00
//     none lost 2 9 -20 3300000 0 3 - 2025-06-02T08:00:00Z
//     end
//
// - `seed`: the seed the game's market was drawn from, `none` without one;
// - `outcome`: `won` (the cash reached 3000億円) or `lost` (it fell below
//   0); `year`, `month`: the month it ended in, as the game keeps the
//   calendar, from 0 (`34 8` is 35年目9月, 34 years and 8 months after the
//   start: "3000億円まで 34年8か月"; `2 9` lost is "3年目10月に破産");
// - `total`: 総資産 at the end, 万円; `fees_yen`: every fee paid, yen;
//   `tax`: every tax paid, 万円; `trades`: the trades settled;
// - `bot`: the trend rules' 総資産 in the same month (their last, had their
//   game ended before), 万円, or `-` for a game whose market did not all
//   come from its seed;
// - `date`: when the game ended, the local date and time with its offset
//   from UTC (ISO 8601).
// The count and the closing "end" tell a whole file from a cut one;
// anything else is refused, a file of another version too.

#include "game/VxGame.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct TVxGameRecord {
    std::optional<uint64_t> Seed;
    TVxGameEnd End;      // won or lost, never playing
    int64_t Total = 0;   // 総資産 at the end, 万円
    int64_t FeesYen = 0; // every fee paid, yen
    int64_t Tax = 0;     // every tax paid, 万円
    int32_t Trades = 0;
    // The trend rules' 総資産 in the same month, 万円; none for a game whose
    // market did not all come from its seed.
    std::optional<int64_t> BotTotal;
    // When the game ended: "2025-06-01T21:04:05+09:00" (or "...Z" at UTC).
    std::string Date;

    friend bool operator==(const TVxGameRecord&, const TVxGameRecord&) = default;
};

// The record of `game` as it has ended, at `date`, beside the trend rules'
// `botTotal`; none for a game that has not ended or has no history.
std::optional<TVxGameRecord> VxGameRecordOf(const TVxGame& game, std::optional<int64_t> botTotal,
                                            std::string date);

// A records file that is not one, is damaged or cut, or holds values no game
// can reach.
class EVxRecordsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int VxRecordsFileVersion = 1;

// The file's text for `records`, in the order given (the order they were
// kept in).
std::string VxRecordsText(std::span<const TVxGameRecord> records);

// The records a file's text holds.  Throws EVxRecordsError.
std::vector<TVxGameRecord> VxReadRecords(std::string_view text);

// The order to show `records` in, as indices: wins, the fastest first, then
// losses, those that lasted longest first; among equals, the one kept
// first (records are kept in the order the games ended).
std::vector<size_t> VxRecordOrder(std::span<const TVxGameRecord> records);

// For each of `records`, whether it is the fastest win of its seed (the
// one kept first of equally fast ones); never for a game without a seed.
std::vector<bool> VxFastestOfSeed(std::span<const TVxGameRecord> records);
