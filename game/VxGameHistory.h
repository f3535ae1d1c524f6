#pragma once

// The history of one game, a month at a time: where the player stood in
// each calendar month of the game (cash, the market value of the holdings
// and their sum, 総資産) and what the month took (the fees of its trades,
// to the yen, the amounts bought and sold, the tax the turn into it paid).
//
// The game keeps it itself, from the one settlement and turn path every
// front goes through, so a game played in the window, by a strategy or
// over `serve` has the same history.  A month's entry is written when the
// turn into it is played and brought up to date by every trade in it, so
// the last entry always shows the game as it stands now, and a saved game
// and its history agree on the calendar and the cash of their last month.
//
// The history is stored beside the save file, never in it (VxGameHistoryFile.h).

#include <cstdint>
#include <optional>
#include <vector>

struct TVxHistoryMonth {
    int32_t Year = 0;         // as the game keeps it, from 0
    int32_t Month = 0;        // 0..11
    int32_t Cash = 0;         // 万円, at the end of the month (or now)
    int64_t Value = 0;        // the market value of the holdings, 万円
    int32_t Tax = 0;          // paid by the turn into this month, 万円
    int32_t Bankruptcies = 0; // held companies lost in the turn into this month
    int32_t Trades = 0;       // purchases and sales settled in the month
    int64_t Bought = 0;       // paid for purchases, fees included, 万円
    int64_t Sold = 0;         // received for sales, fees deducted, 万円
    int64_t FeesYen = 0;      // the fees of those trades, yen

    // 総資産: the cash and the holdings together.
    int64_t Total() const { return Cash + Value; }

    friend bool operator==(const TVxHistoryMonth&, const TVxHistoryMonth&) = default;
};

// Where the market of a history's months came from.
enum class TVxHistoryOrigin {
    // A new game: its first month on, the warm-up year included, were all
    // drawn from the history's seed (if it has one).
    NewGame,
    // Not all of it: the history began at a game loaded without one, or the
    // game went on with another seed; the months from then on are drawn
    // from the history's seed.
    Loaded
};

class TVxGameHistory {
public:
    // The months in calendar order; the first is where the history began,
    // the last the month the game is in.
    const std::vector<TVxHistoryMonth>& Months() const { return FMonths; }
    bool Empty() const { return FMonths.empty(); }
    const TVxHistoryMonth& Last() const { return FMonths.back(); }

    // The seed the game draws its market from, which a game loaded with its
    // history goes on with; none for a game drawing from elsewhere (the
    // clock, a test's script).
    std::optional<uint64_t> Seed() const { return FSeed; }
    TVxHistoryOrigin Origin() const { return FOrigin; }
    // The whole market of the game came from its seed: a new game of that
    // seed played the same months sees the same prices.
    bool SeededFromStart() const { return FSeed && FOrigin == TVxHistoryOrigin::NewGame; }

    // Starts a history at `first`.
    void Begin(std::optional<uint64_t> seed, TVxHistoryOrigin origin, const TVxHistoryMonth& first);
    // A trade in the current month: `amount` (万円) paid or received, of
    // which `feeYen` went to the fee; the cash and the holdings value after
    // it.
    void Trade(bool purchase, int32_t amount, int64_t feeYen, int32_t cash, int64_t value);
    // A month played: the entry of the month the turn led into.
    void Turn(const TVxHistoryMonth& month);
    // The game goes on drawing from `seed`: a seed other than the
    // history's makes its market no longer one seed's from the start.
    void Reseed(std::optional<uint64_t> seed);
    // Replaces the whole history (a history read from its file).
    void Assign(std::optional<uint64_t> seed, TVxHistoryOrigin origin,
                std::vector<TVxHistoryMonth> months);

    // The highest 総資産 the game has had at the end of any month or trade,
    // and the month it was reached in, as an index into Months().  It is
    // kept as it is reached, so it never falls: a trade's fee lowers the
    // 総資産 of the month it is settled in, and a month's entry shows only
    // the figures after its last trade.  A history assigned whole knows
    // only those, and takes its peak from them.
    int64_t PeakTotal() const { return FPeakTotal; }
    int32_t PeakIndex() const { return FPeakIndex; }

private:
    // Counts the newest entry, as it stands now, into the peak.
    void TakePeak();

    std::optional<uint64_t> FSeed;
    TVxHistoryOrigin FOrigin = TVxHistoryOrigin::NewGame;
    std::vector<TVxHistoryMonth> FMonths;
    int64_t FPeakTotal = 0;
    int32_t FPeakIndex = 0;
};

// The figures of a whole game, from its history.
struct TVxHistorySummary {
    int32_t MonthsPlayed = 0; // turns played since the history began
    int64_t Total = 0;        // 総資産 now, 万円
    int64_t PeakTotal = 0;    // the highest 総資産 reached (TVxGameHistory::PeakTotal)
    int32_t PeakIndex = 0;    // its month, as an index into Months()
    int64_t Tax = 0;          // 万円, all years
    int64_t FeesYen = 0;
    int64_t Bought = 0; // 万円
    int64_t Sold = 0;   // 万円
    int32_t Trades = 0;
};

// The summary of `history`, which must not be empty.
TVxHistorySummary VxSummarize(const TVxGameHistory& history);
