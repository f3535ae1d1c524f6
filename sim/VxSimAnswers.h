#pragma once

// The requests of a served game carried out and answered as values: what a
// trade, a month, an offer and a save come to, or the request's refusal
// with the protocol's code (EVxSimRequestError).  `serve` writes these
// answers as JSON lines (VxSimServer.h) and the Python module hands them to
// Python as they are, so a program gets the same answer either way.
//
// Units and calendar as the protocol has them: money in 万円, prices in yen
// per share, quantities in lots of 1000 shares, the calendar from 1.

#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxGameEvents.h"
#include "game/VxTrade.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimRequest.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One rule of the game a bot needs, as the hello tells it.
struct TVxSimRule {
    std::string_view Name;
    int32_t Value;
};

// The rules in the order the hello lists them.
inline constexpr std::array<TVxSimRule, 12> VxSimRules{{
    {"shares_per_lot", TradeLot},
    {"issued_shares", IssuedShares},
    {"fee_percent", TradeFeePercent},
    {"living_cost", LivingCost},
    {"tax_percent", TaxRate},
    {"start_money", StartMoney},
    {"goal_money", GoalMoney},
    {"lost_below", 0},
    {"companies", CompanyCount},
    {"price_history", PriceHistoryLength},
    {"initial_price", InitialStockPrice},
    {"max_price", MaxStockPrice},
}};
inline constexpr std::string_view VxSimMoneyUnit = "万円";
inline constexpr std::string_view VxSimPriceUnit = "円/株";

// The outcome as answers write it: "playing", "won" or "lost".
std::string_view VxSimOutcomeName(TVxGameOutcome outcome);

// Whether a buy or a sell request may settle anything now: neither once
// the game has ended, and no purchase while a refused month waits for
// sales.
bool VxSimSideOpen(const TVxGame& game, TVxSimSide side);

// The most lots, at most `lots`, that a buy or sell request of `company`
// would settle now: none while the side is closed, otherwise the largest
// count the game offers (TradeBuyLotsUpTo, TradeSellLotsUpTo).  A request
// of any count from 1 to the largest offered settles, save the small
// counts of a cheap company whose sale brings in nothing.
int32_t VxSimLotsOpen(const TVxGame& game, const TVxCompany& company, TVxSimSide side,
                      int32_t lots);

// The companies of `game` in ID order, whatever the market list's order.  A
// bankrupt company starts again as the same object, so they stay the same
// for the whole game.
std::vector<TVxCompany*> VxSimCompaniesById(const TVxGame& game);

// What the coming turn takes and the tax due so far: a bot's budget.
struct TVxSimBudget {
    int32_t MonthCost = 0;
    int32_t TaxDue = 0;
};

// One company held, in the holdings list's order.
struct TVxSimHolding {
    int32_t Id = 0;
    int32_t Lots = 0;
    int32_t Shares = 0;
    int32_t Cost = 0; // what the shares cost, fees included
    int32_t AveragePrice = 0;
    int32_t Price = 0;
    int32_t Value = 0; // the market value
};

struct TVxSimOffersAnswer {
    int32_t Id = 0;
    TVxSimSide Side = TVxSimSide::Buy;
    int32_t Price = 0;
    std::vector<int32_t> Lots; // ascending
    std::vector<int32_t> Amounts;
};

struct TVxSimTradeAnswer {
    TVxSimSide Side = TVxSimSide::Buy;
    int32_t Id = 0;
    int32_t Lots = 0;
    int32_t Price = 0;
    int32_t Amount = 0; // paid or received, fee included
    int32_t Cash = 0;
    int32_t Shares = 0; // held after the trade
    TVxSimBudget Budget;
    bool GameClear = false;
    std::vector<std::string> Messages;
};

struct TVxSimNextAnswer {
    // The cash did not cover the month while a holding could be sold:
    // nothing changed, and only the calendar, the cash, the budget, the
    // shortfall and the messages are answered.
    bool Refused = false;
    int64_t Year = 1;
    int32_t Month = 1;
    int32_t Cash = 0;
    TVxSimBudget Budget;
    int64_t Shortfall = 0;
    int32_t TaxPaid = 0;
    std::vector<int16_t> Bankrupt; // held companies lost, by ID
    bool GameOver = false;
    std::vector<int16_t> Restarted; // every company that went bankrupt, by ID
    int64_t HoldingsValue = 0;
    std::vector<TVxSimHolding> Holdings;
    std::vector<int32_t> Prices; // every company's new price, by ID
    std::vector<std::string> Messages;
};

// Where the files that `save` requests name are written.  A server without
// one writes each where its path leads from the working folder.
class IVxSimSaveFolder {
public:
    virtual ~IVxSimSaveFolder() = default;
    // The file to write for a request's `path`.  Throws EVxFileError to
    // refuse it (the request fails with save_failed); anything else it
    // throws ends the session.
    virtual std::string FileFor(const std::string& path) = 0;
};

class TVxSimAnswers {
public:
    // Answers for `game`, started or loaded, for as long as this lives;
    // what the game tells comes here meanwhile.  Its saves go where
    // `saves` says, if given.
    explicit TVxSimAnswers(TVxSimGame& game, IVxSimSaveFolder* saves = nullptr);
    ~TVxSimAnswers();
    TVxSimAnswers(const TVxSimAnswers&) = delete;
    TVxSimAnswers& operator=(const TVxSimAnswers&) = delete;

    // The companies in ID order (VxSimCompaniesById).
    const std::vector<TVxCompany*>& ById() const { return FById; }

    TVxSimBudget Budget() const;
    // The holdings in the holdings list's order, and their market value.
    std::vector<TVxSimHolding> Holdings() const;

    // What the trade dialog would offer now.
    TVxSimOffersAnswer Offers(int32_t id, TVxSimSide side) const;
    // Settles exactly `lots` lots and checks for the win.  Throws
    // EVxSimRequestError: game_ended, purchases_closed, not_offered.
    TVxSimTradeAnswer Trade(TVxSimSide side, int32_t id, int32_t lots);
    // The monthly turn.  Throws EVxSimRequestError: game_ended.
    TVxSimNextAnswer Next();
    // Writes the save file and the history beside it for a request's
    // `path`.  Throws EVxSimRequestError: save_failed, with the file as the
    // request names it and the reason.
    void Save(const std::string& path);

private:
    // What the game tells the player while a request runs, in the
    // protocol's texts (VxSimEventText.h), in order.
    class TMessages : public IVxGameEvents {
    public:
        void Happened(const TVxGameEvent& event) override;
        void BeginUpdate() override {}
        void EndUpdate() override {}
        std::vector<std::string> Lines;
    };

    // Throws game_ended once the game was won or lost.
    void RefuseAfterTheEnd() const;

    TVxSimGame& FGame;
    IVxSimSaveFolder* FSaves;
    TMessages FMessages;
    std::vector<TVxCompany*> FById;
};
