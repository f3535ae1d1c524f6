#pragma once

// The texts in which the price chart reads out its months: a price as the
// lists write it, and one month with its change from the month before.

#include <QString>

#include <cstdint>
#include <optional>

// A share price in yen: 1000円, 1万2000円.
QString PriceText(int32_t price);

// `month` (a name as the month axis shows it) with its `price` and the change
// from `previous`, the month before, written as the 前月比 columns write
// it: "11月 1170円 (前月比 +15円 +1.30%)".  Without `previous` (the oldest
// month the chart holds has none before it) only "11月 1170円".
QString ChartMonthText(const QString& month, int32_t price, std::optional<int32_t> previous);
