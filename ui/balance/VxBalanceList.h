#pragma once

// The two balance pages: a fixed table of seven rows (income, expense,
// profit, tax, profit after tax, with two separator rows) whose values are
// written from the game's yearly totals.

#include <cstdint>

class TVxGame;
class TVxListView;

struct TVxBalance {
    int32_t Income = 0;
    int32_t Expense = 0;
    int32_t Profit = 0;
    int32_t Tax = 0;
    int32_t ProfitAfterTax = 0;
};

// This year's totals so far and last year's.
TVxBalance NowBalance(const TVxGame& game);
TVxBalance PreBalance(const TVxGame& game);

// Gives `view` the columns 項目 and 値 and the seven rows with empty values,
// read-only and without header clicks.
void SetupBalanceList(TVxListView& view);

// Writes the five values, each in 万円 followed by "円"; the separator rows
// and the item texts stay as they are.
void FillBalanceList(TVxListView& view, const TVxBalance& balance);
