#include "sim/VxSimTrader.h"

#include <cstdint>

namespace {

struct TOffers {
    TIntegerList Lots;
    TIntegerList Money;

    TVxTradeOffer At(int32_t index) const { return {Lots.Get(index), Money.Get(index)}; }
    // The offer of the most lots; none when nothing is offered.
    TVxTradeOffer Largest() const {
        return Lots.Count() == 0 ? TVxTradeOffer{} : At(Lots.Count() - 1);
    }
};

} // namespace

TVxSimTrader::TVxSimTrader(TVxGame& game, IVxRandom& draws) : FGame(game), FDraws(draws) {}

TVxTradeOffer TVxSimTrader::LargestPurchase(const TVxCompany& company, int64_t budget) const {
    TOffers offers;
    FGame.BuildBuyOffers(company, offers.Lots, offers.Money);
    // Costs rise with the lot count.
    for (int32_t i = offers.Lots.Count() - 1; i >= 0; --i)
        if (offers.Money.Get(i) <= budget)
            return offers.At(i);
    return {};
}

TVxTradeOffer TVxSimTrader::LargestSale(const TVxCompany& company) const {
    TOffers offers;
    FGame.BuildSellOffers(company, offers.Lots, offers.Money);
    return offers.Largest();
}

TVxTradeOffer TVxSimTrader::SaleFor(const TVxCompany& company, int64_t amount) const {
    TOffers offers;
    FGame.BuildSellOffers(company, offers.Lots, offers.Money);
    for (int32_t i = 0; i < offers.Lots.Count(); ++i)
        if (offers.Money.Get(i) >= amount)
            return offers.At(i);
    return offers.Largest();
}

bool TVxSimTrader::Buy(TVxCompany& company, TVxTradeOffer offer) {
    return Counted(FGame.Buy(company, offer));
}

bool TVxSimTrader::Sell(TVxCompany& company, TVxTradeOffer offer) {
    return Counted(FGame.Sell(company, offer));
}

bool TVxSimTrader::Counted(const TVxTradeResult& result) {
    if (result.Settled())
        ++FTrades;
    return result.Settled();
}
