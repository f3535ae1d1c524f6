#include "game/VxTrade.h"

#include "game/VxConsts.h"
#include "game/VxRound.h"

#include <algorithm>
#include <string>

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

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// Why buying `lots` lots for `cost` breaks a limit of the game; None when
// it does not.
TVxTradeRefusal BuyLimit(const TVxTradeFigures& figures, int64_t lots, int64_t cost) {
    if (lots < 1 || lots * TradeLot > IssuedShares - figures.SharesHeld)
        return TVxTradeRefusal::Lots;
    if (cost < 1 || cost > figures.Cash)
        return TVxTradeRefusal::Cash;
    if (!FitsInt32(int64_t{figures.Expense} + cost) || !FitsInt32(figures.HoldingCost + cost))
        return TVxTradeRefusal::Amount;
    return TVxTradeRefusal::None;
}

// Why selling `lots` lots for `proceeds` breaks a limit of the game; None
// when it does not.
TVxTradeRefusal SellLimit(const TVxTradeFigures& figures, int64_t lots, int64_t proceeds) {
    if (lots < 1 || lots * TradeLot > figures.SharesHeld)
        return TVxTradeRefusal::Lots;
    if (proceeds < 1 || !FitsInt32(int64_t{figures.Cash} + proceeds) ||
        !FitsInt32(int64_t{figures.Income} + proceeds))
        return TVxTradeRefusal::Amount;
    return TVxTradeRefusal::None;
}

// Why `offer` is not what trading at the current price comes to (`offerAt`
// of the price and the lots); None when it is.  A settlement worked out
// against an older price, or any other amount, is refused.
TVxTradeRefusal PriceRefusal(const TVxTradeFigures& figures, TVxTradeOffer offer,
                             TVxTradeOffer (*offerAt)(int32_t price, int32_t lots)) {
    if (!IsTradeablePrice(figures.Price))
        return TVxTradeRefusal::Price;
    if (offer != offerAt(figures.Price, offer.Lots))
        return TVxTradeRefusal::PriceMismatch;
    return TVxTradeRefusal::None;
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

int64_t TradeFeeYen(bool purchase, TVxTradeOffer offer, int32_t price) {
    const int64_t valueYen = int64_t{offer.Lots} * TradeLot * price;
    const int64_t amountYen = int64_t{offer.Money} * 10000;
    return purchase ? amountYen - valueYen : valueYen - amountYen;
}

TVxTradeOffer TradeBuyOfferAt(int32_t price, int32_t lots) {
    return {lots, ClampToInt32(TradeBuyCost(lots, price))};
}

TVxTradeOffer TradeSellOfferAt(int32_t price, int32_t lots) {
    return {lots, ClampToInt32(TradeSellProceeds(lots, price))};
}

TVxTradeRefusal TradeBuyRefusal(const TVxTradeFigures& figures, TVxTradeOffer offer) {
    const TVxTradeRefusal limit = BuyLimit(figures, offer.Lots, offer.Money);
    return limit != TVxTradeRefusal::None ? limit : PriceRefusal(figures, offer, TradeBuyOfferAt);
}

TVxTradeRefusal TradeSellRefusal(const TVxTradeFigures& figures, TVxTradeOffer offer) {
    const TVxTradeRefusal limit = SellLimit(figures, offer.Lots, offer.Money);
    return limit != TVxTradeRefusal::None ? limit : PriceRefusal(figures, offer, TradeSellOfferAt);
}

void TradeBuyOffers(const TVxTradeFigures& figures, TIntegerList& stockCountList,
                    TIntegerList& moneyList) {
    stockCountList.Clear();
    moneyList.Clear();
    if (!IsTradeablePrice(figures.Price))
        return;
    const int32_t lotsOnSale = (IssuedShares - figures.SharesHeld) / TradeLot;
    // Costs grow with the lot count, so the first one that cannot be paid
    // ends the list.
    for (int32_t lots = 1; lots <= lotsOnSale; ++lots) {
        const int64_t cost = TradeBuyCost(lots, figures.Price);
        if (BuyLimit(figures, lots, cost) != TVxTradeRefusal::None)
            break;
        stockCountList.Add(lots);
        moneyList.Add(static_cast<int32_t>(cost));
    }
}

void TradeSellOffers(const TVxTradeFigures& figures, TIntegerList& stockCountList,
                     TIntegerList& moneyList) {
    stockCountList.Clear();
    moneyList.Clear();
    if (!IsTradeablePrice(figures.Price))
        return;
    const int32_t lotsHeld = figures.SharesHeld / TradeLot;
    // Small lot counts of a cheap company bring in nothing once the fee is
    // taken; they are skipped, and larger ones may still be offered.
    for (int32_t lots = 1; lots <= lotsHeld; ++lots) {
        const int64_t proceeds = TradeSellProceeds(lots, figures.Price);
        if (SellLimit(figures, lots, proceeds) != TVxTradeRefusal::None)
            continue;
        stockCountList.Add(lots);
        moneyList.Add(static_cast<int32_t>(proceeds));
    }
}

bool TradeSaleOffered(const TVxTradeFigures& figures) {
    TIntegerList lots;
    TIntegerList proceeds;
    TradeSellOffers(figures, lots, proceeds);
    return lots.Count() > 0;
}

int32_t TradeBuyLotsUpTo(const TVxTradeFigures& figures, int32_t lots) {
    if (!IsTradeablePrice(figures.Price) || lots < 1)
        return 0;
    // The cost may take neither the cash below 0 nor this year's expense or
    // the holding's cost beyond 32 bits: cost(n) = ⌈11nP/100⌉ <= limit
    // exactly when 11nP <= 100 × limit.
    const int64_t limit = std::min({int64_t{figures.Cash}, int64_t{INT32_MAX} - figures.Expense,
                                    int64_t{INT32_MAX} - figures.HoldingCost});
    const int64_t most = std::min<int64_t>(lots, (IssuedShares - figures.SharesHeld) / TradeLot);
    if (limit < 1 || most < 1)
        return 0;
    // A rich player affords every lot on sale.
    const int64_t lotValue = 11 * int64_t{figures.Price};
    if (most * lotValue <= 100 * limit)
        return static_cast<int32_t>(most);
    return static_cast<int32_t>(100 * limit / lotValue);
}

int32_t TradeSellLotsUpTo(const TVxTradeFigures& figures, int32_t lots) {
    if (!IsTradeablePrice(figures.Price) || lots < 1)
        return 0;
    // The proceeds may take neither the cash nor this year's income beyond
    // 32 bits: proceeds(n) = ⌊9nP/100⌋ <= room exactly when
    // 9nP <= 100 × room + 99.
    const int64_t room = int64_t{INT32_MAX} - std::max(figures.Cash, figures.Income);
    int64_t most = std::min<int64_t>(lots, figures.SharesHeld / TradeLot);
    if (room < 1 || most < 1)
        return 0;
    const int64_t lotValue = 9 * int64_t{figures.Price};
    if (most * lotValue > 100 * room + 99)
        most = (100 * room + 99) / lotValue;
    // Fewer lots bring in less, so when these bring in nothing (9nP < 100)
    // no count up to them is offered.
    return most * lotValue >= 100 ? static_cast<int32_t>(most) : 0;
}

int64_t TradePricePerShare(int32_t money, int32_t lots) {
    if (lots < 1)
        throw EVxTradeError("no per-share figure of " + std::to_string(lots) + " lots");
    return VxRound(static_cast<long double>(money) / lots * 10);
}

int32_t TradeRemainingCost(int32_t averagePrice, int32_t remainingShares) {
    const long double averagePerShare = static_cast<long double>(averagePrice) / 10000;
    return static_cast<int32_t>(VxRound(averagePerShare * remainingShares));
}
