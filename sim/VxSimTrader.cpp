#include "sim/VxSimTrader.h"

#include "game/VxConsts.h"
#include "game/VxTrade.h"

namespace {

struct TOffers {
    TIntegerList Lots;
    TIntegerList Money;
};

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

bool TVxSimTrader::Buy(TVxCompany& company, TOffer offer) {
    if (FGame.GameEnd || FSalesOnly || offer.Lots < 1)
        return false;
    // Settlement refuses, changing nothing, exactly what is not offered now.
    try {
        SettleBuy(FGame, company, offer.Lots, offer.Money);
    } catch (const EVxTradeError&) {
        return false;
    }
    ++FTrades;
    FGame.CheckGameClear();
    return true;
}

bool TVxSimTrader::Sell(TVxCompany& company, TOffer offer) {
    if (FGame.GameEnd || offer.Lots < 1)
        return false;
    try {
        SettleSell(FGame, company, offer.Lots, offer.Money);
    } catch (const EVxTradeError&) {
        return false;
    }
    ++FTrades;
    FGame.CheckGameClear();
    return true;
}
