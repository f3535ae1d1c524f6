// Rides the market's momentum.  A company's price moves by its growth
// tendency, which drifts only slowly, so a company that has risen for
// months is likely to go on rising.  Each month the strategy sells every
// holding whose price is lower than two months ago, then spreads the cash
// it can spend over the strongest risers of the last three months that rose
// in each of the last two.

#include "sim/VxSimStrategy.h"

#include <vector>

namespace {

class TVxSimTrendStrategy : public TVxSimStrategy {
public:
    void Trade(TVxSimTrader& trader) override {
        const TVxGame& game = trader.Game();
        for (TVxCompany* company : Companies(game.OwnerList))
            if (PriceChange(*company, SellLookback) < 1)
                trader.Sell(*company, trader.LargestSale(*company));

        std::vector<TVxCompany*> risers;
        for (TVxCompany* company : Companies(game.MarketList))
            if (RoseInEachOf(*company, SteadyMonths))
                risers.push_back(company);
        const std::vector<TVxCompany*> picks =
            Top(risers, PicksPerMonth,
                [](const TVxCompany& company) { return PriceChange(company, RankLookback); });

        // Each pick gets an equal share of what is left, so money a full or
        // too dear pick cannot take goes to the next ones.
        for (size_t i = 0; i < picks.size(); ++i) {
            const int64_t budget =
                CashToSpend(trader, ReserveMonths) / static_cast<int64_t>(picks.size() - i);
            trader.Buy(*picks[i], trader.LargestPurchase(*picks[i], budget));
        }
    }

private:
    static bool RoseInEachOf(const TVxCompany& company, int32_t months) {
        const TIntegerList& history = company.PriceHistory;
        for (int32_t i = history.Count() - 1; i >= 1 && i >= history.Count() - months; --i)
            if (history.Get(i) <= history.Get(i - 1))
                return false;
        return true;
    }

    static constexpr int32_t SteadyMonths = 2;
    static constexpr int32_t SellLookback = 2;
    static constexpr int32_t RankLookback = 3;
    static constexpr size_t PicksPerMonth = 3;
    static constexpr int32_t ReserveMonths = 3;
};

const bool Registered = VxSimRegisterStrategy(
    "trend", "buys the strongest risers of the last three months, sells what has fallen",
    [] { return std::make_unique<TVxSimTrendStrategy>(); });

} // namespace
