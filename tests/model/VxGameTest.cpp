#include "game/VxGame.h"

#include "game/VxConsts.h"
#include "tests/support/GameState.h"
#include "tests/support/QuietMarket.h"
#include "tests/support/RecordingEvents.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// What a new game tells first: 3000万円 to turn into 3000億円, 30万円 a
// month, 20% of the profit every January.
const std::vector<TVxGameEvent> Opening = {TVxNewGameBegun{3000, 30000000, 30, 20}};

TEST(VxGame, ConstructedEmpty) {
    TVxGame game;
    EXPECT_EQ(game.Month, 0);
    EXPECT_EQ(game.Year, 0);
    EXPECT_EQ(game.Money, 0);
    EXPECT_FALSE(game.GameEnd);
    EXPECT_EQ(game.Events(), nullptr);
    EXPECT_EQ(game.MarketList.Count(), 0);
    EXPECT_EQ(game.OwnerList.Count(), 0);
    EXPECT_TRUE(game.MarketList.OwnsObjects());
    EXPECT_FALSE(game.OwnerList.OwnsObjects());
    EXPECT_EQ(game.IncomeList.Count(), 0);
    EXPECT_EQ(game.ExpenseList.Count(), 0);
    // The balance needs the two yearly entries that only a new game or a load makes.
    EXPECT_THROW(game.Income(), EListError);
    EXPECT_THROW(game.PreTax(), EListError);
}

TEST(VxGameNew, WarmsUpAndStartsTheGame) {
    TVxGame game;
    TVxSeededRandom random(5);
    TRecordingEvents events;
    game.SetRandom(&random);
    game.SetEvents(&events);
    // A calendar and cash in any state: the warm-up runs from it and crosses
    // a year, yet the game starts in month 1 of year 1 with 3000万円.
    game.Month = 7;
    game.Year = 41;
    game.Money = -5;
    game.GameEnd = true;

    game.NewGame();

    // Told once, before the warm-up's turns, which tell nothing.
    ASSERT_FALSE(events.Told.empty());
    EXPECT_EQ(events.Told.front().Event, Opening.front());
    EXPECT_EQ(events.Passing(), Opening);
    EXPECT_EQ(events.Depth, 0);
    EXPECT_TRUE(events.Waiting().empty());
    EXPECT_EQ(game.Year, 0);
    EXPECT_EQ(game.Month, 0);
    EXPECT_EQ(game.Money, 3000);
    EXPECT_FALSE(game.GameEnd);
    EXPECT_EQ(game.IncomeList.Values(), (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(game.ExpenseList.Values(), (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(game.OwnerList.Count(), 0);
    ASSERT_EQ(game.MarketList.Count(), 1000);
    int moved = 0;
    for (int32_t i = 0; i < 1000; ++i) {
        const TVxCompany& company = *game.MarketList.Items(i);
        EXPECT_EQ(company.ID, i); // sorted by ID, the default key
        EXPECT_EQ(company.PriceHistory.Count(), 12);
        EXPECT_EQ(company.MyStockCount, 0);
        EXPECT_EQ(company.MyStockCost, 0);
        moved += company.StockPrice() != 1000;
    }
    EXPECT_GT(moved, 900); // a full year of prices, no longer the fresh 1000s
}

TEST(VxGameNew, WarmUpIsTwelveMonthsOfThreeDrawsPerCompany) {
    TVxGame game;
    TScriptedRandom random;
    random.Neutral = true;
    game.SetRandom(&random);
    game.NewGame();
    EXPECT_EQ(random.Reseeds, 12);
    ASSERT_EQ(random.Ranges.size(), 12u * 3000u);
    for (size_t i = 0; i < random.Ranges.size(); i += 3) {
        ASSERT_EQ(random.Ranges[i], 100);
        ASSERT_EQ(random.Ranges[i + 1], 3);
        ASSERT_EQ(random.Ranges[i + 2], 41);
    }
    EXPECT_EQ(game.Money, 3000);
}

TEST(VxGameNew, WithoutLogOrBoxes) {
    TVxGame game;
    TVxSeededRandom random(1);
    game.SetRandom(&random);
    game.NewGame();
    EXPECT_EQ(game.MarketList.Count(), 1000);
    EXPECT_EQ(game.Money, 3000);
}

TEST(VxGameNew, MarketEndsInTheOrderOfItsSortKey) {
    TVxGame game;
    TVxSeededRandom random(9);
    game.SetRandom(&random);
    game.MarketList.SortColumn = 1;
    game.MarketList.SortDown = true;
    game.NewGame();
    for (int32_t i = 1; i < game.MarketList.Count(); ++i)
        ASSERT_GE(game.MarketList.Items(i - 1)->StockPrice(),
                  game.MarketList.Items(i)->StockPrice());
}

class VxGameState : public testing::Test {
protected:
    TQuietMarket market;
    TVxGame& game = market.Game;
};

TEST_F(VxGameState, NewGameForgetsTheHoldingsAndTheOldMarket) {
    Hold(game, market.Company(3), 5000, 600);
    game.SetIncome(70);
    game.PushExpense(20);
    game.NewGame();
    EXPECT_EQ(game.OwnerList.Count(), 0);
    EXPECT_EQ(game.IncomeList.Values(), (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(game.ExpenseList.Values(), (std::vector<int32_t>{0, 0}));
    for (int32_t i = 0; i < game.MarketList.Count(); ++i)
        ASSERT_EQ(game.MarketList.Items(i)->MyStockCount, 0);
    EXPECT_EQ(market.Events.Passing(), Opening);
}

TEST_F(VxGameState, RebuildOwnerListTakesHeldCompaniesInMarketOrder) {
    game.MarketList.SetSort(0, true); // IDs 999 .. 0
    const auto at = [this](int32_t index) {
        return game.MarketList.Items(index);
    };
    at(900)->MyStockCount = 1000;
    at(10)->MyStockCount = 100000;
    at(500)->MyStockCount = 3000;
    game.OwnerList.Add(at(0)); // a stale entry is dropped
    game.RebuildOwnerList();
    ASSERT_EQ(game.OwnerList.Count(), 3);
    EXPECT_EQ(game.OwnerList.Items(0), at(10));
    EXPECT_EQ(game.OwnerList.Items(1), at(500));
    EXPECT_EQ(game.OwnerList.Items(2), at(900));
}

struct TBalanceCase {
    int32_t Income;
    int32_t Expense;
    int32_t Profit;
    int32_t Tax;
};

TEST_F(VxGameState, BalanceOfThisAndLastYear) {
    const TBalanceCase cases[] = {
        {7, 0, 7, 1},   // 1.4
        {8, 0, 8, 2},   // 1.6
        {12, 10, 2, 0}, // 0.4
        {13, 10, 3, 1}, // 0.6
        {0, 0, 0, 0},
        {10, 500, -490, 0},
        {INT32_MAX, 0, INT32_MAX, 429496729},
        {0, INT32_MAX, -INT32_MAX, 0},
        {INT32_MAX, INT32_MAX, 0, 0},
    };
    for (const TBalanceCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Income << " - " << c.Expense);
        game.SetIncome(c.Income);
        game.SetExpense(c.Expense);
        EXPECT_EQ(game.Income(), c.Income);
        EXPECT_EQ(game.Expense(), c.Expense);
        EXPECT_EQ(game.Profit(), c.Profit);
        EXPECT_EQ(game.Tax(), c.Tax);
        EXPECT_EQ(game.ProfitAfterTax(), c.Profit - c.Tax);
        // The year change moves this year to last year.
        game.PushIncome(0);
        game.PushExpense(0);
        EXPECT_EQ(game.PreIncome(), c.Income);
        EXPECT_EQ(game.PreExpense(), c.Expense);
        EXPECT_EQ(game.PreProfit(), c.Profit);
        EXPECT_EQ(game.PreTax(), c.Tax);
        EXPECT_EQ(game.PreProfitAfterTax(), c.Profit - c.Tax);
        EXPECT_EQ(game.Income(), 0);
        EXPECT_EQ(game.Expense(), 0);
    }
}

TEST_F(VxGameState, HoldingsValueIsTheMarketValueOfEveryHolding) {
    EXPECT_EQ(game.HoldingsValue(), 0);
    SetPrices(market.Company(10), {1234});
    Hold(game, market.Company(10), 3000, 400); // 370.2万
    Hold(game, market.Company(11), 1000, 110); // 100万
    EXPECT_EQ(game.HoldingsValue(), 470);
    // Every share of every company at the highest price: 1000 x 1億 is far
    // beyond 32 bits.
    for (int32_t i = 0; i < game.MarketList.Count(); ++i) {
        TVxCompany& company = *game.MarketList.Items(i);
        company.SetStockPrice(MaxStockPrice);
        company.MyStockCount = IssuedShares;
    }
    game.RebuildOwnerList();
    EXPECT_EQ(game.HoldingsValue(), 100'000'000'000);
}

TEST_F(VxGameState, SettersWriteThisYearAndPushesShift) {
    game.SetIncome(5);
    game.SetExpense(6);
    EXPECT_EQ(game.IncomeList.Values(), (std::vector<int32_t>{0, 5}));
    EXPECT_EQ(game.ExpenseList.Values(), (std::vector<int32_t>{0, 6}));
    game.PushIncome(9);
    game.PushExpense(0);
    EXPECT_EQ(game.IncomeList.Values(), (std::vector<int32_t>{5, 9}));
    EXPECT_EQ(game.ExpenseList.Values(), (std::vector<int32_t>{6, 0}));
}

TEST_F(VxGameState, EventsGoToTheSinkWhenThereIsOne) {
    game.Money = 50;
    game.Month = 11;
    game.SetIncome(400);
    game.NextMonth(); // tax, then below 0
    EXPECT_EQ(market.Events.Passing(), (std::vector<TVxGameEvent>{TVxTaxPaid{1, 0, 80}}));
    EXPECT_EQ(market.Events.Waiting(), std::vector<TVxGameEvent>{TVxGameLost{}});

    game.SetEvents(nullptr);
    game.NewGame();
    game.NextMonth();
    EXPECT_EQ(market.Events.Told.size(), 2u);
}

} // namespace
