#pragma once

// The trades open to a strategy in one month.  Every purchase and sale is
// the game's own (TVxGame::Buy and Sell): whole lots, the fee, only what the
// offers list, and the win check after each.  While a refused month waits
// for sales (TVxGame::SalesAwaited) the game refuses purchases, so a
// strategy may only sell; once the game has ended no further trade is made.

#include "game/VxGame.h"
#include "game/VxRandom.h"
#include "game/VxTrade.h"

#include <cstdint>

class TVxSimTrader {
public:
    // `draws` are the strategy's own random choices for this month.
    TVxSimTrader(TVxGame& game, IVxRandom& draws);

    const TVxGame& Game() const { return FGame; }
    IVxRandom& Draws() { return FDraws; }

    // The largest purchase of `company` whose cost, fee included, is at most
    // `budget` (and the cash); 0 lots when there is none.
    TVxTradeOffer LargestPurchase(const TVxCompany& company, int64_t budget) const;
    // The sale of all the lots held, or the largest one offered; 0 lots when
    // no sale brings in 1万円 or more.
    TVxTradeOffer LargestSale(const TVxCompany& company) const;
    // The smallest sale that brings in at least `amount`, else the largest.
    TVxTradeOffer SaleFor(const TVxCompany& company, int64_t amount) const;

    // Settles an offer made by the functions above.  Returns false, changing
    // nothing, for no lots, a purchase while sales are awaited, or an offer
    // the game refuses.
    bool Buy(TVxCompany& company, TVxTradeOffer offer);
    bool Sell(TVxCompany& company, TVxTradeOffer offer);

    bool Ended() const { return FGame.GameEnd; }
    int32_t Trades() const { return FTrades; }

private:
    bool Counted(const TVxTradeResult& result);

    TVxGame& FGame;
    IVxRandom& FDraws;
    int32_t FTrades = 0;
};
