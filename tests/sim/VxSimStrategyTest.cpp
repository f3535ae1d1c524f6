// The built-in strategies' decisions in small markets built for them, and
// the registry that finds them by name.

#include "sim/VxSimStrategy.h"

#include "game/VxConsts.h"
#include "tests/support/GameState.h"
#include "tests/support/QuietMarket.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TVxSimStrategy> Make(const char* name) {
    std::unique_ptr<TVxSimStrategy> strategy = VxSimCreateStrategy(name);
    if (!strategy)
        throw std::logic_error(std::string("no strategy ") + name);
    return strategy;
}

class Strategy : public testing::Test {
protected:
    void Trade(const char* name, uint64_t draws = 1) {
        TVxSeededRandom random(draws);
        TVxSimTrader trader(Market.Game, random);
        Make(name)->Trade(trader);
    }
    int32_t Lots(int16_t id) { return Market.Company(id).MyStockCount / TradeLot; }

    TQuietMarket Market;
};

TEST(StrategyRegistry, FindsEveryBuiltInStrategyByName) {
    std::vector<std::string> names;
    for (const TVxSimStrategyInfo& info : VxSimStrategies()) {
        names.push_back(info.Name);
        EXPECT_FALSE(info.Description.empty());
        EXPECT_NE(VxSimCreateStrategy(info.Name), nullptr);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"idle", "random", "trend", "value"}));
    EXPECT_EQ(VxSimCreateStrategy("Trend"), nullptr);
    EXPECT_EQ(VxSimCreateStrategy(""), nullptr);
}

TEST_F(Strategy, IdleNeverTrades) {
    Market.Prices(7, {1100, 1300, 1600});
    Hold(Market.Game, Market.Company(8), 2 * TradeLot, 220);
    Trade("idle");
    EXPECT_EQ(Market.Game.Money, 3000);
    EXPECT_EQ(Lots(7), 0);
    EXPECT_EQ(Lots(8), 2);
}

TEST_F(Strategy, TrendBuysSteadyRisersAndSellsWhatFell) {
    Market.Prices(7, {1100, 1250, 1400}); // strongest steady riser
    Market.Prices(8, {1010, 1020, 1030}); // weaker steady riser
    Market.Prices(9, {1500, 1700, 1650}); // rose more, but not last month
    Market.Prices(5, {1200, 1100, 1000}); // held, below two months ago
    Hold(Market.Game, Market.Company(5), 4 * TradeLot, 480);
    Trade("trend");

    EXPECT_EQ(Lots(5), 0);
    EXPECT_GT(Lots(7), 0);
    EXPECT_GT(Lots(8), 0);
    EXPECT_EQ(Lots(9), 0);
    EXPECT_EQ(Market.Game.OwnerList.Count(), 2);
    // The cash of the coming month and three more stays in hand.
    EXPECT_GE(Market.Game.Money, 4 * LivingCost);
    EXPECT_LT(Market.Game.Money, 4 * LivingCost + 200) << "the rest goes into shares";
}

TEST_F(Strategy, TrendKeepsAHoldingThatHasNotFallen) {
    Market.Prices(5, {1000, 990, 1010});
    Hold(Market.Game, Market.Company(5), 4 * TradeLot, 480);
    Trade("trend");
    EXPECT_EQ(Lots(5), 4);
}

TEST_F(Strategy, ValueSellsAtAProfitAndBuysTheReboundAfterAFall) {
    Market.Prices(5, {1200}); // held at 1000 a share: 120 %
    Hold(Market.Game, Market.Company(5), TradeLot, 100);
    Market.Prices(6, {1200}); // held at 1100 a share: 109 %
    Hold(Market.Game, Market.Company(6), TradeLot, 110);
    Market.Prices(20, {900, 800, 700, 600, 500, 520});  // fell, now turning up
    Market.Prices(21, {900, 800, 700, 600, 500, 450});  // still falling
    Market.Prices(22, {300, 200, 150, 120, 95, 99});    // turning up, but too cheap
    Market.Prices(23, {1000, 990, 980, 970, 960, 965}); // fell less
    Trade("value");

    EXPECT_EQ(Lots(5), 0);
    EXPECT_EQ(Lots(6), 1);
    EXPECT_GT(Lots(20), 0);
    EXPECT_EQ(Lots(21), 0);
    EXPECT_EQ(Lots(22), 0);
    EXPECT_GT(Lots(23), 0);
    EXPECT_GE(Market.Game.Money, 4 * LivingCost);
}

TEST_F(Strategy, RandomAlwaysKeepsItsReserve) {
    for (uint64_t draws = 1; draws <= 60; ++draws) {
        TQuietMarket market;
        TVxSeededRandom random(draws);
        TVxSimTrader trader(market.Game, random);
        Make("random")->Trade(trader);
        ASSERT_GE(market.Game.Money, 7 * LivingCost) << "draws " << draws;
    }
}

TEST_F(Strategy, RandomDecidesByItsDrawsAlone) {
    const auto holdings = [](uint64_t draws) {
        TQuietMarket market;
        TVxSeededRandom random(draws);
        TVxSimTrader trader(market.Game, random);
        Make("random")->Trade(trader);
        return std::pair{market.Game.Money, market.Game.OwnerList.Count()};
    };
    EXPECT_EQ(holdings(5), holdings(5));
    bool bought = false;
    for (uint64_t draws = 1; draws <= 20; ++draws)
        bought = bought || holdings(draws).second > 0;
    EXPECT_TRUE(bought);
}

} // namespace
