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
    TakePeak();
}

void TVxGameHistory::Turn(const TVxHistoryMonth& month) {
    FMonths.push_back(month);
    TakePeak();
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
    FPeakTotal = 0;
    FPeakIndex = 0;
    for (size_t i = 0; i < FMonths.size(); ++i)
        if (i == 0 || FMonths[i].Total() > FPeakTotal) {
            FPeakTotal = FMonths[i].Total();
            FPeakIndex = static_cast<int32_t>(i);
        }
}

void TVxGameHistory::TakePeak() {
    const int64_t total = FMonths.back().Total();
    if (total > FPeakTotal) {
        FPeakTotal = total;
        FPeakIndex = static_cast<int32_t>(FMonths.size() - 1);
    }
}

TVxHistorySummary VxSummarize(const TVxGameHistory& history) {
    const std::vector<TVxHistoryMonth>& months = history.Months();
    TVxHistorySummary summary;
    summary.MonthsPlayed = static_cast<int32_t>(months.size()) - 1;
    summary.Total = months.back().Total();
    summary.PeakTotal = history.PeakTotal();
    summary.PeakIndex = history.PeakIndex();
    for (const TVxHistoryMonth& month : months) {
        summary.Tax += month.Tax;
        summary.FeesYen += month.FeesYen;
        summary.Bought += month.Bought;
        summary.Sold += month.Sold;
        summary.Trades += month.Trades;
    }
    return summary;
}
