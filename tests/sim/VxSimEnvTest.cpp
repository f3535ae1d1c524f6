// The game as an environment: how a step settles an action, its reward and
// ends, the arrays by ID it keeps, and many environments stepped on
// threads giving what single ones give.

#include "sim/VxSimEnv.h"
#include "sim/VxSimBatch.h"

#include "game/VxConsts.h"
#include "sim/VxSimAnswers.h"
#include "sim/VxSimArrays.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimWorkers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <random>
#include <span>
#include <stdexcept>
#include <vector>

namespace {

using TAction = std::vector<int64_t>;

// One environment over arrays of its own.
struct TOneEnv {
    TVxSimArrayStore Store{1};
    TVxSimEnv Env{Store.Slice(0)};
    std::vector<int32_t> Filled = std::vector<int32_t>(CompanyCount);

    TVxSimEnvStep Step(const TAction& action) { return Env.Step(action, Filled); }
};

TAction NoOrders() {
    return TAction(CompanyCount, 0);
}

// The largest listed offer of `company` in `game` now.
int32_t LargestOffer(const TVxGame& game, const TVxCompany& company, TVxSimSide side) {
    TIntegerList lots;
    TIntegerList money;
    if (side == TVxSimSide::Buy)
        game.BuildBuyOffers(company, lots, money);
    else
        game.BuildSellOffers(company, lots, money);
    return lots.Count() == 0 ? 0 : lots.Last();
}

// Random orders: a few companies bought, by up to `most` lots; a holding
// sold now and then, in part or whole; and once in a while an order of far
// more lots than any game settles, either way.
TAction RandomOrders(std::mt19937& draws, std::span<const int32_t> holdings, int64_t most) {
    TAction action(CompanyCount, 0);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int64_t> lots(1, most);
    for (size_t id = 0; id < action.size(); ++id) {
        const int draw = percent(draws);
        if (holdings[id] > 0 && draw < 25)
            action[id] = -lots(draws);
        else if (draw == 99)
            action[id] = lots(draws);
        else if (draw == 98 && percent(draws) < 5)
            action[id] = percent(draws) < 50 ? INT64_MAX : INT64_MIN;
    }
    return action;
}

// The arrays show the game as it stands: every company's prices by ID,
// holding and largest offers, and the calendar and cash.
void ExpectArraysShowTheGame(const TVxSimArrays::TStorage& arrays, const TVxGame& game) {
    const std::vector<TVxCompany*> byId = VxSimCompaniesById(game);
    for (size_t id = 0; id < byId.size(); ++id) {
        const TVxCompany& company = *byId[id];
        const std::vector<int32_t> row(arrays.Prices.begin() + id * PriceHistoryLength,
                                       arrays.Prices.begin() + (id + 1) * PriceHistoryLength);
        ASSERT_EQ(row, company.PriceHistory.Values()) << id;
        ASSERT_EQ(arrays.Holdings[id] * TradeLot, company.MyStockCount) << id;
        const bool buying = !game.GameEnd && !game.SalesAwaited();
        ASSERT_EQ(arrays.BuyMax[id], buying ? LargestOffer(game, company, TVxSimSide::Buy) : 0)
            << id;
        ASSERT_EQ(arrays.SellMax[id],
                  game.GameEnd ? 0 : LargestOffer(game, company, TVxSimSide::Sell))
            << id;
    }
    EXPECT_EQ(*arrays.Cash, game.Money);
    EXPECT_EQ(*arrays.Year, game.Year + 1);
    EXPECT_EQ(*arrays.Month, game.Month + 1);
}

// Sales come first, so their proceeds pay for the purchases of the same
// step; purchases go in ID order, so the lower ID takes all it can and a
// higher one what the cash leaves.  The same trades made by hand on the
// same game tell what each order must fill.
TEST(SimEnv, SellsFirstThenBuysInIdOrderEachCutToWhatSettles) {
    TOneEnv env;
    env.Env.Reset(9, std::nullopt);
    TVxSimGame replay(9);
    replay.NewGame();
    const std::vector<TVxCompany*> byId = VxSimCompaniesById(replay.Game());
    TVxGame& game = replay.Game();

    TAction action = NoOrders();
    action[40] = 3;
    action[41] = 1;
    env.Step(action);
    ASSERT_EQ(env.Filled[40], 3);
    ASSERT_EQ(env.Filled[41], 1);
    ASSERT_TRUE(game.Buy(*byId[40], 3).Settled());
    ASSERT_TRUE(game.Buy(*byId[41], 1).Settled());
    replay.PlayTurn();

    action = NoOrders();
    action[41] = -500;  // more than held: all of it
    action[40] = -1;    // part of it
    action[700] = 1000; // all the cash allows, after the sales
    action[300] = 1000; // comes first, taking what it can
    const int32_t buyableBefore = env.Store.BuyMax[300];
    const TVxSimEnvStep step = env.Step(action);
    EXPECT_EQ(env.Filled[41], -1);
    EXPECT_EQ(env.Filled[40], -1);
    ASSERT_TRUE(game.Sell(*byId[40], 1).Settled());
    ASSERT_TRUE(game.Sell(*byId[41], 1).Settled());
    const int32_t first = LargestOffer(game, *byId[300], TVxSimSide::Buy);
    EXPECT_EQ(env.Filled[300], first);
    EXPECT_GT(first, buyableBefore) << "the proceeds of the sales were not spent";
    ASSERT_TRUE(game.Buy(*byId[300], first).Settled());
    EXPECT_EQ(env.Filled[700], LargestOffer(game, *byId[700], TVxSimSide::Buy));
    const int64_t filled =
        std::count_if(env.Filled.begin(), env.Filled.end(), [](int32_t lots) { return lots != 0; });
    EXPECT_EQ(filled, 3 + (env.Filled[700] != 0)) << "nothing else was ordered";
    if (env.Filled[700] != 0) {
        ASSERT_TRUE(game.Buy(*byId[700], env.Filled[700]).Settled());
    }
    replay.PlayTurn();

    EXPECT_FALSE(step.Refused);
    EXPECT_EQ(env.Env.Total(), replay.Fortune());
    EXPECT_EQ(env.Env.Game().Money, game.Money);
    EXPECT_EQ(env.Env.Months(), 2);
}

// Doing nothing loses the game in its 101st month: each month's reward is
// the living cost, the last step is terminated, and the step after it
// starts the game of the next seed with a reward of 0.
TEST(SimEnv, IdleGameEndsTerminatedAndTheNextStepStartsTheNextGame) {
    TOneEnv env;
    env.Env.Reset(3, std::nullopt);
    for (int month = 1; month <= 101; ++month) {
        const TVxSimEnvStep step = env.Step(NoOrders());
        ASSERT_EQ(step.Reward, -LivingCost) << month;
        ASSERT_EQ(step.Terminated, month == 101) << month;
        ASSERT_FALSE(step.Truncated);
        ASSERT_FALSE(step.Restarted);
    }
    EXPECT_EQ(env.Env.Game().Outcome().Outcome, TVxGameOutcome::Lost);
    EXPECT_EQ(env.Store.SellMax[0] + env.Store.BuyMax[0], 0) << "an ended game offers nothing";

    TAction buy = NoOrders();
    buy[1] = 5;
    const TVxSimEnvStep restart = env.Step(buy);
    EXPECT_TRUE(restart.Restarted);
    EXPECT_EQ(restart.Reward, 0);
    EXPECT_FALSE(restart.Terminated || restart.Truncated || restart.Refused);
    EXPECT_EQ(env.Filled[1], 0) << "the action of a restarting step is not carried out";
    EXPECT_EQ(env.Env.Seed(), VxSimNextSeed(3));
    EXPECT_EQ(env.Env.Months(), 0);
    EXPECT_EQ(env.Env.Total(), StartMoney);
    ExpectArraysShowTheGame(env.Store.Slice(0), env.Env.Game());
}

TEST(SimEnv, TruncatedWhenTheMonthsAllowedArePlayed) {
    TOneEnv env;
    env.Env.Reset(3, 2);
    EXPECT_FALSE(env.Step(NoOrders()).Truncated);
    const TVxSimEnvStep last = env.Step(NoOrders());
    EXPECT_TRUE(last.Truncated);
    EXPECT_FALSE(last.Terminated);
    EXPECT_TRUE(env.Step(NoOrders()).Restarted);
    EXPECT_FALSE(env.Step(NoOrders()).Truncated) << "the limit holds for the next game too";
    EXPECT_TRUE(env.Step(NoOrders()).Truncated);
}

// Buying all that every company offers, month after month, soon leaves
// less cash than the month costs while the holdings can be sold: the month
// is refused, purchases close, and a step that sells plays it.
TEST(SimEnv, RefusedMonthClosesPurchasesUntilASalePaysForIt) {
    TOneEnv env;
    env.Env.Reset(11, std::nullopt);
    int64_t months = 0;
    while (!env.Step(TAction(CompanyCount, 100)).Refused) {
        ASSERT_LT(++months, 10) << "the cash should run out within a few months";
        ASSERT_EQ(env.Env.Months(), months);
    }
    EXPECT_EQ(env.Env.Months(), months) << "a refused month is not played";
    EXPECT_LT(env.Env.Game().Money, LivingCost);
    ExpectArraysShowTheGame(env.Store.Slice(0), env.Env.Game());
    EXPECT_EQ(std::count(env.Store.BuyMax.begin(), env.Store.BuyMax.end(), 0), CompanyCount);

    EXPECT_TRUE(env.Step(TAction(CompanyCount, 100)).Refused);
    EXPECT_EQ(std::count(env.Filled.begin(), env.Filled.end(), 0), CompanyCount);

    TAction sell = NoOrders();
    const auto held = std::find_if(env.Store.SellMax.begin(), env.Store.SellMax.end(),
                                   [](int32_t lots) { return lots > 0; });
    ASSERT_NE(held, env.Store.SellMax.end());
    sell[static_cast<size_t>(held - env.Store.SellMax.begin())] = -*held;
    const TVxSimEnvStep paid = env.Step(sell);
    EXPECT_FALSE(paid.Refused);
    EXPECT_EQ(env.Env.Months(), months + 1);
}

// Ten years of random orders, refused months and bankruptcies among them:
// after every step the arrays are the game's figures.
TEST(SimEnv, ArraysShowTheGameAfterEveryStep) {
    TOneEnv env;
    env.Env.Reset(21, std::nullopt);
    std::mt19937 draws(5);
    for (int step = 0; step < 120; ++step) {
        env.Step(RandomOrders(draws, env.Store.Holdings, 30));
        if (step % 7 == 0) {
            SCOPED_TRACE(testing::Message() << "step " << step);
            ASSERT_NO_FATAL_FAILURE(ExpectArraysShowTheGame(env.Store.Slice(0), env.Env.Game()));
        }
    }
}

// Five games with random orders, limited to 40 months so that they end and
// start again, stepped by single environments and by batches on one to
// four threads: every figure of every step is the same.
TEST(SimBatch, EqualsSingleEnvironmentsWhateverTheThreads) {
    const std::vector<std::optional<uint64_t>> seeds{1, 2, 3, 1000, 123456789};
    const size_t games = seeds.size();
    constexpr int64_t MaxMonths = 40;
    std::vector<TOneEnv> singles(games);
    for (size_t g = 0; g < games; ++g)
        singles[g].Env.Reset(seeds[g], MaxMonths);
    std::vector<std::unique_ptr<TVxSimBatch>> batches;
    for (const int32_t threads : {1, 2, 4}) {
        batches.push_back(std::make_unique<TVxSimBatch>(games, threads));
        batches.back()->Reset(seeds, MaxMonths);
    }
    std::mt19937 draws(77);
    int restarts = 0;
    for (int step = 0; step < 100; ++step) {
        TAction actions;
        std::vector<TVxSimEnvStep> expected;
        for (size_t g = 0; g < games; ++g) {
            const TAction action = RandomOrders(draws, singles[g].Store.Holdings, 5);
            actions.insert(actions.end(), action.begin(), action.end());
            expected.push_back(singles[g].Step(action));
            restarts += expected.back().Restarted;
        }
        for (const auto& batch : batches) {
            batch->Step(actions);
            const TVxSimArrayStore& arrays = batch->Arrays();
            for (size_t g = 0; g < games; ++g) {
                SCOPED_TRACE(testing::Message() << "step " << step << ", game " << g << ", "
                                                << batch->Threads() << " threads");
                const TOneEnv& single = singles[g];
                ASSERT_EQ(batch->Rewards[g], expected[g].Reward);
                ASSERT_EQ(batch->Terminated[g], expected[g].Terminated);
                ASSERT_EQ(batch->Truncated[g], expected[g].Truncated);
                ASSERT_EQ(batch->Refused[g], expected[g].Refused);
                ASSERT_EQ(batch->Restarted[g], expected[g].Restarted);
                ASSERT_EQ(batch->Seeds[g], single.Env.Seed());
                ASSERT_EQ(batch->Months[g], single.Env.Months());
                const auto part = [g](const std::vector<int32_t>& all, size_t size) {
                    return std::vector<int32_t>(all.begin() + g * size,
                                                all.begin() + (g + 1) * size);
                };
                ASSERT_EQ(part(batch->Filled, CompanyCount), single.Filled);
                ASSERT_EQ(part(arrays.Prices, CompanyCount * PriceHistoryLength),
                          single.Store.Prices);
                ASSERT_EQ(part(arrays.Holdings, CompanyCount), single.Store.Holdings);
                ASSERT_EQ(part(arrays.BuyMax, CompanyCount), single.Store.BuyMax);
                ASSERT_EQ(part(arrays.SellMax, CompanyCount), single.Store.SellMax);
                ASSERT_EQ(arrays.Cash[g], single.Store.Cash[0]);
                ASSERT_EQ(arrays.Year[g], single.Store.Year[0]);
                ASSERT_EQ(arrays.Month[g], single.Store.Month[0]);
            }
        }
    }
    EXPECT_GE(restarts, int(games)) << "every game should have ended and started again";
}

TEST(SimBatch, RefusesActionsOfTheWrongSize) {
    TVxSimBatch batch(2, 2);
    batch.Reset({1, 2}, std::nullopt);
    EXPECT_THROW(batch.Step(TAction(CompanyCount, 0)), std::length_error);
    EXPECT_THROW(batch.Reset({1}, std::nullopt), std::length_error);
    TOneEnv env;
    EXPECT_THROW(env.Step(NoOrders()), std::logic_error) << "stepped before its first reset";
}

// A job that throws ends the round with its exception; the pool then runs
// the next round whole.
TEST(SimWorkers, AFailingJobIsThrownAndThePoolGoesOn) {
    TVxSimWorkers workers(3);
    std::atomic<int> ran{0};
    EXPECT_THROW(workers.Run(100,
                             [&](size_t i) {
                                 if (i == 10)
                                     throw std::runtime_error("job 10");
                                 ++ran;
                             }),
                 std::runtime_error);
    std::vector<int> done(1000, 0);
    workers.Run(done.size(), [&](size_t i) { ++done[i]; });
    EXPECT_EQ(std::count(done.begin(), done.end(), 1), 1000);
}

} // namespace
