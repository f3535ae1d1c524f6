// Trades at random, within the game's rules and a small cash reserve: each
// month every holding is sold whole with a chance of one in twelve, and
// with an even chance one company picked at random is bought for a random
// part of the cash that can be spent.  What skill has to beat.

#include "sim/VxSimStrategy.h"

#include <vector>

namespace {

class TVxSimRandomStrategy : public TVxSimStrategy {
public:
    void Trade(TVxSimTrader& trader) override {
        const TVxGame& game = trader.Game();
        IVxRandom& draws = trader.Draws();

        // Sales change the owner list, so decide on a copy of it.
        std::vector<TVxCompany*> held;
        for (int32_t i = 0; i < game.OwnerList.Count(); ++i)
            held.push_back(game.OwnerList.Items(i));
        for (TVxCompany* company : held)
            if (draws.Random(SellOneIn) == 0)
                trader.Sell(*company, trader.LargestSale(*company));

        if (draws.Random(2) != 0 || game.MarketList.Count() == 0)
            return;
        TVxCompany& company = *game.MarketList.Items(draws.Random(game.MarketList.Count()));
        const int64_t budget = CashToSpend(trader, ReserveMonths) * (1 + draws.Random(100)) / 100;
        trader.Buy(company, trader.LargestPurchase(company, budget));
    }

private:
    static constexpr int32_t SellOneIn = 12;
    static constexpr int32_t ReserveMonths = 6;
};

const bool Registered =
    VxSimRegisterStrategy("random", "buys and sells at random, keeping half a year's living cost",
                          [] { return std::make_unique<TVxSimRandomStrategy>(); });

} // namespace
