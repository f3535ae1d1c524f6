#pragma once

// Setting a game's state by hand, and reading it back whole.  Every test
// folder shapes its situations with these, so a held company always looks
// the same to the game, whichever test made it.

#include "game/VxGame.h"

#include <cstdint>
#include <vector>

// The calendar, cash and totals a new game starts with: the first month of
// the first year, StartMoney, no income or expense in either year, not
// ended.  The market and the holdings are left as they are.
void ResetYear(TVxGame& game);

// Gives the player `shares` of `company` bought for `cost` (万円) and lists
// the held companies in OwnerList in market order, as a loaded game has
// them; 0 shares takes the company off the list.
void Hold(TVxGame& game, TVxCompany& company, int32_t shares, int32_t cost);

// Replaces the price history with `prices`, oldest first.
void SetPrices(TVxCompany& company, const std::vector<int32_t>& prices);

// The company of `game`'s market with `id`; throws std::out_of_range when
// there is none.
TVxCompany& CompanyByID(const TVxGame& game, int16_t id);

// The history entry of calendar month `index` (from the game's start) with
// `cash` and holdings worth `value`, 万円, and nothing else in it.
TVxHistoryMonth HistoryMonthAt(int32_t index, int32_t cash, int64_t value);

// The whole save file of `game`: compared before and after an operation it
// shows whether anything stored has changed.
std::vector<uint8_t> SaveBytes(TVxGame& game);
