#pragma once

// The trades open to a strategy, or to a program served the game, in one
// month.  Every purchase and sale goes through the game's own offers and
// settlement (VxTrade), exactly as in the trade dialog: whole lots, the fee,
// only what the offers list.  After every trade the game checks for the
// win, as the main window does; once the game has ended no further trade is
// made.

#include "game/VxGame.h"
#include "game/VxRandom.h"

#include <cstdint>

class TVxSimTrader {
public:
    // `draws` are the strategy's own random choices for this month.  With
    // `salesOnly` every purchase is refused (the game is raising cash).
    TVxSimTrader(TVxGame& game, IVxRandom& draws, bool salesOnly = false);

    const TVxGame& Game() const { return FGame; }
    IVxRandom& Draws() { return FDraws; }

    // The largest purchase of `company` whose cost, fee included, is at most
    // `budget` (and the cash); 0 lots when there is none.
    struct TOffer {
        int32_t Lots = 0;
        int32_t Money = 0;
    };
    TOffer LargestPurchase(const TVxCompany& company, int64_t budget) const;
    // The sale of all the lots held, or the largest one offered; 0 lots when
    // no sale brings in 1万円 or more.
    TOffer LargestSale(const TVxCompany& company) const;
    // The smallest sale that brings in at least `amount`, else the largest.
    TOffer SaleFor(const TVxCompany& company, int64_t amount) const;
    // The purchase or sale of exactly `lots` lots as offered now; when it is
    // not offered, the amount the current price gives, which settlement
    // then refuses with the game's reason.
    TOffer Purchase(const TVxCompany& company, int32_t lots) const;
    TOffer Sale(const TVxCompany& company, int32_t lots) const;

    // Settles an offer made by the functions above.  Returns false, changing
    // nothing, when the game has ended, purchases are closed or the offer is
    // no longer open.
    bool Buy(TVxCompany& company, TOffer offer);
    bool Sell(TVxCompany& company, TOffer offer);
    // The same, but a refusal throws EVxTradeError with the reason.
    void SettleBuy(TVxCompany& company, TOffer offer);
    void SettleSell(TVxCompany& company, TOffer offer);

    bool Ended() const { return FGame.GameEnd; }
    int32_t Trades() const { return FTrades; }

private:
    TVxGame& FGame;
    IVxRandom& FDraws;
    bool FSalesOnly;
    int32_t FTrades = 0;
};
