#pragma once

// One game: the player's cash, the calendar, the yearly totals, the market
// and the companies the player holds.  The program's entry creates the one
// game it plays before the window and hands it to the window; tests and the
// simulator make games of their own.

#include "VxRTL/EtcLists/MyList.h"
#include "game/VxCompanyList.h"
#include "game/VxConsts.h"
#include "game/VxMessageSinks.h"
#include "game/VxRandom.h"
#include "game/VxStream.h"
#include "game/VxTurnResult.h"

#include <cstdint>
#include <memory>
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

// A save file whose content the game could never have written.
class EVxLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
    IVxMessageLog* MessageLog = nullptr;
    int32_t Year = 0;

    // Message boxes of the turn and the win and loss checks; none when absent.
    IVxMessageBox* MessageBoxSink = nullptr;

    TVxGame();
    TVxGame(const TVxGame&) = delete;
    TVxGame& operator=(const TVxGame&) = delete;
    virtual ~TVxGame() = default;

    // The draws of the monthly turn.  The game starts with a clock-seeded
    // source; SetRandom replaces it (the game does not own `random`).
    void SetRandom(IVxRandom* random);
    IVxRandom& Random() const { return *FRandom; }

    void NewGame();
    // One month of play.  The window ignores the result and shows the
    // game's state; the simulator records it.
    TVxTurnResult NextMonth();
    bool CheckGameClear();
    bool CheckGameOver();

    void AddMessage(const std::string& text);
    void AddMessageFmt(const char* format, ...) __attribute__((format(printf, 2, 3)));
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

    virtual void LoadFromFile(const std::string& fileName);
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
    void ShowMessage(const std::string& caption, const std::string& text, TVxMsgIcon icon);
    void MovePrices(TVxTurnResult& result);
    bool AnyHoldingSellable() const;

    TVxClockRandom FClockRandom;
    IVxRandom* FRandom = &FClockRandom;
};
