#include "game/VxGame.h"

#include "tests/support/GameState.h"
#include "tests/support/QuietMarket.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A held company's bankruptcy told for the month the player sees as
// `year`年目`month`月.
TVxGameEvent Bankruptcy(int32_t year, int32_t month, int16_t id) {
    return TVxCompanyBankrupt{year - 1, month - 1, id};
}

using TEvents = std::vector<TVxGameEvent>;

class VxGameTurn : public testing::Test {
protected:
    TQuietMarket market;
    TVxGame& game = market.Game;

    // The one event that waited for the player, and whether the game had
    // ended when it was told.
    void ExpectWaiting(const TVxGameEvent& event) {
        ASSERT_EQ(market.Events.Waiting(), TEvents{event});
    }
    bool EndedWhenWaiting() const {
        for (const TToldEvent& told : market.Events.Told)
            if (VxEventWaits(told.Event))
                return told.GameEnd;
        return false;
    }
    void ExpectLogResumed() {
        EXPECT_EQ(market.Events.Depth, 0);
        EXPECT_EQ(market.Events.MaxDepth, 1);
    }
};

TEST_F(VxGameTurn, PlayedMonthMovesPricesSortsAndTakesTheLivingCost) {
    game.MarketList.SortColumn = 1; // by price, dearest first
    game.MarketList.SortDown = true;
    game.OwnerList.SortColumn = 0; // by ID, highest first
    game.OwnerList.SortDown = true;
    Hold(game, market.Company(5), 1000, 110);
    Hold(game, market.Company(6), 2000, 220);
    game.SetExpense(330);
    TVxCompany* riser = &market.Company(500);
    TVxCompany* faller = &market.Company(501);
    riser->Trend = 100;
    market.Draws.AddNeutralCompanies(500);
    market.Draws.AddCompany(99, 2, 20); // +99 yen
    market.Draws.AddCompany(0, 0, 20);  // -2 yen

    const TVxTurnResult turn = game.NextMonth();

    EXPECT_FALSE(turn.Refused);
    EXPECT_EQ(turn.TaxPaid, 0);
    EXPECT_TRUE(turn.Bankrupt.empty());
    EXPECT_FALSE(turn.GameOver);
    EXPECT_EQ(game.Month, 1);
    EXPECT_EQ(game.Year, 0);
    EXPECT_EQ(game.Money, 2970);
    EXPECT_EQ(game.Expense(), 330); // living costs are no expense
    EXPECT_FALSE(game.GameEnd);
    EXPECT_TRUE(market.Events.Passing().empty());
    EXPECT_TRUE(market.Events.Waiting().empty());
    ExpectLogResumed();
    EXPECT_EQ(market.Draws.Reseeds, 1);
    ASSERT_EQ(market.Draws.Ranges.size(), 3000u);
    EXPECT_EQ(std::vector<int32_t>(market.Draws.Ranges.begin(), market.Draws.Ranges.begin() + 6),
              (std::vector<int32_t>{100, 3, 41, 100, 3, 41}));
    EXPECT_EQ(riser->StockPrice(), 1099);
    EXPECT_EQ(faller->StockPrice(), 998);
    EXPECT_EQ(game.MarketList.Items(0), riser);
    EXPECT_EQ(game.MarketList.Items(999), faller);
    ASSERT_EQ(game.OwnerList.Count(), 2);
    EXPECT_EQ(game.OwnerList.Items(0)->ID, 6);
    EXPECT_EQ(game.OwnerList.Items(1)->ID, 5);
}

struct TPriceCase {
    const char* Name;
    int32_t Price;
    int32_t Trend;
    int32_t R1, R2, R3;
    int32_t NewPrice;
    int32_t NewTrend;
};

TEST_F(VxGameTurn, PriceAndTrendOfOneMonth) {
    const TPriceCase cases[] = {
        {"still", 1000, 0, 0, 2, 20, 1000, 0},
        {"drift -2", 1000, 0, 50, 0, 20, 998, 0},
        {"drift -1", 1000, 0, 99, 1, 20, 999, 0},
        {"rise truncated", 1000, 37, 99, 2, 20, 1036, 37},          // 36.63
        {"fall truncated to zero", 1000, -50, 33, 0, 20, 982, -50}, // -16.5 -> -16
        {"tiny fall is no fall", 1000, -1, 1, 2, 20, 1000, -1},     // -0.01 -> 0
        {"product above 32 bits", 300000, 100, 99, 2, 20, 329700, 100},
        {"highest price falling", 10000000, -100, 99, 0, 20, 9009998, -100},
        {"highest price capped", 10000000, 100, 99, 2, 20, 10000000, 100},
        {"capped with the old trend", 9099999, 100, 99, 2, 0, 10000000, 80},
        {"trend up", 1000, 10, 0, 2, 40, 1000, 30},
        {"trend down", 1000, 10, 0, 2, 0, 1000, -10},
        {"trend cut at 100", 1000, 90, 0, 2, 40, 1000, 100},
        {"trend cut at -100", 1000, -95, 0, 2, 0, 1000, -100},
        {"one yen left", 3, 0, 0, 0, 20, 1, 0},
    };
    for (const TPriceCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TVxCompany& company = market.Company(0);
        company.PushPrice(777);
        company.PushPrice(c.Price);
        company.Trend = c.Trend;
        market.Draws.AddCompany(c.R1, c.R2, c.R3);
        game.Money = 3000;
        game.NextMonth();
        ASSERT_EQ(game.MarketList.Items(0), &company);
        EXPECT_EQ(company.StockPrice(), c.NewPrice);
        EXPECT_EQ(company.PriceHistory.Get(10), c.Price);
        EXPECT_EQ(company.PriceHistory.Get(9), 777);
        EXPECT_EQ(company.PriceHistory.Count(), 12);
        EXPECT_EQ(company.Trend, c.NewTrend);
        EXPECT_TRUE(market.Events.Passing().empty());
    }
}

TEST_F(VxGameTurn, HeldCompanyGoesBankruptAtZero) {
    TVxCompany& doomed = market.Company(7);
    SetPrices(doomed, {9, 8, 7, 6, 5, 4, 3, 2, 2, 2, 2, 2});
    doomed.Trend = 30;
    Hold(game, doomed, 2000, 50);
    Hold(game, market.Company(8), 1000, 20);
    game.SetExpense(70);
    game.Month = 4;
    market.Draws.AddNeutralCompanies(7);
    market.Draws.AddCompany(0, 0, 40); // 2 + 0 - 2 = 0

    const TVxTurnResult turn = game.NextMonth();

    EXPECT_EQ(turn.Bankrupt, std::vector<int16_t>{7});
    EXPECT_EQ(market.Events.Passing(), (TEvents{Bankruptcy(1, 6, 7)}));
    ASSERT_EQ(game.OwnerList.Count(), 1);
    EXPECT_EQ(game.OwnerList.Items(0), &market.Company(8));
    EXPECT_EQ(game.MarketList.Items(7), &doomed);
    EXPECT_EQ(doomed.ID, 7);
    EXPECT_EQ(doomed.MyStockCount, 0);
    EXPECT_EQ(doomed.MyStockCost, 0);
    EXPECT_EQ(doomed.Trend, 0);
    EXPECT_EQ(doomed.PriceHistory.Values(), std::vector<int32_t>(12, 1000));
    EXPECT_EQ(game.Expense(), 70); // what the shares cost stays spent
    EXPECT_EQ(game.Money, 2970);
    EXPECT_TRUE(market.Events.Waiting().empty());
    ExpectLogResumed();
}

// The turn moves the companies in market order, so that is the order in
// which it reports them; a company not held is reported only as restarted.
TEST_F(VxGameTurn, HeldBankruptciesAreReportedInMarketOrder) {
    game.MarketList.SetSort(0, true); // IDs 999 .. 0
    for (const int16_t id : {3, 5, 8})
        SetPrices(market.Company(id), {2});
    Hold(game, market.Company(3), 1000, 20);
    Hold(game, market.Company(8), 1000, 20);
    market.Draws.AddNeutralCompanies(999 - 8);
    market.Draws.AddCompany(0, 0, 20); // ID 8: 2 - 2 = 0
    market.Draws.AddNeutralCompanies(2);
    market.Draws.AddCompany(0, 0, 20); // ID 5, not held
    market.Draws.AddNeutralCompanies(1);
    market.Draws.AddCompany(0, 0, 20); // ID 3

    const TVxTurnResult turn = game.NextMonth();

    EXPECT_EQ(turn.Bankrupt, (std::vector<int16_t>{8, 3}));
    EXPECT_EQ(turn.Restarted, (std::vector<int16_t>{8, 5, 3}));
    EXPECT_EQ(market.Events.Passing(), (TEvents{Bankruptcy(1, 2, 8), Bankruptcy(1, 2, 3)}));
    EXPECT_EQ(game.OwnerList.Count(), 0);
    EXPECT_EQ(market.Company(5).StockPrice(), 1000);
}

TEST_F(VxGameTurn, BankruptcyLineDatesTheNewMonthAndYear) {
    game.Month = 11;
    game.Year = 2;
    Hold(game, market.Company(123), 1000, 20);
    SetPrices(market.Company(123), {1});
    market.Draws.AddNeutralCompanies(123);
    market.Draws.AddCompany(0, 1, 20); // 1 + 1 - 2 = 0

    const TVxTurnResult turn = game.NextMonth();

    EXPECT_EQ(turn.Bankrupt, std::vector<int16_t>{123});
    EXPECT_EQ(turn.TaxPaid, 0);
    EXPECT_EQ(market.Events.Passing(), (TEvents{Bankruptcy(4, 1, 123)}));
    EXPECT_EQ(game.OwnerList.Count(), 0);
}

TEST_F(VxGameTurn, UnheldCompanyGoesBankruptSilently) {
    TVxCompany& doomed = market.Company(0);
    SetPrices(doomed, {1});
    doomed.Trend = -100;
    Hold(game, market.Company(1), 1000, 20);
    market.Draws.AddCompany(99, 0, 0); // 1 - 0 - 2 = -1

    const TVxTurnResult turn = game.NextMonth();

    EXPECT_TRUE(turn.Bankrupt.empty());
    EXPECT_TRUE(market.Events.Passing().empty());
    EXPECT_EQ(doomed.PriceHistory.Values(), std::vector<int32_t>(12, 1000));
    EXPECT_EQ(doomed.Trend, 0);
    EXPECT_EQ(game.OwnerList.Count(), 1);
}

TEST_F(VxGameTurn, PriceSetByHandFarBelowZeroGoesBankrupt) {
    TVxCompany& company = market.Company(0);
    company.SetStockPrice(INT32_MIN);
    company.Trend = 100;
    market.Draws.AddCompany(99, 0, 20); // a new price below the 32-bit range

    game.NextMonth();

    EXPECT_EQ(company.PriceHistory.Values(), std::vector<int32_t>(12, 1000));
    EXPECT_EQ(company.Trend, 0);
}

TEST_F(VxGameTurn, YearChangeWithTax) {
    Hold(game, market.Company(0), 1000, 100);
    game.Month = 11;
    game.Year = 0;
    game.Money = 50000;
    game.SetIncome(100100);
    game.SetExpense(100); // profit 100000, tax 20000

    const TVxTurnResult turn = game.NextMonth();

    EXPECT_EQ(turn.TaxPaid, 20000);
    EXPECT_EQ(game.Year, 1);
    EXPECT_EQ(game.Month, 0);
    EXPECT_EQ(market.Events.Passing(), (TEvents{TVxTaxPaid{1, 0, 20000}}));
    EXPECT_EQ(game.Money, 50000 - 20000 - 30);
    EXPECT_EQ(game.IncomeList.Values(), (std::vector<int32_t>{100100, 0}));
    EXPECT_EQ(game.ExpenseList.Values(), (std::vector<int32_t>{100, 0}));
    EXPECT_EQ(game.PreTax(), 20000);
    EXPECT_EQ(game.Tax(), 0);
    EXPECT_TRUE(market.Events.Waiting().empty());
}

TEST_F(VxGameTurn, YearChangeWithoutTax) {
    const std::pair<int32_t, int32_t> totals[] = {{0, 0}, {500, 500}, {100, 900}, {2, 0}};
    for (const auto& [income, expense] : totals) {
        SCOPED_TRACE(testing::Message() << income << " - " << expense);
        game.Month = 11;
        game.Money = 3000;
        game.SetIncome(income);
        game.SetExpense(expense);
        const int32_t year = game.Year;
        EXPECT_EQ(game.NextMonth().TaxPaid, 0);
        EXPECT_EQ(game.Year, year + 1);
        EXPECT_EQ(game.Month, 0);
        EXPECT_TRUE(
            market.Events.Passing().empty()); // a tax of 0 (2 x 0.2 rounds to 0) is not logged
        EXPECT_EQ(game.Money, 2970);
        EXPECT_EQ(game.IncomeList.Values(), (std::vector<int32_t>{income, 0}));
        EXPECT_EQ(game.ExpenseList.Values(), (std::vector<int32_t>{expense, 0}));
    }
}

struct TAffordCase {
    const char* Name;
    int32_t Money;
    int32_t Month;
    int32_t Profit;
    bool Played;
    int32_t MoneyAfter;
};

TEST_F(VxGameTurn, MonthIsRefusedWhenSharesAreHeldAndCashRunsShort) {
    const TAffordCase cases[] = {
        {"living cost short by 1", 29, 5, 0, false, 29},
        {"living cost exactly", 30, 3, 0, true, 0},
        {"December tax short", 100, 11, 400, false, 100}, // 100 - 30 - 80 < 0
        {"December tax exactly", 110, 11, 400, true, 0},  // 110 - 30 - 80 = 0
        {"tax only counts in December", 100, 10, 400, true, 70},
        {"already negative", -500, 2, 0, false, -500},
    };
    for (const TAffordCase& c : cases) {
        SCOPED_TRACE(c.Name);
        market.Restart();
        Hold(game, market.Company(42), 3000, 90);
        game.Money = c.Money;
        game.Month = c.Month;
        game.SetIncome(c.Profit);
        const std::vector<uint8_t> before = SaveBytes(game);
        const int32_t cost = game.MonthCost();

        const TVxTurnResult turn = game.NextMonth();

        EXPECT_EQ(turn.Refused, !c.Played);
        EXPECT_EQ(game.Money, c.MoneyAfter);
        EXPECT_FALSE(game.GameEnd);
        EXPECT_EQ(market.Draws.Reseeds, 1);
        ExpectLogResumed();
        if (c.Played) {
            EXPECT_TRUE(market.Events.Waiting().empty());
            EXPECT_EQ(game.Month, (c.Month + 1) % 12);
        } else {
            ExpectWaiting(TVxMonthRefused{c.Money, cost});
            EXPECT_EQ(SaveBytes(game), before);
            EXPECT_TRUE(market.Draws.Ranges.empty());
            EXPECT_TRUE(market.Events.Passing().empty());
            EXPECT_EQ(game.OwnerList.Count(), 1);
        }
    }
}

// A holding that no sale can turn into cash does not hold the month up: with
// lots x price at most 11 yen every sale brings in less than 1万円.
TEST_F(VxGameTurn, MonthIsRefusedOnlyWhileAHoldingCanBeSold) {
    struct TCase {
        int32_t Lots;
        int32_t Price;
        bool Refused;
    };
    for (const TCase& c : {TCase{1, 5, false}, TCase{2, 5, false}, TCase{1, 11, false},
                           TCase{3, 5, true}, TCase{1, 12, true}}) {
        SCOPED_TRACE(testing::Message() << c.Lots << " lots at " << c.Price << " yen");
        market.Restart();
        SetPrices(market.Company(42), std::vector<int32_t>(12, c.Price));
        Hold(game, market.Company(42), c.Lots * 1000, 1);
        game.Money = 29;

        const TVxTurnResult turn = game.NextMonth();

        EXPECT_EQ(turn.Refused, c.Refused);
        EXPECT_EQ(turn.GameOver, !c.Refused);
        EXPECT_EQ(game.Month, c.Refused ? 0 : 1);
        EXPECT_EQ(game.Money, c.Refused ? 29 : -1);
        EXPECT_EQ(game.GameEnd, !c.Refused);
        const TVxGameEvent told =
            c.Refused ? TVxGameEvent{TVxMonthRefused{29, 30}} : TVxGameEvent{TVxGameLost{}};
        EXPECT_EQ(market.Events.Waiting(), TEvents{told});
    }
}

TEST_F(VxGameTurn, NothingHeldPlaysTheMonthIntoGameOver) {
    game.Money = 29;
    EXPECT_TRUE(game.NextMonth().GameOver);
    EXPECT_EQ(game.Money, -1);
    EXPECT_EQ(game.Month, 1);
    EXPECT_TRUE(game.GameEnd);
    ASSERT_NO_FATAL_FAILURE(ExpectWaiting(TVxGameLost{}));
    EXPECT_FALSE(EndedWhenWaiting()); // told before the game ends
    ExpectLogResumed();
}

TEST_F(VxGameTurn, NothingHeldPaysTheDecemberTaxIntoGameOver) {
    game.Money = 50;
    game.Month = 11;
    game.SetIncome(400);
    const TVxTurnResult turn = game.NextMonth();
    EXPECT_EQ(turn.TaxPaid, 80);
    EXPECT_TRUE(turn.GameOver);
    EXPECT_EQ(market.Events.Passing(), (TEvents{TVxTaxPaid{1, 0, 80}}));
    EXPECT_EQ(game.Money, 50 - 80 - 30);
    EXPECT_TRUE(game.GameEnd);
    EXPECT_EQ(market.Events.Waiting(), TEvents{TVxGameLost{}});
}

// What the affordability check asks of the cash, and what a player has to
// keep back before the turn.
TEST_F(VxGameTurn, MonthCostAddsTheTaxInDecember) {
    struct TCase {
        int32_t Month;
        int32_t Income;
        int32_t Expense;
        int32_t Cost;
    };
    for (const TCase& c :
         {TCase{0, 500, 0, 30}, TCase{10, 500, 0, 30}, TCase{11, 500, 0, 130}, TCase{11, 0, 0, 30},
          TCase{11, 100, 900, 30}, TCase{11, INT32_MAX, 0, 30 + 429496729}}) {
        SCOPED_TRACE(testing::Message()
                     << "month " << c.Month << ", " << c.Income << " - " << c.Expense);
        game.Month = c.Month;
        game.SetIncome(c.Income);
        game.SetExpense(c.Expense);
        EXPECT_EQ(game.MonthCost(), c.Cost);
    }
}

TEST_F(VxGameTurn, EndedGameStillTurnsWhenAsked) {
    game.Money = 10;
    game.NextMonth();
    ASSERT_TRUE(game.GameEnd);
    game.NextMonth();
    EXPECT_EQ(game.Month, 2);
    EXPECT_EQ(game.Money, -50);
    EXPECT_TRUE(game.GameEnd);
    EXPECT_EQ(market.Events.Waiting(), (TEvents{TVxGameLost{}, TVxGameLost{}}));
}

TEST_F(VxGameTurn, CashAndYearSaturateInsteadOfOverflowing) {
    game.Money = INT32_MIN + 10;
    game.NextMonth();
    EXPECT_EQ(game.Money, INT32_MIN);

    game.Money = INT32_MIN + 50;
    game.Month = 11;
    game.Year = INT32_MAX - 1;
    game.SetIncome(INT32_MAX); // tax 429496729
    game.NextMonth();
    EXPECT_EQ(game.Money, INT32_MIN);
    EXPECT_EQ(game.Year, INT32_MAX - 1);
    EXPECT_EQ(game.Month, 0);
    EXPECT_EQ(market.Events.Passing(), (TEvents{TVxTaxPaid{INT32_MAX - 1, 0, 429496729}}));

    game.Month = 11;
    game.NextMonth();
    EXPECT_EQ(game.Year, INT32_MAX - 1);
}

TEST_F(VxGameTurn, CheckGameClearAtTheGoal) {
    const std::pair<int32_t, bool> cases[] = {
        {29999999, false}, {30000000, true}, {INT32_MAX, true}, {-1, false}};
    for (const auto& [money, cleared] : cases) {
        SCOPED_TRACE(money);
        game.GameEnd = false;
        market.Events.Forget();
        game.Money = money;
        EXPECT_EQ(game.Outcome().Outcome, TVxGameOutcome::Playing);
        EXPECT_EQ(game.CheckGameClear(), cleared);
        EXPECT_EQ(game.GameEnd, cleared);
        EXPECT_EQ(game.Outcome().Outcome, cleared ? TVxGameOutcome::Won : TVxGameOutcome::Playing);
        if (cleared) {
            ASSERT_NO_FATAL_FAILURE(ExpectWaiting(TVxGameCleared{GoalMoney}));
            EXPECT_TRUE(EndedWhenWaiting()); // ended before it is told
        } else {
            EXPECT_TRUE(market.Events.Waiting().empty());
        }
        EXPECT_EQ(game.Money, money);
    }
}

TEST_F(VxGameTurn, CheckGameOverBelowZero) {
    const std::pair<int32_t, bool> cases[] = {
        {0, false}, {1, false}, {-1, true}, {INT32_MIN, true}};
    for (const auto& [money, over] : cases) {
        SCOPED_TRACE(money);
        game.GameEnd = false;
        market.Events.Forget();
        game.Money = money;
        EXPECT_EQ(game.CheckGameOver(), over);
        EXPECT_EQ(game.GameEnd, over);
        EXPECT_EQ(game.Outcome().Outcome, over ? TVxGameOutcome::Lost : TVxGameOutcome::Playing);
        if (over)
            ExpectWaiting(TVxGameLost{});
        else
            EXPECT_TRUE(market.Events.Waiting().empty());
    }
}

TEST_F(VxGameTurn, ChecksWithoutAnEventsSink) {
    game.SetEvents(nullptr);
    game.Money = GoalMoney;
    EXPECT_TRUE(game.CheckGameClear());
    game.Money = -1;
    EXPECT_TRUE(game.CheckGameOver());
    Hold(game, market.Company(0), 1000, 10);
    game.NextMonth(); // refused with nobody to tell
    EXPECT_EQ(game.Month, 0);
}

// Ten years of a seeded market: every price stays a positive price below
// the cap, every trend inside its bounds, every history twelve months long.
TEST(VxGameLongRun, MarketStaysInsideItsBounds) {
    TVxGame game;
    TVxSeededRandom random(2024);
    game.SetRandom(&random);
    game.NewGame();
    game.Money = INT32_MAX;
    for (int32_t i = 0; i < 1000; ++i)
        game.MarketList.Items(i)->Trend = i % 2 == 0 ? 100 : -100;
    for (int month = 0; month < 120; ++month) {
        game.NextMonth();
        for (int32_t i = 0; i < 1000; ++i) {
            const TVxCompany& company = *game.MarketList.Items(i);
            ASSERT_EQ(company.PriceHistory.Count(), 12);
            ASSERT_GE(company.StockPrice(), 1);
            ASSERT_LE(company.StockPrice(), MaxStockPrice);
            ASSERT_GE(company.Trend, -100);
            ASSERT_LE(company.Trend, 100);
        }
    }
    EXPECT_EQ(game.Year, 10);
    EXPECT_FALSE(game.GameEnd);
}

} // namespace

// The outcome and the month it happened in: a sale that reaches the goal
// wins in the month it is made, a turn that leaves the cash below 0 loses
// in the month it leads into, and a game where neither happened is played
// on, also after a month refused.
TEST_F(VxGameTurn, OutcomeTellsTheMonthItHappened) {
    struct TCase {
        const char* Name;
        int32_t Months; // played before the last step
        int32_t Money;  // then set
        bool Holds;     // 10 lots of company 5, bought at the start
        bool Sell;      // the last step: a sale of one lot, or a month
        TVxGameEnd End;
    };
    const TCase cases[] = {
        {"won by a sale", 14, GoalMoney - 90, true, true, {TVxGameOutcome::Won, 1, 2}},
        {"lost by a turn", 3, 10, false, false, {TVxGameOutcome::Lost, 0, 4}},
        {"lost in the new year", 11, 10, false, false, {TVxGameOutcome::Lost, 1, 0}},
        {"a sale short of the goal", 2, GoalMoney - 1000, true, true, {}},
        {"a month paid for", 5, 100, false, false, {}},
        {"a month refused", 5, 10, true, false, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TQuietMarket quiet;
        TVxGame& played = quiet.Game;
        played.RestartHistory(TVxHistoryOrigin::NewGame);
        TVxCompany& company = quiet.Company(5);
        if (c.Holds) {
            ASSERT_TRUE(played.Buy(company, 10).Settled());
        }
        for (int32_t month = 0; month < c.Months; ++month)
            ASSERT_FALSE(played.NextMonth().Refused);
        EXPECT_FALSE(played.Outcome().Ended());
        played.Money = c.Money;
        if (c.Sell) {
            ASSERT_TRUE(played.Sell(company, 1).Settled()); // 90万 after the fee
        } else {
            played.NextMonth();
        }
        EXPECT_EQ(played.Outcome(), c.End);
    }
}
