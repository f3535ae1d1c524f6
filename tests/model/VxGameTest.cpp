#include "game/VxGame.h"

#include "game/VxConsts.h"
#include "tests/support/GameState.h"
#include "tests/support/QuietMarket.h"
#include "tests/support/RecordingSinks.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> OpeningLines = {
    "株の波に乗って、3000万円を3000億円にしましょう。",
    "毎月生活費として30万円が資金から引かれます。これは支出には含まれません。",
    "毎年1月に利益の20%を税として納めなければなりません。",
};

TEST(VxGame, ConstructedEmpty) {
    TVxGame game;
    EXPECT_EQ(game.Month, 0);
    EXPECT_EQ(game.Year, 0);
    EXPECT_EQ(game.Money, 0);
    EXPECT_FALSE(game.GameEnd);
    EXPECT_EQ(game.MessageLog, nullptr);
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
    TRecordingLog log;
    TRecordingMessageBox box;
    game.SetRandom(&random);
    game.MessageLog = &log;
    game.MessageBoxSink = &box;
    log.Lines = {"an old line"};
    // A calendar and cash in any state: the warm-up runs from it and crosses
    // a year, yet the game starts in month 1 of year 1 with 3000万円.
    game.Month = 7;
    game.Year = 41;
    game.Money = -5;
    game.GameEnd = true;

    game.NewGame();

    EXPECT_EQ(log.Clears, 1);
    EXPECT_EQ(log.Lines, OpeningLines);
    EXPECT_EQ(log.Depth, 0);
    EXPECT_TRUE(box.Boxes.empty());
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
    EXPECT_EQ(market.Log.Lines, OpeningLines);
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

TEST_F(VxGameState, MessagesGoToTheLogWhenThereIsOne) {
    game.AddMessage("一行");
    game.AddMessageFmt("%d年目%d月 %s %d%%", 2, 12, "ID:7", -3);
    const std::string longText(5000, 'x');
    game.AddMessageFmt("%s!", longText.c_str());
    EXPECT_EQ(market.Log.Lines,
              (std::vector<std::string>{"一行", "2年目12月 ID:7 -3%", longText + "!"}));
    game.MessageLog = nullptr;
    game.AddMessage("dropped");
    game.AddMessageFmt("%d", 1);
    EXPECT_EQ(market.Log.Lines.size(), 3u);
}

} // namespace
