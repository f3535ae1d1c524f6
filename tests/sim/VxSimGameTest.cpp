// One simulated game month by month: refused turns, games that get stuck,
// bankruptcies, tax, the win, and the trader's rules.

#include "sim/VxSimGame.h"

#include "game/VxConsts.h"
#include "sim/VxSimTrader.h"
#include "tests/support/GameState.h"
#include "tests/support/QuietMarket.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Trades never; raises cash the default way.
class TPassive : public TVxSimStrategy {
public:
    void Trade(TVxSimTrader&) override {}
};

// Trades never and will not sell even when the month cannot be paid.
class TStubborn : public TVxSimStrategy {
public:
    void Trade(TVxSimTrader&) override {}
    void RaiseCash(TVxSimTrader&) override {}
};

class TSellEverything : public TVxSimStrategy {
public:
    void Trade(TVxSimTrader& trader) override {
        while (trader.Game().OwnerList.Count() > 0) {
            TVxCompany& company = *trader.Game().OwnerList.Items(0);
            if (!trader.Sell(company, trader.LargestSale(company)))
                return;
        }
    }
};

std::vector<TVxSimEventKind> Kinds(const TVxSimMonth& month) {
    std::vector<TVxSimEventKind> kinds;
    for (const TVxSimEvent& event : month.Events)
        kinds.push_back(event.Kind);
    return kinds;
}

class SimGame : public testing::Test {
protected:
    // Plays the fixture's game from a save file, as `run --load` does.
    TVxSimGame& Continue(std::unique_ptr<TVxSimStrategy> strategy) {
        const std::string file = Dir.File("game.sav");
        Market.Game.SaveToFile(file);
        Sim = std::make_unique<TVxSimGame>(11, std::move(strategy));
        Sim->Load(file);
        return *Sim;
    }

    TScratchDir Dir;
    TQuietMarket Market;
    std::unique_ptr<TVxSimGame> Sim;
};

TEST_F(SimGame, RefusedTurnIsPlayedOnceTheStrategyHasSold) {
    Market.Game.Money = 29;
    Hold(Market.Game, Market.Company(10), 3 * TradeLot, 330); // 1000 yen: one lot sells for 90
    Hold(Market.Game, Market.Company(20), TradeLot, 110);
    TVxSimGame& game = Continue(std::make_unique<TPassive>());

    const TVxSimMonth month = game.PlayMonth();
    EXPECT_EQ(Kinds(month), std::vector{TVxSimEventKind::Refused});
    EXPECT_EQ(month.Month, 2);
    // The largest holding gives the one lot that covers the shortfall.
    EXPECT_EQ(month.Cash, 29 + 90 - 30);
    EXPECT_EQ(game.Game().OwnerList.Count(), 2);
    EXPECT_FALSE(game.Ended());
}

TEST_F(SimGame, RefusedTurnTheStrategyWillNotPayForEndsStuck) {
    Market.Game.Money = 10;
    Hold(Market.Game, Market.Company(10), TradeLot, 110); // sells for 90, but the strategy keeps it
    TVxSimGame& game = Continue(std::make_unique<TStubborn>());
    const TVxSimMonth month = game.PlayMonth();
    EXPECT_EQ(Kinds(month), (std::vector{TVxSimEventKind::Refused, TVxSimEventKind::Stuck}));
    EXPECT_EQ(month.Year, 1);
    EXPECT_EQ(month.Month, 1) << "the turn was never played";
    EXPECT_EQ(month.Cash, 10);
    EXPECT_TRUE(game.Ended());
}

// A holding no sale can turn into cash does not hold the turn up: it is
// played, and the cash it cannot cover ends the game.
TEST_F(SimGame, HoldingNothingSellableIsNoReasonToRefuse) {
    Market.Game.Money = 10;
    Market.Prices(10, {5});
    Hold(Market.Game, Market.Company(10), 2 * TradeLot,
         2); // 2 lots at 5 yen sell for 0.9万円: never offered
    for (const bool stubborn : {false, true}) {
        TVxSimGame& game = Continue(stubborn ? std::unique_ptr<TVxSimStrategy>(new TStubborn)
                                             : std::unique_ptr<TVxSimStrategy>(new TPassive));
        const TVxSimMonth month = game.PlayMonth();
        EXPECT_EQ(Kinds(month), (std::vector{TVxSimEventKind::GameOver}));
        EXPECT_EQ(month.Month, 2);
        EXPECT_EQ(month.Cash, 10 - 30);
        EXPECT_TRUE(game.Ended());
    }
}

TEST_F(SimGame, SellingEverythingStillShortPlaysTheTurnIntoGameOver) {
    Hold(Market.Game, Market.Company(10), TradeLot, 110); // sells for 90
    Market.Game.Money = -70;
    TVxSimGame& game = Continue(std::make_unique<TPassive>());
    const TVxSimMonth month = game.PlayMonth();
    EXPECT_EQ(Kinds(month), (std::vector{TVxSimEventKind::Refused, TVxSimEventKind::GameOver}));
    EXPECT_EQ(month.Cash, -70 + 90 - 30);
    EXPECT_EQ(month.Held, 0);
    EXPECT_TRUE(game.Ended());
}

// Every sale in December raises the tax due at the turn, so one sale
// covering the shortfall seen before it is not enough.
TEST_F(SimGame, DecemberSalesAlsoCoverTheTaxTheyRaise) {
    Market.Game.Month = 11;
    Market.Game.Money = 10;
    Market.Game.SetIncome(1000);                                // tax due 200
    Hold(Market.Game, Market.Company(10), 10 * TradeLot, 1100); // 90 a lot
    TVxSimGame& game = Continue(std::make_unique<TPassive>());
    const TVxSimMonth month = game.PlayMonth();
    EXPECT_EQ(Kinds(month), std::vector{TVxSimEventKind::Refused});
    // 3 lots cover the 220 short before the sale; the tax on them asks for
    // a fourth.
    EXPECT_EQ(month.Tax, 272);
    EXPECT_EQ(month.Cash, 10 + 4 * 90 - 30 - 272);
    EXPECT_EQ(month.Year, 2);
}

TEST_F(SimGame, BankruptciesOfHeldCompaniesAreReportedByID) {
    // At 1 yen with the lowest trend a company goes bankrupt when the
    // month's small draw is 0 or 1.
    std::vector<int16_t> held;
    for (int16_t id = 900; id < 940; ++id) {
        Market.Prices(id, {1}).Trend = -100;
        Hold(Market.Game, Market.Company(id), TradeLot, 1);
        held.push_back(id);
    }
    Market.Prices(950, {1}).Trend = -100; // not held: goes bankrupt silently
    Market.Game.Money = 1000;
    TVxSimGame& game = Continue(std::make_unique<TPassive>());

    const TVxSimMonth month = game.PlayMonth();
    std::vector<int32_t> gone;
    for (const int16_t id : held) {
        const TVxGame& state = game.Game();
        for (int32_t i = 0; i < state.MarketList.Count(); ++i)
            if (state.MarketList.Items(i)->ID == id && state.MarketList.Items(i)->MyStockCount == 0)
                gone.push_back(id);
    }
    std::vector<int32_t> reported;
    for (const TVxSimEvent& event : month.Events) {
        ASSERT_EQ(event.Kind, TVxSimEventKind::Bankruptcy);
        reported.push_back(event.CompanyID);
    }
    EXPECT_FALSE(gone.empty());
    EXPECT_LT(gone.size(), held.size());
    EXPECT_EQ(reported, gone);
    EXPECT_EQ(month.Held, static_cast<int32_t>(held.size() - gone.size()));
}

TEST_F(SimGame, DecemberTurnPaysTheYearsTax) {
    Market.Game.Month = 11;
    Market.Game.SetIncome(1000);
    Market.Game.SetExpense(400);
    TVxSimGame& game = Continue(std::make_unique<TPassive>());
    const TVxSimMonth month = game.PlayMonth();
    EXPECT_EQ(month.Tax, 120);
    EXPECT_EQ(month.Cash, 3000 - 120 - 30);
    EXPECT_EQ(month.Year, 2);
    EXPECT_EQ(month.Month, 1);
}

TEST_F(SimGame, SaleThatReachesTheGoalWinsBeforeTheTurn) {
    Market.Game.Money = GoalMoney - 100;
    Hold(Market.Game, Market.Company(10), 2 * TradeLot, 220); // sells for 180
    TVxSimGame& game = Continue(std::make_unique<TSellEverything>());
    const TVxSimMonth month = game.PlayMonth();
    EXPECT_EQ(Kinds(month), std::vector{TVxSimEventKind::GameClear});
    EXPECT_EQ(month.Month, 1);
    EXPECT_EQ(month.Cash, GoalMoney + 80);
    EXPECT_TRUE(game.Ended());
}

TEST_F(SimGame, FortuneIsCashPlusMarketValue) {
    Market.Prices(10, {1234});
    Hold(Market.Game, Market.Company(10), 3 * TradeLot, 400);
    TVxSimGame& game = Continue(std::make_unique<TPassive>());
    EXPECT_EQ(game.Fortune(), 3000 + 370); // 3000 shares at 1234 yen: 370.2万
}

class SimTrader : public testing::Test {
protected:
    TQuietMarket Market;
    TVxSeededRandom Draws{1};
};

TEST_F(SimTrader, LargestPurchaseKeepsWithinBudgetAndCash) {
    TVxSimTrader trader(Market.Game, Draws);
    const TVxCompany& company = Market.Company(3); // 1000 yen: 110 a lot
    EXPECT_EQ(trader.LargestPurchase(company, 250).Lots, 2);
    EXPECT_EQ(trader.LargestPurchase(company, 250).Money, 220);
    EXPECT_EQ(trader.LargestPurchase(company, 109).Lots, 0);
    EXPECT_EQ(trader.LargestPurchase(company, 1'000'000).Lots, 27); // 3000 cash
}

TEST_F(SimTrader, SaleForTakesTheSmallestSaleThatCovers) {
    Hold(Market.Game, Market.Company(3), 5 * TradeLot, 550);
    TVxSimTrader trader(Market.Game, Draws);
    EXPECT_EQ(trader.SaleFor(Market.Company(3), 100).Lots, 2);
    EXPECT_EQ(trader.SaleFor(Market.Company(3), 180).Lots, 2);
    EXPECT_EQ(trader.SaleFor(Market.Company(3), 181).Lots, 3);
    EXPECT_EQ(trader.SaleFor(Market.Company(3), 10'000).Lots, 5);
}

TEST_F(SimTrader, SettlesOnlyWhatIsOffered) {
    TVxSimTrader trader(Market.Game, Draws);
    TVxCompany& company = Market.Company(3);
    EXPECT_FALSE(trader.Buy(company, {2, 219})) << "the cost of 2 lots is 220";
    EXPECT_FALSE(trader.Buy(company, {28, 3080})) << "beyond the cash";
    EXPECT_FALSE(trader.Sell(company, {1, 90})) << "nothing held";
    EXPECT_EQ(Market.Game.Money, 3000);
    EXPECT_EQ(trader.Trades(), 0);

    ASSERT_TRUE(trader.Buy(company, {2, 220}));
    EXPECT_EQ(Market.Game.Money, 2780);
    EXPECT_EQ(Market.Game.Expense(), 220);
    EXPECT_EQ(company.MyStockCount, 2000);
    ASSERT_TRUE(trader.Sell(company, {2, 180}));
    EXPECT_EQ(Market.Game.Money, 2960);
    EXPECT_EQ(Market.Game.Income(), 180);
    EXPECT_EQ(Market.Game.OwnerList.Count(), 0);
    EXPECT_EQ(trader.Trades(), 2);
}

TEST_F(SimTrader, SalesOnlyTraderRefusesPurchases) {
    Hold(Market.Game, Market.Company(3), TradeLot, 110);
    Market.Game.Money = LivingCost - 1;
    ASSERT_TRUE(Market.Game.NextMonth().Refused) << "the month waits for sales";
    Market.Game.Money = 3000;
    TVxSimTrader trader(Market.Game, Draws);
    EXPECT_FALSE(trader.Buy(Market.Company(4), {1, 110}));
    EXPECT_TRUE(trader.Sell(Market.Company(3), {1, 90}));
}

TEST_F(SimTrader, NoTradeOnceTheGameHasEnded) {
    Market.Game.Money = GoalMoney - 50;
    Hold(Market.Game, Market.Company(3), 2 * TradeLot, 220);
    TVxSimTrader trader(Market.Game, Draws);
    ASSERT_TRUE(trader.Sell(Market.Company(3), {1, 90}));
    EXPECT_TRUE(trader.Ended()) << "the sale reached the goal";
    EXPECT_FALSE(trader.Sell(Market.Company(3), {1, 90}));
    EXPECT_FALSE(trader.Buy(Market.Company(4), {1, 110}));
    EXPECT_EQ(Market.Company(3).MyStockCount, 1000);
}

} // namespace
