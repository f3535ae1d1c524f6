#pragma once

// The text in which the price chart reads out a month: its price and its
// change from the month before, as the lists write them.

#include <QString>

#include <cstdint>
#include <optional>

// `month` (a name as the month axis shows it) with its `price` and the change
// from `previous`, the month before, written as the 前月比 columns write
// it: "11月 1170円 (前月比 +15円 +1.30%)".  Without `previous` (the oldest
// month the chart holds has none before it) only "11月 1170円".
QString ChartMonthText(const QString& month, int32_t price, std::optional<int32_t> previous);
