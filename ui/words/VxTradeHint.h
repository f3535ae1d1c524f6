#pragma once

// What trading a company would bring now, in words: the tooltip and the
// accessible description of a row of the market and holdings lists.  Every
// figure is one the trade dialog would offer for the company (VxTrade.h),
// so a hint and the dialog never disagree.

#include <QString>

#include <cstdint>

class TVxCompany;
class TVxGame;

// A held company: what selling every lot brings in after the fee, and the
// gain or loss against what the lots cost, fees included, in 万円 and per
// cent.
QString OwnerTradeHint(const TVxGame& game, const TVxCompany& company);

// A listed company: what one lot costs with the fee, and how many lots the
// cash buys now with their cost.
QString MarketTradeHint(const TVxGame& game, const TVxCompany& company);

// What `money` (万円) for `lots` lots comes to per share, as the trade
// dialog shows it: "1株1100円相当" (TradePricePerShare).  Throws
// EVxTradeError when `lots` is below 1 or the figure is beyond 32 bits.
QString PricePerShareText(int32_t money, int32_t lots);
