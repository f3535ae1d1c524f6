#pragma once

// The values a company is shown and sorted by, one code each.  The code is
// a column's place in the company lists' column set, selects the cell text
// the lists show in that column, and is the sort key of the game's lists:
// a click on a column's header sorts by what the column shows.

#include <cstdint>

enum TVxCompanyColumn : int32_t {
    ccID = 0,
    ccStockPrice = 1,
    ccMonthDiff = 2,
    ccMonthDiffPercent = 3,
    ccStockPrice1000 = 4,
    ccSellStockCount = 5,
    ccMyStockCount = 6,
    ccMyStockPriceBuyingAverage = 7,
    ccMyStockPriceRatio = 8,
    ccMyStockValue = 9,
};

inline constexpr int32_t CompanyColumnCount = 10;
