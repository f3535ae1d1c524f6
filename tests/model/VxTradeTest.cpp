#include "game/VxTrade.h"

#include "game/VxConsts.h"
#include "tests/support/GameState.h"
#include "tests/support/QuietMarket.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

// A quiet market: 3000万 of cash, totals of 0, every company at 1000 yen.
class TradeGame : public ::testing::Test {
protected:
    TQuietMarket market;
    TVxGame& game = market.Game;

    // Company `index` of the market at `price`, holding `held` shares that
    // cost `cost`, listed in OwnerList when anything is held.
    TVxCompany& Company(int32_t index, int32_t price, int32_t held = 0, int32_t cost = 0) {
        TVxCompany& company = *game.MarketList.Items(index);
        company.SetStockPrice(price);
        Hold(game, company, held, cost);
        return company;
    }

    std::vector<TVxCompany*> Owners() const {
        std::vector<TVxCompany*> owners;
        for (int32_t i = 0; i < game.OwnerList.Count(); ++i)
            owners.push_back(game.OwnerList.Items(i));
        return owners;
    }
};

// The costs and proceeds are defined in extended precision; for every
// quantity the game can trade they must equal the exact fractions rounded
// up and truncated, which is what a player can check by hand.
TEST(TradeArithmetic, CostAndProceedsEqualTheExactFractions) {
    std::vector<int32_t> prices;
    for (int32_t price = 1; price <= 20000; ++price)
        prices.push_back(price);
    for (int32_t price = MaxStockPrice; price > 20000; price -= 9973)
        prices.push_back(price);
    for (const int32_t price : prices)
        for (int32_t lots = 1; lots <= IssuedShares / TradeLot; ++lots) {
            const int64_t value = int64_t{lots} * price;
            ASSERT_EQ(TradeBuyCost(lots, price), (11 * value + 99) / 100) << lots << "x" << price;
            ASSERT_EQ(TradeSellProceeds(lots, price), 9 * value / 100) << lots << "x" << price;
        }
}

// The exact fractions ⌈11nP/100⌉ and ⌊9nP/100⌋ could differ from the
// extended-precision results only where they are whole numbers, that is
// where nP is a multiple of 100: elsewhere they lie 0.01 or more from one,
// far beyond any rounding error.  Every such nP up to 100 lots at the
// highest price is checked, so the largest offers may be worked out with
// the fractions (TradeBuyLotsUpTo, TradeSellLotsUpTo).
TEST(TradeArithmetic, CostAndProceedsAreExactAtEveryWholeFraction) {
    constexpr int64_t MaxValue = int64_t{IssuedShares / TradeLot} * MaxStockPrice;
    for (int64_t value = 100; value <= MaxValue; value += 100) {
        const auto price = static_cast<int32_t>(value);
        ASSERT_EQ(TradeBuyCost(1, price), 11 * value / 100) << value;
        ASSERT_EQ(TradeSellProceeds(1, price), 9 * value / 100) << value;
    }
}

TEST(TradeArithmetic, PricePerShareIsTheExactQuotientRoundedHalfToEven) {
    for (int32_t money = 1; money <= 3000; ++money)
        for (int32_t lots = 1; lots <= 100; ++lots) {
            const int64_t quotient = int64_t{10} * money / lots;
            const int64_t twiceRest = 2 * (int64_t{10} * money % lots);
            const int64_t expected =
                quotient + (twiceRest > lots || (twiceRest == lots && quotient % 2 == 1));
            ASSERT_EQ(TradePricePerShare(money, lots), expected) << money << "/" << lots;
        }
}

TEST(TradeArithmetic, PricePerShareOfNoLotsIsNeverAskedFor) {
    EXPECT_THROW(TradePricePerShare(100, 0), EVxTradeError);
}

enum class TSide { Buy, Sell };

struct TOfferCase {
    const char* Name;
    TSide Side;
    int32_t Price;
    int32_t Money;
    int32_t Held;
    int32_t HeldCost;
    int32_t Expense;
    int32_t Income;
    std::vector<int32_t> HeadLots; // the first offers
    std::vector<int32_t> HeadMoney;
    int32_t Count;
    int32_t LastLots;
    int32_t LastMoney;
};

constexpr int32_t Max = INT32_MAX;

const TOfferCase OfferCases[] = {
    // Buying: up to the cash, up to the shares on sale.
    {"cash for 27 lots",
     TSide::Buy,
     1000,
     3000,
     0,
     0,
     0,
     0,
     {1, 2, 3},
     {110, 220, 330},
     27,
     27,
     2970},
    {"costs round up",
     TSide::Buy,
     2,
     3000,
     0,
     0,
     0,
     0,
     {1, 2, 3, 4, 5},
     {1, 1, 1, 1, 2},
     100,
     100,
     22},
    {"cash for exactly one lot", TSide::Buy, 1000, 110, 0, 0, 0, 0, {1}, {110}, 1, 1, 110},
    {"cash below one lot", TSide::Buy, 1000, 109, 0, 0, 0, 0, {}, {}, 0, 0, 0},
    {"negative cash", TSide::Buy, 1000, -5, 0, 0, 0, 0, {}, {}, 0, 0, 0},
    {"three lots on sale",
     TSide::Buy,
     1000,
     1000000,
     97000,
     10670,
     0,
     0,
     {1, 2, 3},
     {110, 220, 330},
     3,
     3,
     330},
    {"all shares held", TSide::Buy, 1000, 1000000, 100000, 11000, 0, 0, {}, {}, 0, 0, 0},
    {"highest price, all cash",
     TSide::Buy,
     MaxStockPrice,
     Max,
     0,
     0,
     0,
     0,
     {1},
     {1100000},
     100,
     100,
     110000000},
    // Buying: no offer that would take this year's expense or the
    // holding's cost beyond 32 bits.
    {"expense near the limit",
     TSide::Buy,
     1000,
     1000000,
     0,
     0,
     Max - 200,
     0,
     {1},
     {110},
     1,
     1,
     110},
    {"expense at the limit", TSide::Buy, 1000, 1000000, 0, 0, Max, 0, {}, {}, 0, 0, 0},
    {"holding cost near the limit",
     TSide::Buy,
     1000,
     1000000,
     1000,
     Max - 150,
     0,
     0,
     {1},
     {110},
     1,
     1,
     110},
    // A price no company can stand at offers nothing.
    {"bankrupt price", TSide::Buy, 0, 3000, 0, 0, 0, 0, {}, {}, 0, 0, 0},
    {"price above the cap", TSide::Buy, MaxStockPrice + 1, Max, 0, 0, 0, 0, {}, {}, 0, 0, 0},

    // Selling: every lot count held whose proceeds are above 0.
    {"one lot at 1000 yen", TSide::Sell, 1000, 3000, 1000, 110, 0, 0, {1}, {90}, 1, 1, 90},
    {"proceeds of 0 skipped", TSide::Sell, 5, 3000, 5000, 3, 0, 0, {3, 4, 5}, {1, 1, 2}, 3, 5, 2},
    {"only worthless lots held", TSide::Sell, 5, 3000, 2000, 1, 0, 0, {}, {}, 0, 0, 0},
    {"nothing held", TSide::Sell, 1000, 3000, 0, 0, 0, 0, {}, {}, 0, 0, 0},
    {"negative cash may sell",
     TSide::Sell,
     1000,
     -100,
     2000,
     220,
     0,
     0,
     {1, 2},
     {90, 180},
     2,
     2,
     180},
    {"highest price, all held",
     TSide::Sell,
     MaxStockPrice,
     0,
     100000,
     110000000,
     0,
     0,
     {1},
     {900000},
     100,
     100,
     90000000},
    // Selling: no offer that would take the cash or this year's income
    // beyond 32 bits.
    {"cash near the limit", TSide::Sell, 1000, Max - 100, 5000, 550, 0, 0, {1}, {90}, 1, 1, 90},
    {"income at the limit", TSide::Sell, 1000, 3000, 5000, 550, 0, Max, {}, {}, 0, 0, 0},
    {"bankrupt price held", TSide::Sell, 0, 3000, 5000, 550, 0, 0, {}, {}, 0, 0, 0},
};

class TradeOffers : public TradeGame, public ::testing::WithParamInterface<TOfferCase> {};

TEST_P(TradeOffers, ListTheTradeableQuantities) {
    const TOfferCase& c = GetParam();
    game.Money = c.Money;
    game.SetExpense(c.Expense);
    game.SetIncome(c.Income);
    const TVxCompany& company = Company(0, c.Price, c.Held, c.HeldCost);

    TIntegerList lots;
    TIntegerList money;
    lots.Add(42); // stale entries of an earlier build must go
    money.Add(42);
    if (c.Side == TSide::Buy)
        game.BuildBuyOffers(company, lots, money);
    else
        game.BuildSellOffers(company, lots, money);

    ASSERT_EQ(lots.Count(), c.Count);
    ASSERT_EQ(money.Count(), c.Count);
    const std::vector<int32_t> headLots(lots.Values().begin(),
                                        lots.Values().begin() + c.HeadLots.size());
    const std::vector<int32_t> headMoney(money.Values().begin(),
                                         money.Values().begin() + c.HeadMoney.size());
    EXPECT_EQ(headLots, c.HeadLots);
    EXPECT_EQ(headMoney, c.HeadMoney);
    if (c.Count > 0) {
        EXPECT_EQ(lots.Last(), c.LastLots);
        EXPECT_EQ(money.Last(), c.LastMoney);
    }
    const TVxTradeFigures figures = game.TradeFigures(company);
    EXPECT_EQ(c.Side == TSide::Buy ? TradeBuyLotsUpTo(figures, INT32_MAX)
                                   : TradeSellLotsUpTo(figures, INT32_MAX),
              c.Count > 0 ? c.LastLots : 0);
}

// The largest offer up to any lot count, worked out without the lists, is
// the largest entry of the lists up to that count, over cheap and dear
// prices, every holding size and figures near the 32-bit limits.
TEST(TradeLotsUpTo, IsTheLargestListedOfferUpToTheCount) {
    std::vector<int32_t> prices;
    for (int32_t price = 1; price <= 40; ++price)
        prices.push_back(price);
    for (const int32_t price : {99, 100, 101, 999, 1000, 1001, 123457, 9999999, MaxStockPrice})
        prices.push_back(price);
    const int32_t cashes[] = {-5, 0, 1, 109, 110, 3000, 99999, 23860929, Max - 100, Max};
    const int32_t heldLots[] = {0, 1, 2, 3, 50, 99, 100};
    const int32_t totals[] = {0, 1000, Max - 1000, Max};
    for (const int32_t price : prices)
        for (const int32_t cash : cashes)
            for (const int32_t held : heldLots)
                for (const int32_t total : totals) {
                    // Income limits sales, expense and the holding's cost
                    // purchases; each takes its turn at the limit.
                    const TVxTradeFigures figures{
                        cash,  total,           total / 2,
                        price, held * TradeLot, held == 0 ? 0 : Max - total};
                    TIntegerList buyLots, buyMoney, sellLots, sellMoney;
                    TradeBuyOffers(figures, buyLots, buyMoney);
                    TradeSellOffers(figures, sellLots, sellMoney);
                    const auto largest = [](const TIntegerList& lots, int32_t upTo) {
                        int32_t most = 0;
                        for (const int32_t lot : lots.Values())
                            if (lot <= upTo)
                                most = lot;
                        return most;
                    };
                    for (const int32_t upTo : {-1, 0, 1, 2, 3, 4, 27, 99, 100, 101, Max}) {
                        ASSERT_EQ(TradeBuyLotsUpTo(figures, upTo), largest(buyLots, upTo))
                            << price << " yen, cash " << cash << ", " << held << " lots held, "
                            << total << ", up to " << upTo;
                        ASSERT_EQ(TradeSellLotsUpTo(figures, upTo), largest(sellLots, upTo))
                            << price << " yen, cash " << cash << ", " << held << " lots held, "
                            << total << ", up to " << upTo;
                    }
                }
}

std::string OfferCaseName(const ::testing::TestParamInfo<TOfferCase>& param) {
    std::string name = param.param.Name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, TradeOffers, ::testing::ValuesIn(OfferCases), OfferCaseName);

TEST_F(TradeGame, BuyingACompanyNotHeldAppendsItToTheOwnerList) {
    TVxCompany& other = Company(5, 300, 2000, 70);
    TVxCompany& company = Company(0, 1000);
    game.SetExpense(70);

    ASSERT_TRUE(game.Buy(company, {1, 110}).Settled());

    EXPECT_EQ(game.Money, 2890);
    EXPECT_EQ(company.MyStockCount, 1000);
    EXPECT_EQ(company.MyStockCost, 110);
    EXPECT_EQ(game.Expense(), 180);
    EXPECT_EQ(game.Income(), 0);
    EXPECT_EQ(Owners(), (std::vector<TVxCompany*>{&other, &company}));
}

TEST_F(TradeGame, BuyingMoreOfAHeldCompanyKeepsTheOwnerList) {
    TVxCompany& company = Company(0, 1000, 2000, 220);
    TVxCompany& other = Company(5, 300, 2000, 70);

    ASSERT_TRUE(game.Buy(company, {3, 330}).Settled());

    EXPECT_EQ(game.Money, 2670);
    EXPECT_EQ(company.MyStockCount, 5000);
    EXPECT_EQ(company.MyStockCost, 550);
    EXPECT_EQ(game.Expense(), 330);
    EXPECT_EQ(Owners(), (std::vector<TVxCompany*>{&company, &other}));
}

struct TPartialSaleCase {
    int32_t Held;
    int32_t Cost;
    int32_t Lots;
    int32_t RemainingCost;
};

// The remaining shares keep the average buying price to the whole yen.
TEST_F(TradeGame, APartialSaleKeepsTheAverageBuyingPrice) {
    const TPartialSaleCase cases[] = {
        {3000, 100, 1, 67},    // average 333 yen: 0.0333 x 2000 = 66.6
        {4000, 2, 1, 1},       // average 5 yen: 0.0005 lies just below, so 1.4999.. not 1.5
        {10000, 1100, 5, 550}, // average 1100 yen
        {8000, 4, 1, 3},       // average 5 yen: 3.4999.. for 7000 shares, not 3.5
        {2000, 1, 1, 0},       // average 5 yen: 0.0005 x 1000 below the half
    };
    for (const TPartialSaleCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Held << " shares for " << c.Cost);
        market.Restart();
        TVxCompany& company = Company(0, 1000, c.Held, c.Cost);
        const int32_t proceeds = static_cast<int32_t>(TradeSellProceeds(c.Lots, 1000));

        ASSERT_TRUE(game.Sell(company, {c.Lots, proceeds}).Settled());

        EXPECT_EQ(company.MyStockCost, c.RemainingCost);
        EXPECT_EQ(company.MyStockCount, c.Held - c.Lots * TradeLot);
        EXPECT_EQ(game.Money, StartMoney + proceeds);
        EXPECT_EQ(game.Income(), proceeds);
        EXPECT_EQ(game.Expense(), 0);
        EXPECT_EQ(Owners(), (std::vector<TVxCompany*>{&company}));
    }
}

TEST_F(TradeGame, SellingTheLastLotRemovesTheCompanyAndItsCost) {
    TVxCompany& first = Company(1, 200, 1000, 30);
    TVxCompany& company = Company(0, 1000, 3000, 100);
    TVxCompany& last = Company(2, 200, 1000, 30);
    game.SetIncome(10);

    ASSERT_TRUE(game.Sell(company, {3, 270}).Settled());

    EXPECT_EQ(company.MyStockCount, 0);
    EXPECT_EQ(company.MyStockCost, 0);
    EXPECT_EQ(game.Money, 3270);
    EXPECT_EQ(game.Income(), 280);
    EXPECT_EQ(Owners(), (std::vector<TVxCompany*>{&first, &last}));
}

// Whatever is offered can be settled: buying everything affordable never
// overdraws the cash, and selling everything again leaves nothing held.
TEST_F(TradeGame, BuyingAndSellingEverythingOfferedRoundTrips) {
    TVxCompany& company = Company(0, 777);
    TIntegerList lots;
    TIntegerList money;

    game.BuildBuyOffers(company, lots, money);
    ASSERT_GT(lots.Count(), 0);
    const int32_t cost = money.Last();
    ASSERT_TRUE(game.Buy(company, {lots.Last(), cost}).Settled());
    EXPECT_GE(game.Money, 0);
    game.BuildBuyOffers(company, lots, money);
    EXPECT_TRUE(lots.Count() == 0 || money.Values().front() > game.Money);

    game.BuildSellOffers(company, lots, money);
    ASSERT_GT(lots.Count(), 0);
    const int32_t proceeds = money.Last();
    ASSERT_TRUE(game.Sell(company, {lots.Last(), proceeds}).Settled());

    EXPECT_EQ(game.Money, StartMoney - cost + proceeds);
    EXPECT_EQ(game.Expense(), cost);
    EXPECT_EQ(game.Income(), proceeds);
    EXPECT_EQ(company.MyStockCount, 0);
    EXPECT_EQ(company.MyStockCost, 0);
    EXPECT_EQ(game.OwnerList.Count(), 0);
}

struct TRefusedCase {
    const char* Name;
    TSide Side;
    int32_t Money;
    int32_t Held;
    int32_t HeldCost;
    int32_t Expense;
    int32_t Income;
    int32_t Lots;
    int32_t Amount;
};

// A trade that is not offered at the current price is refused before
// anything changes, so a caller's mistake (or an amount worked out before
// the price moved) cannot overflow, corrupt or cheapen the game.
TEST_F(TradeGame, ATradeThatWasNeverOfferedIsRefusedUnchanged) {
    const TRefusedCase cases[] = {
        {"cost above the cash", TSide::Buy, 100, 0, 0, 0, 0, 1, 110},
        {"no lots", TSide::Buy, 3000, 0, 0, 0, 0, 0, 0},
        {"more than on sale", TSide::Buy, 100000, 98000, 10780, 0, 0, 3, 330},
        {"free purchase", TSide::Buy, 3000, 0, 0, 0, 0, 1, 0},
        {"100 lots for 1万円", TSide::Buy, 100000, 0, 0, 0, 0, 100, 1},
        {"cost below the price's", TSide::Buy, 3000, 0, 0, 0, 0, 1, 109},
        {"cost above the price's", TSide::Buy, 3000, 0, 0, 0, 0, 1, 111},
        {"expense overflow", TSide::Buy, 3000, 0, 0, Max - 100, 0, 1, 110},
        {"more than held", TSide::Sell, 3000, 2000, 220, 0, 0, 3, 270},
        {"no lots to sell", TSide::Sell, 3000, 2000, 220, 0, 0, 0, 0},
        {"sale for nothing", TSide::Sell, 3000, 2000, 220, 0, 0, 1, 0},
        {"proceeds above the price's", TSide::Sell, 3000, 2000, 220, 0, 0, 1, 91},
        {"proceeds below the price's", TSide::Sell, 3000, 2000, 220, 0, 0, 2, 179},
        {"cash overflow", TSide::Sell, Max - 50, 2000, 220, 0, 0, 1, 90},
        {"income overflow", TSide::Sell, 3000, 2000, 220, 0, Max - 50, 1, 90},
    };
    for (const TRefusedCase& c : cases) {
        SCOPED_TRACE(c.Name);
        market.Restart();
        game.Money = c.Money;
        game.SetExpense(c.Expense);
        game.SetIncome(c.Income);
        TVxCompany& company = Company(0, 1000, c.Held, c.HeldCost);

        if (c.Side == TSide::Buy)
            EXPECT_FALSE(game.Buy(company, {c.Lots, c.Amount}).Settled());
        else
            EXPECT_FALSE(game.Sell(company, {c.Lots, c.Amount}).Settled());

        EXPECT_EQ(game.Money, c.Money);
        EXPECT_EQ(game.Expense(), c.Expense);
        EXPECT_EQ(game.Income(), c.Income);
        EXPECT_EQ(company.MyStockCount, c.Held);
        EXPECT_EQ(company.MyStockCost, c.HeldCost);
        EXPECT_EQ(game.OwnerList.Count(), c.Held > 0 ? 1 : 0);
    }
}

} // namespace
