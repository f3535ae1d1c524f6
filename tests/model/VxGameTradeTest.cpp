// The game's own trades: a purchase or a sale of a number of lots settles
// exactly what the game offers for them (the figures the trade dialog
// shows), checks the goal, and a refusal says why and changes nothing.

#include "game/VxGame.h"

#include "game/VxConsts.h"
#include "game/VxSeed.h"
#include "tests/support/GameState.h"
#include "tests/support/QuietMarket.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

enum class TSide { Buy, Sell };

struct TTradeCase {
    const char* Name;
    TSide Side;
    int32_t Cash;
    int32_t Price;
    int32_t Held; // shares
    int32_t HeldCost;
    int32_t Income;
    int32_t Lots;
    TVxTradeRefusal Refusal;
    TVxTradeOffer Refused; // the offer refused, which its reason names
};

constexpr int32_t Max = INT32_MAX;

const TTradeCase TradeCases[] = {
    {"one lot bought", TSide::Buy, 3000, 1000, 0, 0, 0, 1, TVxTradeRefusal::None, {}},
    {"all the cash buys", TSide::Buy, 3000, 1000, 0, 0, 0, 27, TVxTradeRefusal::None, {}},
    {"a cheap lot rounded up", TSide::Buy, 3000, 2, 0, 0, 0, 4, TVxTradeRefusal::None, {}},
    {"part of a holding sold", TSide::Sell, 3000, 1000, 5000, 550, 0, 2, TVxTradeRefusal::None, {}},
    {"the whole holding sold", TSide::Sell, 3000, 1000, 5000, 550, 0, 5, TVxTradeRefusal::None, {}},
    {"one lot beyond the cash",
     TSide::Buy,
     3000,
     1000,
     0,
     0,
     0,
     28,
     TVxTradeRefusal::Cash,
     {28, 3080}},
    {"no lots", TSide::Buy, 3000, 1000, 0, 0, 0, 0, TVxTradeRefusal::Lots, {0, 0}},
    {"more than on sale",
     TSide::Buy,
     100000,
     1000,
     98000,
     10780,
     0,
     3,
     TVxTradeRefusal::Lots,
     {3, 330}},
    {"more than held", TSide::Sell, 3000, 1000, 2000, 220, 0, 3, TVxTradeRefusal::Lots, {3, 270}},
    {"a sale for nothing", TSide::Sell, 3000, 5, 2000, 1, 0, 2, TVxTradeRefusal::Amount, {2, 0}},
    {"income beyond 32 bits",
     TSide::Sell,
     3000,
     1000,
     2000,
     220,
     Max - 50,
     1,
     TVxTradeRefusal::Amount,
     {1, 90}},
};

class GameTrade : public ::testing::TestWithParam<TTradeCase> {
protected:
    TQuietMarket market;
    TVxGame& game = market.Game;
};

// The offer the game makes for `lots` on `side`, as the dialog lists it.
std::optional<TVxTradeOffer> Offered(const TVxGame& game, const TVxCompany& company, TSide side,
                                     int32_t lots) {
    TIntegerList counts;
    TIntegerList money;
    if (side == TSide::Buy)
        game.BuildBuyOffers(company, counts, money);
    else
        game.BuildSellOffers(company, counts, money);
    for (int32_t i = 0; i < counts.Count(); ++i)
        if (counts.Get(i) == lots)
            return TVxTradeOffer{lots, money.Get(i)};
    return std::nullopt;
}

TEST_P(GameTrade, SettlesWhatIsOfferedAndRefusesTheRestWithItsReason) {
    const TTradeCase& c = GetParam();
    game.Money = c.Cash;
    game.SetIncome(c.Income);
    TVxCompany& company = market.Company(3);
    company.SetStockPrice(c.Price);
    Hold(game, company, c.Held, c.HeldCost);
    const std::optional<TVxTradeOffer> offered = Offered(game, company, c.Side, c.Lots);
    const std::vector<uint8_t> before = SaveBytes(game);

    const TVxTradeResult result =
        c.Side == TSide::Buy ? game.Buy(company, c.Lots) : game.Sell(company, c.Lots);

    EXPECT_EQ(result.Refusal, c.Refusal);
    if (!result.Settled()) {
        EXPECT_EQ(result.Offer, c.Refused);
    }
    EXPECT_EQ(result.Settled(), offered.has_value()) << "settled exactly what is offered";
    EXPECT_FALSE(result.GameClear);
    if (!offered) {
        EXPECT_EQ(SaveBytes(game), before) << "a refusal changes nothing";
        return;
    }
    EXPECT_EQ(result.Offer, *offered) << "the figures the dialog shows";
    const int32_t signedAmount = c.Side == TSide::Buy ? -offered->Money : offered->Money;
    EXPECT_EQ(game.Money, c.Cash + signedAmount);
    const int32_t shares = c.Held + (c.Side == TSide::Buy ? 1 : -1) * c.Lots * TradeLot;
    EXPECT_EQ(company.MyStockCount, shares);
    EXPECT_EQ(game.OwnerList.IndexOf(&company) >= 0, shares > 0);
    EXPECT_EQ(c.Side == TSide::Buy ? game.Expense() : game.Income() - c.Income, offered->Money);
}

std::string TradeCaseName(const ::testing::TestParamInfo<TTradeCase>& param) {
    std::string name = param.param.Name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, GameTrade, ::testing::ValuesIn(TradeCases), TradeCaseName);

class GameTradeEnd : public ::testing::Test {
protected:
    TQuietMarket market;
    TVxGame& game = market.Game;
};

TEST_F(GameTradeEnd, ASaleThatReachesTheGoalWinsTheGame) {
    game.Money = GoalMoney - 100;
    TVxCompany& company = market.Company(3);
    Hold(game, company, 2 * TradeLot, 220);

    const TVxTradeResult result = game.Sell(company, 2);

    ASSERT_TRUE(result.Settled());
    EXPECT_EQ(result.Offer, (TVxTradeOffer{2, 180}));
    EXPECT_TRUE(result.GameClear);
    EXPECT_TRUE(game.GameEnd);
    EXPECT_EQ(game.Money, GoalMoney + 80);
    ASSERT_EQ(market.Events.Told.size(), size_t{1});
    EXPECT_EQ(market.Events.Told[0].Event, TVxGameEvent{TVxGameCleared{GoalMoney}});
    EXPECT_TRUE(market.Events.Told[0].GameEnd);
}

TEST_F(GameTradeEnd, NoTradeOnceTheGameHasEnded) {
    TVxCompany& company = market.Company(3);
    Hold(game, company, 2 * TradeLot, 220);
    game.GameEnd = true;
    const std::vector<uint8_t> before = SaveBytes(game);

    for (const TVxTradeResult& result : {game.Buy(company, 1), game.Sell(company, 1)}) {
        EXPECT_EQ(result.Refusal, TVxTradeRefusal::GameEnded);
    }
    EXPECT_EQ(SaveBytes(game), before);
}

// An offer worked out before the price moved is no longer open.
TEST_F(GameTradeEnd, AnOfferAtAnOlderPriceIsRefused) {
    TVxCompany& company = market.Company(3);
    const TVxTradeOffer atThousand = TradeBuyOfferAt(1000, 2);
    company.SetStockPrice(1010);

    const TVxTradeResult result = game.Buy(company, atThousand);

    EXPECT_EQ(result.Refusal, TVxTradeRefusal::PriceMismatch);
    EXPECT_EQ(result.Offer, atThousand);
    EXPECT_EQ(company.MyStockCount, 0);
}

// A month refused for lack of cash waits for sales until a month is played.
TEST_F(GameTradeEnd, ARefusedMonthAwaitsSalesUntilAMonthIsPlayed) {
    TVxCompany& held = market.Company(3);
    Hold(game, held, 2 * TradeLot, 220);
    game.Money = LivingCost - 1;
    EXPECT_FALSE(game.SalesAwaited());

    ASSERT_TRUE(game.NextMonth().Refused);
    EXPECT_TRUE(game.SalesAwaited());
    EXPECT_TRUE(game.Sell(held, 1).Settled());
    EXPECT_TRUE(game.SalesAwaited()) << "until the month is played";

    ASSERT_FALSE(game.NextMonth().Refused);
    EXPECT_FALSE(game.SalesAwaited());
}

// While sales are awaited a purchase is refused and changes nothing, unless
// the game was told to allow it (the window's choice); sales stay open, and
// the month played opens purchases again.
TEST_F(GameTradeEnd, PurchasesWaitForSalesUnlessAllowed) {
    TVxCompany& held = market.Company(3);
    TVxCompany& other = market.Company(4);
    Hold(game, held, 2 * TradeLot, 220);
    game.Money = LivingCost - 1;
    EXPECT_TRUE(game.PurchasesOpen());
    ASSERT_TRUE(game.NextMonth().Refused);
    EXPECT_FALSE(game.PurchasesOpen());

    const std::vector<uint8_t> before = SaveBytes(game);
    const TVxTradeResult refused = game.Buy(other, 0);
    EXPECT_EQ(refused.Refusal, TVxTradeRefusal::SalesAwaited) << "before the lots are looked at";
    EXPECT_EQ(SaveBytes(game), before);

    ASSERT_TRUE(game.Sell(held, 2).Settled());
    ASSERT_TRUE(game.SalesAwaited());
    EXPECT_EQ(game.Buy(other, 1).Refusal, TVxTradeRefusal::SalesAwaited);

    game.AllowPurchasesWhileSalesAwaited(true);
    EXPECT_TRUE(game.PurchasesOpen());
    EXPECT_TRUE(game.Buy(other, 1).Settled());
    game.AllowPurchasesWhileSalesAwaited(false);
    EXPECT_EQ(game.Buy(other, 1).Refusal, TVxTradeRefusal::SalesAwaited);

    ASSERT_FALSE(game.NextMonth().Refused);
    EXPECT_TRUE(game.PurchasesOpen());
    EXPECT_EQ(game.Buy(other, 0).Refusal, TVxTradeRefusal::Lots) << "the lots looked at again";
}

// Two seeded games, one of which has its month refused and sells before it
// is played, the other selling at once: the month plays the same.
TEST(SeededGame, ARefusedMonthTriedAgainPlaysTheMonthItWouldHavePlayed) {
    const auto play = [](bool refusedFirst) {
        auto game = std::make_unique<TVxGame>();
        game->SetSeed(7);
        game->NewGame();
        TVxCompany& company = *game->MarketList.Items(12);
        EXPECT_TRUE(game->Buy(company, 2).Settled());
        game->Money = LivingCost - 1;
        if (refusedFirst) {
            EXPECT_TRUE(game->NextMonth().Refused);
        }
        EXPECT_TRUE(game->Sell(company, 2).Settled());
        EXPECT_FALSE(game->NextMonth().Refused);
        return SaveBytes(*game);
    };
    EXPECT_EQ(play(true), play(false));
}

TEST(SeededGame, TheSameSeedPlaysTheSameMarketAndAnotherSeedAnother) {
    const auto months = [](uint64_t seed) {
        TVxGame game;
        game.SetSeed(seed);
        game.NewGame();
        for (int month = 0; month < 24; ++month)
            game.NextMonth();
        return SaveBytes(game);
    };
    EXPECT_EQ(months(7), months(7));
    EXPECT_NE(months(7), months(8));
}

// A game continued from its save file in another game object with the same
// seed goes on exactly as the one that never stopped.
TEST(SeededGame, AGameLoadedWithItsSeedGoesOnAsIfNeverStopped) {
    TVxGame whole;
    whole.SetSeed(99);
    whole.NewGame();
    for (int month = 0; month < 5; ++month)
        whole.NextMonth();
    TVxWriteStream saved;
    whole.SaveToStream(saved);
    for (int month = 0; month < 7; ++month)
        whole.NextMonth();

    TVxGame continued;
    continued.SetSeed(99);
    TVxReadStream stream(saved.Bytes());
    continued.LoadFromStream(stream);
    for (int month = 0; month < 7; ++month)
        continued.NextMonth();
    EXPECT_EQ(SaveBytes(continued), SaveBytes(whole));
}

} // namespace
