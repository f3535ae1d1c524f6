#include "sim/VxSimTrader.h"

#include "game/VxConsts.h"
#include "game/VxTrade.h"

#include <algorithm>
#include <cstdint>

namespace {

struct TOffers {
    TIntegerList Lots;
    TIntegerList Money;
};

// An amount beyond 32 bits is never offered; settlement refuses it as the
// largest 32-bit amount just the same.
int32_t ClampToInt32(int64_t amount) {
    return static_cast<int32_t>(std::clamp<int64_t>(amount, INT32_MIN, INT32_MAX));
}

// The offer of exactly `lots` among `offers`; when there is none, `lots`
// for what the trade arithmetic makes of them, which settlement then
// refuses with the game's reason.
TVxSimTrader::TOffer ExactOffer(const TOffers& offers, int32_t lots, int64_t amount) {
    for (int32_t i = 0; i < offers.Lots.Count(); ++i)
        if (offers.Lots.Get(i) == lots)
            return {lots, offers.Money.Get(i)};
    return {lots, ClampToInt32(amount)};
}

} // namespace

TVxSimTrader::TVxSimTrader(TVxGame& game, IVxRandom& draws, bool salesOnly)
    : FGame(game), FDraws(draws), FSalesOnly(salesOnly) {}

TVxSimTrader::TOffer TVxSimTrader::LargestPurchase(const TVxCompany& company,
                                                   int64_t budget) const {
    TOffers offers;
    BuildBuyOffers(FGame, company, offers.Lots, offers.Money);
    // Costs rise with the lot count.
    for (int32_t i = offers.Lots.Count() - 1; i >= 0; --i)
        if (offers.Money.Get(i) <= budget)
            return {offers.Lots.Get(i), offers.Money.Get(i)};
    return {};
}

TVxSimTrader::TOffer TVxSimTrader::LargestSale(const TVxCompany& company) const {
    TOffers offers;
    BuildSellOffers(FGame, company, offers.Lots, offers.Money);
    if (offers.Lots.Count() == 0)
        return {};
    return {offers.Lots.Last(), offers.Money.Last()};
}

TVxSimTrader::TOffer TVxSimTrader::SaleFor(const TVxCompany& company, int64_t amount) const {
    TOffers offers;
    BuildSellOffers(FGame, company, offers.Lots, offers.Money);
    for (int32_t i = 0; i < offers.Lots.Count(); ++i)
        if (offers.Money.Get(i) >= amount)
            return {offers.Lots.Get(i), offers.Money.Get(i)};
    if (offers.Lots.Count() == 0)
        return {};
    return {offers.Lots.Last(), offers.Money.Last()};
}

TVxSimTrader::TOffer TVxSimTrader::Purchase(const TVxCompany& company, int32_t lots) const {
    TOffers offers;
    BuildBuyOffers(FGame, company, offers.Lots, offers.Money);
    return ExactOffer(offers, lots, TradeBuyCost(lots, company.StockPrice()));
}

TVxSimTrader::TOffer TVxSimTrader::Sale(const TVxCompany& company, int32_t lots) const {
    TOffers offers;
    BuildSellOffers(FGame, company, offers.Lots, offers.Money);
    return ExactOffer(offers, lots, TradeSellProceeds(lots, company.StockPrice()));
}

void TVxSimTrader::SettleBuy(TVxCompany& company, TOffer offer) {
    if (FGame.GameEnd)
        throw EVxTradeError("取引できません: ゲームは終了しています");
    if (FSalesOnly)
        throw EVxTradeError("取引できません: 資金を用意する間は買えません");
    // Settlement refuses, changing nothing, exactly what is not offered now.
    ::SettleBuy(FGame, company, offer.Lots, offer.Money);
    ++FTrades;
    FGame.CheckGameClear();
}

void TVxSimTrader::SettleSell(TVxCompany& company, TOffer offer) {
    if (FGame.GameEnd)
        throw EVxTradeError("取引できません: ゲームは終了しています");
    ::SettleSell(FGame, company, offer.Lots, offer.Money);
    ++FTrades;
    FGame.CheckGameClear();
}

bool TVxSimTrader::Buy(TVxCompany& company, TOffer offer) {
    if (offer.Lots < 1)
        return false;
    try {
        SettleBuy(company, offer);
    } catch (const EVxTradeError&) {
        return false;
    }
    return true;
}

bool TVxSimTrader::Sell(TVxCompany& company, TOffer offer) {
    if (offer.Lots < 1)
        return false;
    try {
        SettleSell(company, offer);
    } catch (const EVxTradeError&) {
        return false;
    }
    return true;
}
