#pragma once

// The calendar and the cash as the status bar writes them, shared with
// whatever else tells the player where a game stands (the load menu's
// 前回の続き).

#include <QString>

#include <cstdint>

// "%d年目%d月" of a game's Year and Month, both counted from 0: 3年目5月
// (the model's CalendarText, as a QString).
QString CalendarQText(int32_t year, int32_t month);

// "資金 " and the cash (万円) as the lists write money: 資金 1億2000万円.
QString CashText(int32_t money);
