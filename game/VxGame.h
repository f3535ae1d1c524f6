#pragma once

// One game: the player's cash, the calendar, the yearly totals, the market
// and the companies the player holds.  The program's entry creates the one
// game it plays before the window and hands it to the window; tests and the
// simulator make games of their own.

#include "VxRTL/EtcLists/MyList.h"
#include "game/VxCompanyList.h"
#include "game/VxConsts.h"
#include "game/VxGameEvents.h"
#include "game/VxGameHistory.h"
#include "game/VxRandom.h"
#include "game/VxStream.h"
#include "game/VxTrade.h"
#include "game/VxTurnResult.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A silent abort: the file is not one of ours.  It carries no message of
// its own; the caller reports the failed opening.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return ""; }
};

// What a save file holds that the game could never have written.
enum class TVxLoadFault {
    Value,        // the field `Field` holds `Value`, which no game reaches
    RepeatedID,   // two companies have the ID `Value`
    TrailingBytes // bytes follow the last company
};

// A save file whose content the game could never have written: the fault,
// and the field (as the file's layout names it: "Month", "Trend",
// "company count") and the value it concerns.  Its what() says the same
// for a log: "Month = 12".
class EVxLoadError : public std::runtime_error {
public:
    explicit EVxLoadError(TVxLoadFault fault, std::string field = {}, int64_t value = 0);
    TVxLoadFault Fault() const { return FFault; }
    const std::string& Field() const { return FField; }
    int64_t Value() const { return FValue; }

private:
    TVxLoadFault FFault;
    std::string FField;
    int64_t FValue;
};

// Where a game stands: still played, or ended by reaching the goal or by
// going bankrupt.
enum class TVxGameOutcome { Playing, Won, Lost };

// How a game stands and, once it was won or lost, the calendar month that
// happened in, as the game keeps it, from 0.
struct TVxGameEnd {
    TVxGameOutcome Outcome = TVxGameOutcome::Playing;
    int32_t Year = 0;
    int32_t Month = 0;

    bool Ended() const { return Outcome != TVxGameOutcome::Playing; }
    friend bool operator==(const TVxGameEnd&, const TVxGameEnd&) = default;
};

class TVxGame {
public:
    TVxCompanyList MarketList{true};
    TIntegerList ExpenseList; // [0] last year, [1] this year
    bool GameEnd = false;
    TIntegerList IncomeList; // [0] last year, [1] this year
    int32_t Month = 0;
    int32_t Money = 0;
    TVxCompanyList OwnerList{false};
    int32_t Year = 0;

    TVxGame();
    TVxGame(const TVxGame&) = delete;
    TVxGame& operator=(const TVxGame&) = delete;
    virtual ~TVxGame() = default;

    // The draws of the monthly turn.  The game starts with a clock-seeded
    // source, reseeded at every turn; SetRandom replaces it (the game does
    // not own `random`) and SetSeed with the streams of a seed.
    void SetRandom(IVxRandom* random);
    // Where the game tells what happens (VxGameEvents.h): a new game, a
    // refused month, the tax, a held company's bankruptcy, the win and the
    // loss.  None at first: then nobody is told.
    void SetEvents(IVxGameEvents* events) { FEvents = events; }
    IVxGameEvents* Events() const { return FEvents; }
    IVxRandom& Random() const { return *FRandom; }
    // A seeded game: the warm-up year of NewGame and every month's turn
    // draw from streams derived from `seed` and the calendar (VxSeed.h), so
    // the same seed and trades play the same game, continued from a save
    // file or not, and a refused month tried again draws what it would have
    // drawn at once.  A game under way goes on with the new seed, which its
    // history notes.
    void SetSeed(uint64_t seed);
    // The seed of a seeded game; none while the draws come from elsewhere.
    std::optional<uint64_t> Seed() const { return FSeed; }

    // The months of this game so far, kept by NewGame, the trades and the
    // turn; a loaded game's history starts at its month.
    const TVxGameHistory& History() const { return FHistory; }
    // Starts the history anew at the month the game stands in, as a game
    // loaded without one does.
    void RestartHistory(TVxHistoryOrigin origin);
    // Replaces the history with one kept elsewhere (read from its file),
    // whose last month must be the game's: its calendar and its cash.  A
    // history with a seed makes the game go on drawing from that seed; one
    // without goes on with the game's.  False, changing nothing, for a
    // history of another game.
    bool AdoptHistory(const TVxGameHistory& history);

    void NewGame();
    // One month of play.  The window ignores the result and shows the
    // game's state; the simulator records it.
    TVxTurnResult NextMonth();
    bool CheckGameClear();
    bool CheckGameOver();
    // Won in the first month of the history whose cash reached the goal
    // (only a sale reaches it; a game loaded after it was won stays won),
    // or in the month the game stands in when its history does not reach
    // back to it; lost in the month the cash fell below 0 and ended the
    // game; playing while neither happened.  Every front asks this and
    // none compares the cash with the goal itself.
    TVxGameEnd Outcome() const;

    // A month was refused for lack of cash while a holding could be sold,
    // and no month has been played since: the player is to sell, and a
    // purchase is refused (TVxTradeRefusal::SalesAwaited) unless the game
    // was told to allow it.
    bool SalesAwaited() const { return FSalesAwaited; }
    // Lets purchases through while sales are awaited: the window lets the
    // player buy all the same, as the game always has; every other front
    // keeps the rule.
    void AllowPurchasesWhileSalesAwaited(bool allowed) { FPurchasesWhileSalesAwaited = allowed; }
    // Whether a purchase can be settled now at all: the game goes on and no
    // refused month waits for sales (or the game allows purchases then).
    bool PurchasesOpen() const {
        return !GameEnd && (!FSalesAwaited || FPurchasesWhileSalesAwaited);
    }

    // The trades open to the player now for `company`, one of MarketList's:
    // the lot counts, ascending, and the money of each (TradeBuyOffers and
    // TradeSellOffers over the game's figures).
    void BuildBuyOffers(const TVxCompany& company, TIntegerList& stockCountList,
                        TIntegerList& moneyList) const;
    void BuildSellOffers(const TVxCompany& company, TIntegerList& stockCountList,
                         TIntegerList& moneyList) const;
    // The figures of the game and of `company` that a trade of it reads.
    TVxTradeFigures TradeFigures(const TVxCompany& company) const;
    // Settles `offer` for `company` exactly as offered, then checks for
    // the win: a purchase adds the shares and their cost to the holding
    // (appending a company not yet held to OwnerList) and to this year's
    // expense; a sale keeps the average buying price of the shares that
    // remain, adds the proceeds to the cash and to this year's income, and
    // selling the last lot removes the company from OwnerList.  An offer
    // that is not open now (the game has ended, the price moved, the cash
    // or the holding does not allow it, a purchase while sales are awaited)
    // is refused with its reason and changes nothing.
    TVxTradeResult Buy(TVxCompany& company, TVxTradeOffer offer);
    TVxTradeResult Sell(TVxCompany& company, TVxTradeOffer offer);
    // The same for exactly `lots` lots, at what they come to now.
    TVxTradeResult Buy(TVxCompany& company, int32_t lots);
    TVxTradeResult Sell(TVxCompany& company, int32_t lots);

    void RebuildOwnerList();

    int32_t Income() const { return IncomeList.Get(1); }
    int32_t Expense() const { return ExpenseList.Get(1); }
    int32_t Profit() const { return Difference(Income(), Expense()); }
    int32_t Tax() const { return TaxOf(Profit()); }
    int32_t ProfitAfterTax() const { return Profit() - Tax(); }
    int32_t PreIncome() const { return IncomeList.Get(0); }
    int32_t PreExpense() const { return ExpenseList.Get(0); }
    int32_t PreProfit() const { return Difference(PreIncome(), PreExpense()); }
    int32_t PreTax() const { return TaxOf(PreProfit()); }
    int32_t PreProfitAfterTax() const { return PreProfit() - PreTax(); }

    // Cash the next turn takes: the living cost and, in the month that ends
    // the year, the tax on the year's profit so far.
    int32_t MonthCost() const;
    // Market value of everything held, 万円; beyond 32 bits for a market
    // full of dear holdings.
    int64_t HoldingsValue() const;

    void SetIncome(int32_t value) { IncomeList.Put(IncomeList.Count() - 1, value); }
    void SetExpense(int32_t value) { ExpenseList.Put(ExpenseList.Count() - 1, value); }
    void PushIncome(int32_t value) { PushTotal(IncomeList, value); }
    void PushExpense(int32_t value) { PushTotal(ExpenseList, value); }

    // Loads the save file `fileName` all or nothing, and the history beside
    // it that names these very bytes (VxGameHistoryFile.h).  Nothing is read
    // from what is no regular file.  Throws EVxFileError when the file
    // cannot be read, EAbort, EReadError or EVxLoadError when it is no save
    // file this game could have written.
    virtual void LoadFromFile(const std::string& fileName);
    // Writes the game to `fileName` and its history beside it, the one path
    // every save of every front takes.  A file there is replaced only when
    // it is a save file, and the history beside it only when it is a
    // history (or either is empty); anything else, also behind a symbolic
    // link, is refused untouched.  Throws EVxFileError naming the file that
    // failed (the history's, perhaps) and why; a kind of file refused
    // carries a TVxKindRefusal, what is no file a TVxFileRefusal.
    virtual void SaveToFile(const std::string& fileName);
    void LoadFromStream(TVxReadStream& stream);
    void SaveToStream(TVxWriteStream& stream);

    // Size of a save file of a market of `companyCount` companies.
    static constexpr size_t SaveFileSize(int32_t companyCount) {
        return 414 + static_cast<size_t>(companyCount) * TVxCompany::RecordSize;
    }

private:
    static int32_t Difference(int32_t a, int32_t b);
    static int32_t TaxOf(int32_t profit);
    static void PushTotal(TIntegerList& list, int32_t value);
    void Tell(const TVxGameEvent& event);
    void BeginTurnDraws();
    void MovePrices(TVxTurnResult& result);
    bool AnyHoldingSellable() const;
    // After a settlement at `price`: the history's record of it, then the
    // win check, told in the result.
    TVxTradeResult Settled(bool purchase, TVxTradeOffer offer, int32_t price);
    // The month the game stands in, as its history enters it.
    TVxHistoryMonth HistoryMonth() const;
    // For the draws of a seeded game: each company's moves drawn in the
    // order of its ID, whatever order the market list is sorted in.
    void DrawMovesByID();

    TVxClockRandom FClockRandom;
    TVxSeededRandom FSeededDraws;
    IVxRandom* FRandom = &FClockRandom;
    std::optional<uint64_t> FSeed;
    // NewGame's warm-up year draws from one stream, not one per month.
    bool FWarmingUp = false;
    bool FSalesAwaited = false;
    bool FPurchasesWhileSalesAwaited = false;
    TVxGameHistory FHistory;
    IVxGameEvents* FEvents = nullptr;
    // A seeded turn's draws, by MarketList index: r1, r2, r3 of each company.
    std::vector<int32_t> FMoves;
};
