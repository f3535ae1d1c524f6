#include "game/VxTrade.h"

#include "game/VxConsts.h"
#include "game/VxRound.h"
#include "game/VxUtils.h"

#include <cstdio>

namespace {

// The fee factors as extended constants: exactly the nearest long doubles
// to 1.1 and 0.9, which is what the costs are defined with.
constexpr long double BuyFactor = (100 + TradeFeePercent) / 100.0L;
constexpr long double SellFactor = (100 - TradeFeePercent) / 100.0L;
static_assert(BuyFactor == 1.1L && SellFactor == 0.9L);

// A company below 1 yen is bankrupt and reset within its month, and no
// price rises above MaxStockPrice; outside that range a purchase could
// come free and the per-share figure could leave 32 bits.
bool IsTradeablePrice(int32_t price) {
    return price >= 1 && price <= MaxStockPrice;
}

bool FitsInt32(int64_t value) {
    return value >= INT32_MIN && value <= INT32_MAX;
}

// Why buying `lots` lots for `cost` cannot be settled; nullptr when it can.
const char* BuyRefusal(const TVxGame& game, const TVxCompany& company, int64_t lots, int64_t cost) {
    if (lots < 1 || lots * TradeLot > company.SellStockCount())
        return "株数が範囲外です";
    if (cost < 1 || cost > game.Money)
        return "資金が足りません";
    if (!FitsInt32(int64_t{game.Expense()} + cost) || !FitsInt32(company.MyStockCost + cost))
        return "金額が範囲外です";
    return nullptr;
}

// Why selling `lots` lots for `proceeds` cannot be settled; nullptr when it can.
const char* SellRefusal(const TVxGame& game, const TVxCompany& company, int64_t lots,
                        int64_t proceeds) {
    if (lots < 1 || lots * TradeLot > company.MyStockCount)
        return "株数が範囲外です";
    if (proceeds < 1 || !FitsInt32(int64_t{game.Money} + proceeds) ||
        !FitsInt32(int64_t{game.Income()} + proceeds))
        return "金額が範囲外です";
    return nullptr;
}

// Why `amount` is not what trading at the company's current price comes to
// (`amountAt` of the lots and the price); nullptr when it is.  A settlement
// worked out against an older price, or any other amount, is refused.
const char* AmountRefusal(const TVxCompany& company, int32_t lots, int32_t amount,
                          int64_t (*amountAt)(int32_t lots, int32_t price)) {
    const int32_t price = company.StockPrice();
    if (!IsTradeablePrice(price))
        return "株価が範囲外です";
    if (amount != amountAt(lots, price))
        return "金額が株価と合いません";
    return nullptr;
}

[[noreturn]] void Refuse(const char* reason, int32_t lots, int32_t money) {
    char text[160];
    std::snprintf(text, sizeof text, "取引できません: %s (%d千株, %d万円)", reason, lots, money);
    throw EVxTradeError(text);
}

} // namespace

int64_t TradeBuyCost(int32_t lots, int32_t price) {
    const int64_t value = int64_t{lots} * price;
    return VxCeil(static_cast<long double>(value) * BuyFactor / 10);
}

int64_t TradeSellProceeds(int32_t lots, int32_t price) {
    const int64_t value = int64_t{lots} * price;
    return VxTrunc(static_cast<long double>(value) * SellFactor / 10);
}

void BuildBuyOffers(const TVxGame& game, const TVxCompany& company, TIntegerList& stockCountList,
                    TIntegerList& moneyList) {
    stockCountList.Clear();
    moneyList.Clear();
    const int32_t price = company.StockPrice();
    if (!IsTradeablePrice(price))
        return;
    const int32_t lotsOnSale = company.SellStockCount() / TradeLot;
    // Costs grow with the lot count, so the first one that cannot be paid
    // ends the list.
    for (int32_t lots = 1; lots <= lotsOnSale; ++lots) {
        const int64_t cost = TradeBuyCost(lots, price);
        if (BuyRefusal(game, company, lots, cost))
            break;
        stockCountList.Add(lots);
        moneyList.Add(static_cast<int32_t>(cost));
    }
}

void BuildSellOffers(const TVxGame& game, const TVxCompany& company, TIntegerList& stockCountList,
                     TIntegerList& moneyList) {
    stockCountList.Clear();
    moneyList.Clear();
    const int32_t price = company.StockPrice();
    if (!IsTradeablePrice(price))
        return;
    const int32_t lotsHeld = company.MyStockCount / TradeLot;
    // Small lot counts of a cheap company bring in nothing once the fee is
    // taken; they are skipped, and larger ones may still be offered.
    for (int32_t lots = 1; lots <= lotsHeld; ++lots) {
        const int64_t proceeds = TradeSellProceeds(lots, price);
        if (SellRefusal(game, company, lots, proceeds))
            continue;
        stockCountList.Add(lots);
        moneyList.Add(static_cast<int32_t>(proceeds));
    }
}

bool HasSellOffer(const TVxGame& game, const TVxCompany& company) {
    TIntegerList lots, proceeds;
    BuildSellOffers(game, company, lots, proceeds);
    return lots.Count() > 0;
}

int64_t TradePricePerShare(int32_t money, int32_t lots) {
    if (lots < 1)
        Refuse("株数が範囲外です", lots, money);
    return VxRound(static_cast<long double>(money) / lots * 10);
}

std::string TradePricePerShareText(int32_t money, int32_t lots) {
    const int64_t perShare = TradePricePerShare(money, lots);
    if (!FitsInt32(perShare))
        Refuse("金額が範囲外です", lots, money);
    return "1株" + IntToKanjiStr(static_cast<int32_t>(perShare), false) + "円相当";
}

void SettleBuy(TVxGame& game, TVxCompany& company, int32_t lots, int32_t cost) {
    const char* reason = BuyRefusal(game, company, lots, cost);
    if (!reason)
        reason = AmountRefusal(company, lots, cost, TradeBuyCost);
    if (reason)
        Refuse(reason, lots, cost);
    company.MyStockCount += lots * TradeLot;
    game.Money -= cost;
    company.MyStockCost += cost;
    game.SetExpense(game.Expense() + cost);
    if (game.OwnerList.IndexOf(&company) < 0)
        game.OwnerList.Add(&company);
}

void SettleSell(TVxGame& game, TVxCompany& company, int32_t lots, int32_t proceeds) {
    const char* reason = SellRefusal(game, company, lots, proceeds);
    if (!reason)
        reason = AmountRefusal(company, lots, proceeds, TradeSellProceeds);
    if (reason)
        Refuse(reason, lots, proceeds);
    const int32_t remaining = company.MyStockCount - lots * TradeLot;
    // The remaining shares keep the average price of the whole holding.  The
    // quotient is rounded to extended precision before the product, so a
    // product that would be an exact half can fall just below it.
    const long double averagePerShare =
        static_cast<long double>(company.MyStockPriceBuyingAverage()) / 10000;
    company.MyStockCost = static_cast<int32_t>(VxRound(averagePerShare * remaining));
    company.MyStockCount = remaining;
    game.Money += proceeds;
    game.SetIncome(game.Income() + proceeds);
    if (company.MyStockCount == 0) {
        const int32_t index = game.OwnerList.IndexOf(&company);
        if (index >= 0)
            game.OwnerList.Delete(index);
        company.MyStockCost = 0;
    }
}
