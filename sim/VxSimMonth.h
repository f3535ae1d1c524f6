#pragma once

// What one simulated month produced: the state after it and what happened
// in it.  The calendar is the one the player sees, counted from 1.

#include <cstdint>
#include <string_view>
#include <vector>

enum class TVxSimEventKind {
    Refused,    // the turn was refused for lack of cash; the strategy sold and it was played
    Bankruptcy, // a company the player held went bankrupt in the turn
    GameClear,  // the cash reached the goal after the month's trades
    GameOver,   // the cash fell below 0 in the turn
    Stuck       // the turn was refused and the strategy could not raise the cash
};

struct TVxSimEvent {
    TVxSimEventKind Kind;
    int32_t CompanyID = -1; // the company of a bankruptcy
};

struct TVxSimMonth {
    int32_t Year = 1;  // 1 in the first year
    int32_t Month = 1; // 1..12
    int32_t Cash = 0;  // 万円
    int64_t Value = 0; // market value of the holdings, 万円
    int32_t Held = 0;  // number of companies held
    int32_t Tax = 0;   // tax paid in this month's turn, 万円
    std::vector<TVxSimEvent> Events;

    bool Ends() const;
};

// The event's name in the output: "refused", "bankruptcy", "game_clear",
// "game_over", "stuck".
std::string_view VxSimEventName(TVxSimEventKind kind);
