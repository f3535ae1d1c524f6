#pragma once

// The texts the company lists show, one per column code, and the column set
// that lays those columns out.  The code of a column is the collection index
// of its definition in the set; it selects both the cell text and the sort
// key of the game's lists.

#include <QString>

#include <cstdint>

class TVxColumnInfos;
class TVxCompany;

enum TVxCompanyColumn : int {
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

inline constexpr int CompanyColumnCount = 10;

// The text of `company` in the column with `code` (0..9); empty for any
// other code.
QString CompanyColumnText(const TVxCompany& company, int code);

// Adds the ten company columns, codes 0..9 in this order, to `infos`: all
// right-aligned and visible, shown in collection order.
void AddCompanyColumnInfos(TVxColumnInfos& infos);

// `value` with digit groups of three separated by ",": 100,000 or -1,250.
QString GroupedText(int32_t value);
