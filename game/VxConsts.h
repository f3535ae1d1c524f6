#pragma once

// Constants of the game.  Money is counted in units of 10,000 yen (万円),
// prices in yen per share, share counts in shares.

#include <cstdint>

inline constexpr int32_t StartMoney = 3000;
inline constexpr int32_t GoalMoney = 30000000;
inline constexpr int32_t LivingCost = 30;
inline constexpr int32_t TaxRate = 20;
inline constexpr int32_t CompanyCount = 1000;
inline constexpr int32_t IssuedShares = 100000;
inline constexpr int32_t TradeLot = 1000;
inline constexpr int32_t MaxStockPrice = 10000000;
inline constexpr int32_t InitialStockPrice = 1000;
inline constexpr int32_t PriceHistoryLength = 12;
inline constexpr int32_t WarmUpMoney = INT32_MAX / 90;

static_assert(WarmUpMoney == 23860929);
