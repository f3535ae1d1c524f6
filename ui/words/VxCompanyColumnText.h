#pragma once

// The texts the company lists show, one per column code, and the column set
// that lays those columns out.  The code of a column is the collection index
// of its definition in the set; it selects both the cell text and the sort
// key of the game's lists.

#include "game/VxCompanyColumn.h"
#include "ui/lists/VxTrendColors.h"
#include "ui/words/VxMoneyText.h"

#include <QString>

#include <cstdint>

class TVxColumnInfos;
class TVxCompany;

// The text of `company` in the column with `code` (0..9); empty for any
// other code.
QString CompanyColumnText(const TVxCompany& company, int code);

// Whether the figure of `company` in the column with `code` rose or fell
// since the month before: the change of price and its per cent, and the
// price against the average buying price (above or below 100 %).  Other
// columns, and a company not held in the last, show no trend.
TVxTrend CompanyColumnTrend(const TVxCompany& company, int code);

// Adds the ten company columns, codes 0..9 in this order, to `infos`: all
// right-aligned and visible, shown in collection order.
void AddCompanyColumnInfos(TVxColumnInfos& infos);

// `value` with digit groups of three separated by ",": 100,000 or -1,250.
QString GroupedText(int32_t value);

// A number of shares: "1,000株"; "1,000 shares".
QString SharesText(int32_t count);

// A change in per cent as the 前月比(%) column writes it, with two decimals
// and its sign: +10.00%, -5.00%, 0.00%.
QString PercentChangeText(double percent);
