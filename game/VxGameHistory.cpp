#include "game/VxGameHistory.h"

#include <algorithm>
#include <utility>

void TVxGameHistory::Begin(std::optional<uint64_t> seed, TVxHistoryOrigin origin,
                           const TVxHistoryMonth& first) {
    Assign(seed, origin, {first});
}

void TVxGameHistory::Trade(bool purchase, int32_t amount, int64_t feeYen, int32_t cash,
                           int64_t value) {
    TVxHistoryMonth& month = FMonths.back();
    ++month.Trades;
    (purchase ? month.Bought : month.Sold) += amount;
    month.FeesYen += feeYen;
    month.Cash = cash;
    month.Value = value;
}

void TVxGameHistory::Turn(const TVxHistoryMonth& month) {
    FMonths.push_back(month);
}

void TVxGameHistory::Reseed(std::optional<uint64_t> seed) {
    if (seed == FSeed)
        return;
    FSeed = seed;
    FOrigin = TVxHistoryOrigin::Loaded;
}

void TVxGameHistory::Assign(std::optional<uint64_t> seed, TVxHistoryOrigin origin,
                            std::vector<TVxHistoryMonth> months) {
    FSeed = seed;
    FOrigin = origin;
    FMonths = std::move(months);
}

TVxHistorySummary VxSummarize(const TVxGameHistory& history) {
    const std::vector<TVxHistoryMonth>& months = history.Months();
    TVxHistorySummary summary;
    summary.MonthsPlayed = static_cast<int32_t>(months.size()) - 1;
    summary.Total = months.back().Total();
    summary.PeakTotal = months.front().Total();
    for (size_t i = 0; i < months.size(); ++i) {
        const TVxHistoryMonth& month = months[i];
        if (month.Total() > summary.PeakTotal) {
            summary.PeakTotal = month.Total();
            summary.PeakIndex = static_cast<int32_t>(i);
        }
        summary.Tax += month.Tax;
        summary.FeesYen += month.FeesYen;
        summary.Bought += month.Bought;
        summary.Sold += month.Sold;
        summary.Trades += month.Trades;
    }
    return summary;
}
