#pragma once

// What the game tells the player, as values: each event is what happened
// and its numbers, and each front puts it into words of its own (the
// window in its language, the simulator in its protocol's texts).  The
// game hands them to one sink as they happen.

#include <cstdint>
#include <variant>

// A new game has begun: the player is to turn `StartMoney` into `Goal`,
// `LivingCost` leaves the cash every month, and `TaxRate` percent of the
// year's profit is paid every January.  What was told of the last game is
// forgotten.  Amounts in 万円.
struct TVxNewGameBegun {
    int32_t StartMoney = 0;
    int32_t Goal = 0;
    int32_t LivingCost = 0;
    int32_t TaxRate = 0;

    friend bool operator==(const TVxNewGameBegun&, const TVxNewGameBegun&) = default;
};

// The month was refused: the cash does not cover what the month takes
// (`Cost`, the living cost and in December the tax) while a holding can
// be sold.  Amounts in 万円.
struct TVxMonthRefused {
    int32_t Cash = 0;
    int32_t Cost = 0;

    friend bool operator==(const TVxMonthRefused&, const TVxMonthRefused&) = default;
};

// The turn into calendar month `Year`/`Month` (from 0) paid `Amount` 万円
// of tax on last year's profit.
struct TVxTaxPaid {
    int32_t Year = 0;
    int32_t Month = 0;
    int32_t Amount = 0;

    friend bool operator==(const TVxTaxPaid&, const TVxTaxPaid&) = default;
};

// A company the player held went bankrupt in the turn into `Year`/`Month`:
// the shares held are worth nothing.
struct TVxCompanyBankrupt {
    int32_t Year = 0;
    int32_t Month = 0;
    int16_t ID = 0;

    friend bool operator==(const TVxCompanyBankrupt&, const TVxCompanyBankrupt&) = default;
};

// The cash reached `Goal` (万円): the game is won.
struct TVxGameCleared {
    int32_t Goal = 0;

    friend bool operator==(const TVxGameCleared&, const TVxGameCleared&) = default;
};

// The cash fell below 0: the game is lost.
struct TVxGameLost {
    friend bool operator==(const TVxGameLost&, const TVxGameLost&) = default;
};

using TVxGameEvent = std::variant<TVxNewGameBegun, TVxMonthRefused, TVxTaxPaid, TVxCompanyBankrupt,
                                  TVxGameCleared, TVxGameLost>;

// Whether the player must acknowledge `event` before the game goes on: a
// refused month and the end of the game stop play, and a front shows them
// in a modal box; the rest is told in passing.
inline bool VxEventWaits(const TVxGameEvent& event) {
    return std::holds_alternative<TVxMonthRefused>(event) ||
           std::holds_alternative<TVxGameCleared>(event) ||
           std::holds_alternative<TVxGameLost>(event);
}

class IVxGameEvents {
public:
    virtual ~IVxGameEvents() = default;
    // One event as it happens.  For an event that waits, the call returns
    // once the player has acknowledged it.
    virtual void Happened(const TVxGameEvent& event) = 0;
    // A turn begins and ends: many events may come in between, which a
    // front may gather before it shows them.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
};
