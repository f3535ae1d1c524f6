#pragma once

// Buying and selling the shares of one company: which quantities the player
// can trade now, what each costs or brings in with the fee included, and
// the settlement of a chosen quantity on a game.  The trade dialog and the
// headless simulator both trade through these functions, so a game played
// without a window settles to the same yen.
//
// Units: money in 万円 (10,000 yen), prices in yen per share, quantities in
// lots of TradeLot (1000) shares.
//
// Typical use:
//
//     TIntegerList lots, costs;
//     BuildBuyOffers(game, company, lots, costs);
//     if (lots.Count() > 0)
//         SettleBuy(game, company, lots.Last(), costs.Last()); // buy all
//
// An offer is made only when settling it leaves every figure of the game
// within 32 bits (cash, this year's income or expense, the holding's cost),
// so a settled offer can never overflow whatever a loaded game holds.

#include "VxRTL/EtcLists/MyList.h"
#include "game/VxCompany.h"
#include "game/VxGame.h"

#include <cstdint>
#include <stdexcept>
#include <string>

// Percent of the share value charged on every purchase and every sale.
inline constexpr int32_t TradeFeePercent = 10;

// A settlement that was never offered: it would overdraw the cash, hold
// more shares than are issued or sell more than are held, or carry a figure
// beyond 32 bits.  The game is left unchanged.
class EVxTradeError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// The money that `lots` lots at `price` yen a share cost, fee included:
// lots × price × 1.1 / 10 in extended precision, rounded up.
int64_t TradeBuyCost(int32_t lots, int32_t price);

// The money that selling `lots` lots at `price` yen a share brings in, fee
// deducted: lots × price × 0.9 / 10 in extended precision, truncated.
int64_t TradeSellProceeds(int32_t lots, int32_t price);

// Replaces both lists with the purchases open to the player: 1, 2, ... lots
// while shares are still on sale and the cost does not exceed the cash.
// Entry k of `stockCountList` (lots, ascending) is bought for entry k of
// `moneyList`.  A price outside 1..MaxStockPrice offers nothing.
void BuildBuyOffers(const TVxGame& game, const TVxCompany& company, TIntegerList& stockCountList,
                    TIntegerList& moneyList);

// Replaces both lists with the sales open to the player: every lot count up
// to the holding whose proceeds are above 0.  Entry k of `stockCountList`
// (lots, ascending) sells for entry k of `moneyList`.  A price outside
// 1..MaxStockPrice offers nothing.
void BuildSellOffers(const TVxGame& game, const TVxCompany& company, TIntegerList& stockCountList,
                     TIntegerList& moneyList);

// Whether BuildSellOffers offers any sale of `company` at all.
bool HasSellOffer(const TVxGame& game, const TVxCompany& company);

// What `money` (万円) for `lots` lots comes to per share, in yen:
// money / lots × 10 in extended precision, rounded half to even.
// Throws EVxTradeError when `lots` is below 1.
int64_t TradePricePerShare(int32_t money, int32_t lots);

// The per-share figure as the dialog shows it: "1株%s円相当".
std::string TradePricePerShareText(int32_t money, int32_t lots);

// Buys `lots` lots of `company` for `cost`: the holding grows, the cash
// falls, the cost is added to the holding's cost and to this year's
// expense, and a company not yet held is appended to the game's OwnerList.
// Throws EVxTradeError, changing nothing, for a purchase BuildBuyOffers
// could not offer now for this cost (also one offered at an older price).
void SettleBuy(TVxGame& game, TVxCompany& company, int32_t lots, int32_t cost);

// Sells `lots` lots of `company` for `proceeds`.  The shares that remain
// keep the average buying price of the holding, to the whole yen; the
// proceeds go to the cash and to this year's income.  Selling the last lot
// removes the company from the game's OwnerList and clears its cost.
// Throws EVxTradeError, changing nothing, for a sale BuildSellOffers could
// not offer now for these proceeds (also one offered at an older price).
void SettleSell(TVxGame& game, TVxCompany& company, int32_t lots, int32_t proceeds);
