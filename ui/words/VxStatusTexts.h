#pragma once

// The calendar and the cash as the status bar writes them, shared with
// whatever else tells the player where a game stands (the load menu's
// 前回の続き).

#include "ui/words/VxMoneyText.h"

#include <QString>

#include <cstdint>
#include <vector>

// "資金 " and the cash (万円) as the lists write money: 資金 1億2000万円.
QString CashText(int32_t money);

// The widths of the status bar's panels (hint, calendar, cash, companies
// held, the last one's room) for the texts above: "Year 42, Month 12" and
// "Cash ¥300,000,000,000" need more room than their Japanese.
std::vector<int> StatusPanelWidths();
