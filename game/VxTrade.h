#pragma once

// The arithmetic and the rules of trading the shares of one company, as
// plain functions of numbers: what a quantity costs or brings in with the
// fee included, which quantities are open to the player, and why a trade
// cannot be settled.  One refusal function per side serves both the offers
// and the settlement, so what is offered is exactly what can be settled.
// The game applies them to itself (TVxGame::BuildBuyOffers, Buy, Sell); the
// monthly turn asks TradeSaleOffered whether a holding can be sold at all.
//
// Units: money in 万円 (10,000 yen), prices in yen per share, quantities in
// lots of TradeLot (1000) shares.
//
// An offer is made only when settling it leaves every figure of the game
// within 32 bits (cash, this year's income or expense, the holding's cost),
// so a settled offer can never overflow whatever a loaded game holds.

#include "VxRTL/EtcLists/MyList.h"

#include <cstdint>
#include <stdexcept>
#include <string>

// Percent of the share value charged on every purchase and every sale.
inline constexpr int32_t TradeFeePercent = 10;

// A quantity of lots and the money it costs (a purchase, fee included) or
// brings in (a sale, fee deducted), 万円.
struct TVxTradeOffer {
    int32_t Lots = 0;
    int32_t Money = 0;

    friend bool operator==(const TVxTradeOffer&, const TVxTradeOffer&) = default;
};

// Why a trade is not settled.
enum class TVxTradeRefusal {
    None,
    GameEnded,    // the game was won or lost
    SalesAwaited, // a purchase while a refused month waits for sales
    Lots,         // no lots, more than are on sale, or more than are held
    Cash,         // the cost exceeds the cash
    Amount,       // an amount of nothing, or a figure beyond 32 bits
    Price,        // the price is outside 1..MaxStockPrice
    PriceMismatch // the amount is not what the lots come to at the price
};

// What a purchase or a sale came to: the offer settled, or why it was
// refused (and then nothing changed).
struct TVxTradeResult {
    TVxTradeRefusal Refusal = TVxTradeRefusal::None;
    TVxTradeOffer Offer;
    // The settlement brought the cash to the goal: the game is won.
    bool GameClear = false;

    bool Settled() const { return Refusal == TVxTradeRefusal::None; }
};

// A settlement that the caller should never have asked for (the per-share
// figure of no lots).
class EVxTradeError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// The figures of the game and of the company that a trade reads and changes.
struct TVxTradeFigures {
    int32_t Cash = 0;        // the game's Money
    int32_t Income = 0;      // this year's
    int32_t Expense = 0;     // this year's
    int32_t Price = 0;       // the company's current price, yen
    int32_t SharesHeld = 0;  // the company's MyStockCount
    int32_t HoldingCost = 0; // the company's MyStockCost
};

// The money that `lots` lots at `price` yen a share cost, fee included:
// lots × price × 1.1 / 10 in extended precision, rounded up.
int64_t TradeBuyCost(int32_t lots, int32_t price);

// The money that selling `lots` lots at `price` yen a share brings in, fee
// deducted: lots × price × 0.9 / 10 in extended precision, truncated.
int64_t TradeSellProceeds(int32_t lots, int32_t price);

// The fee in yen of `offer` at `price` yen a share: what a purchase pays
// above the shares' value, or what a sale brings in below it.
int64_t TradeFeeYen(bool purchase, TVxTradeOffer offer, int32_t price);

// The purchase and the sale of exactly `lots` lots at `price`, for what the
// arithmetic makes of them (beyond 32 bits: the nearest 32-bit amount).
// Whether they are open is the refusals' business.
TVxTradeOffer TradeBuyOfferAt(int32_t price, int32_t lots);
TVxTradeOffer TradeSellOfferAt(int32_t price, int32_t lots);

// Why `offer` cannot be bought or sold now; None when it can.
TVxTradeRefusal TradeBuyRefusal(const TVxTradeFigures& figures, TVxTradeOffer offer);
TVxTradeRefusal TradeSellRefusal(const TVxTradeFigures& figures, TVxTradeOffer offer);

// Replaces both lists with the purchases open: 1, 2, ... lots while shares
// are still on sale and the cost does not exceed the cash.  Entry k of
// `stockCountList` (lots, ascending) is bought for entry k of `moneyList`.
// A price outside 1..MaxStockPrice offers nothing.
void TradeBuyOffers(const TVxTradeFigures& figures, TIntegerList& stockCountList,
                    TIntegerList& moneyList);

// Replaces both lists with the sales open: every lot count up to the
// holding whose proceeds are above 0.  Entry k of `stockCountList` (lots,
// ascending) sells for entry k of `moneyList`.  A price outside
// 1..MaxStockPrice offers nothing.
void TradeSellOffers(const TVxTradeFigures& figures, TIntegerList& stockCountList,
                     TIntegerList& moneyList);

// Whether TradeSellOffers offers any sale at all.
bool TradeSaleOffered(const TVxTradeFigures& figures);

// The most lots, at most `lots`, that TradeBuyOffers and TradeSellOffers
// offer; 0 when they offer none of those counts.  Worked out without
// building the lists, in a few integer operations, for programs that need
// the largest offer of every company every month: the cost of n lots at P
// yen is exactly ⌈11nP/100⌉ and the proceeds ⌊9nP/100⌋ for every count
// and price a trade can have, so each limit of the offers is one division.
// For the figures of a game, with SharesHeld within 0..IssuedShares.
int32_t TradeBuyLotsUpTo(const TVxTradeFigures& figures, int32_t lots);
int32_t TradeSellLotsUpTo(const TVxTradeFigures& figures, int32_t lots);

// What `money` (万円) for `lots` lots comes to per share, in yen:
// money / lots × 10 in extended precision, rounded half to even.
// Throws EVxTradeError when `lots` is below 1.
int64_t TradePricePerShare(int32_t money, int32_t lots);

// The cost that the shares held keep after `lots` of them are sold: the
// holding's average buying price (whole yen) times the shares that remain.
// The quotient is rounded to extended precision before the product, so a
// product that would be an exact half can fall just below it.
int32_t TradeRemainingCost(int32_t averagePrice, int32_t remainingShares);
