// Buys cheap and sells dear: each month it sells every holding that has
// risen to at least 120 percent of its average buying price (enough to
// leave a profit after the fee on both trades), then spreads the cash it
// can spend over the companies that fell most in the last six months and
// have just turned up again.  Companies below 100 yen are left alone, being
// too close to bankruptcy.  It never sells at a loss unless the month
// cannot be paid otherwise.

#include "sim/VxSimStrategy.h"

#include <vector>

namespace {

class TVxSimValueStrategy : public TVxSimStrategy {
public:
    void Trade(TVxSimTrader& trader) override {
        const TVxGame& game = trader.Game();
        for (TVxCompany* company : Companies(game.OwnerList))
            if (company->MyStockPriceRatio() >= TakeProfitPercent)
                trader.Sell(*company, trader.LargestSale(*company));

        std::vector<TVxCompany*> fallers;
        for (TVxCompany* company : Companies(game.MarketList))
            if (company->StockPrice() >= MinPrice && PriceChange(*company, Lookback) < 1 &&
                company->MonthDiff() > 0)
                fallers.push_back(company);
        // The deepest fall first.
        const std::vector<TVxCompany*> picks =
            Top(fallers, PicksPerMonth,
                [](const TVxCompany& company) { return -PriceChange(company, Lookback); });

        for (size_t i = 0; i < picks.size(); ++i) {
            const int64_t budget =
                CashToSpend(trader, ReserveMonths) / static_cast<int64_t>(picks.size() - i);
            trader.Buy(*picks[i], trader.LargestPurchase(*picks[i], budget));
        }
    }

private:
    static constexpr int32_t TakeProfitPercent = 120;
    static constexpr int32_t MinPrice = 100;
    static constexpr int32_t Lookback = 6;
    static constexpr size_t PicksPerMonth = 3;
    static constexpr int32_t ReserveMonths = 3;
};

const bool Registered = VxSimRegisterStrategy(
    "value",
    "buys what fell most in six months once it turns up, sells at 120 % of the buying price",
    [] { return std::make_unique<TVxSimValueStrategy>(); });

} // namespace
