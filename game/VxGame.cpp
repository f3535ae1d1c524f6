#include "game/VxGame.h"

#include "game/VxRound.h"
#include "game/VxSeed.h"

#include <algorithm>
#include <vector>

namespace {

// Cash only ever moves down here; saturate instead of wrapping so that a
// game that goes on after it was lost stays defined.
int32_t SubtractMoney(int32_t money, int32_t amount) {
    return static_cast<int32_t>(std::max<int64_t>(int64_t{money} - amount, INT32_MIN));
}

// Tells the events' sink that a turn begins and, however it ends, that it
// has ended.
class TTurnUpdateGuard {
public:
    explicit TTurnUpdateGuard(IVxGameEvents* events) : FEvents(events) {
        if (FEvents)
            FEvents->BeginUpdate();
    }
    ~TTurnUpdateGuard() {
        if (FEvents)
            FEvents->EndUpdate();
    }
    TTurnUpdateGuard(const TTurnUpdateGuard&) = delete;
    TTurnUpdateGuard& operator=(const TTurnUpdateGuard&) = delete;

private:
    IVxGameEvents* FEvents;
};

} // namespace

TVxGame::TVxGame() = default;

void TVxGame::SetRandom(IVxRandom* random) {
    FRandom = random ? random : &FClockRandom;
    FSeed.reset();
    FHistory.Reseed(FSeed);
}

void TVxGame::SetSeed(uint64_t seed) {
    FRandom = &FSeededDraws;
    FSeed = seed;
    FHistory.Reseed(FSeed);
}

void TVxGame::NewGame() {
    GameEnd = false;
    Tell(TVxNewGameBegun{StartMoney, GoalMoney, LivingCost, TaxRate});
    MarketList.CreateNewCompanies();
    OwnerList.Clear();
    for (TIntegerList* totals : {&ExpenseList, &IncomeList}) {
        totals->Clear();
        totals->Add(0);
        totals->Add(0);
    }
    // A year of warm-up gives every company a full price history and a
    // trend that has already moved.  With nothing held and no totals it
    // logs nothing and pays no tax.
    Money = WarmUpMoney;
    if (FSeed)
        FSeededDraws.Seed(VxStreamSeed(*FSeed, TVxDrawStream::NewGame, 0));
    FWarmingUp = true;
    for (int32_t i = 0; i < PriceHistoryLength; ++i)
        NextMonth();
    FWarmingUp = false;
    Year = 0;
    Month = 0;
    Money = StartMoney;
    FSalesAwaited = false;
    RestartHistory(TVxHistoryOrigin::NewGame);
}

void TVxGame::RestartHistory(TVxHistoryOrigin origin) {
    FHistory.Begin(FSeed, origin, HistoryMonth());
}

bool TVxGame::AdoptHistory(const TVxGameHistory& history) {
    if (history.Empty())
        return false;
    const TVxHistoryMonth& last = history.Last();
    if (last.Year != Year || last.Month != Month || last.Cash != Money)
        return false;
    FHistory = history;
    if (const std::optional<uint64_t> seed = history.Seed())
        SetSeed(*seed);
    else
        FHistory.Reseed(FSeed);
    return true;
}

TVxHistoryMonth TVxGame::HistoryMonth() const {
    TVxHistoryMonth month;
    month.Year = Year;
    month.Month = Month;
    month.Cash = Money;
    month.Value = HoldingsValue();
    return month;
}

void TVxGame::BeginTurnDraws() {
    if (!FSeed)
        FRandom->Reseed();
    else if (!FWarmingUp)
        FSeededDraws.Seed(VxStreamSeed(*FSeed, TVxDrawStream::Turn, VxMonthIndex(Year, Month)));
}

TVxTurnResult TVxGame::NextMonth() {
    BeginTurnDraws();
    const TTurnUpdateGuard turnGuard(FEvents);
    TVxTurnResult result;

    FSalesAwaited = Money < MonthCost() && AnyHoldingSellable();
    if (FSalesAwaited) {
        Tell(TVxMonthRefused{Money, MonthCost()});
        result.Refused = true;
        return result;
    }

    ++Month;
    if (Month == 12) {
        // Saturates one below the limit so that the shown year, Year + 1, fits.
        if (Year < INT32_MAX - 1)
            ++Year;
        Month = 0;
        result.TaxPaid = Tax();
        if (result.TaxPaid != 0)
            Tell(TVxTaxPaid{Year, Month, result.TaxPaid});
        Money = SubtractMoney(Money, result.TaxPaid);
        PushExpense(0);
        PushIncome(0);
    }

    MovePrices(result);
    MarketList.Sort();
    OwnerList.Sort();
    Money = SubtractMoney(Money, LivingCost);
    if (!FWarmingUp && !FHistory.Empty()) {
        TVxHistoryMonth month = HistoryMonth();
        month.Tax = result.TaxPaid;
        month.Bankruptcies = static_cast<int32_t>(result.Bankrupt.size());
        FHistory.Turn(month);
    }
    result.GameOver = CheckGameOver();
    return result;
}

int32_t TVxGame::MonthCost() const {
    return Month == 11 ? LivingCost + Tax() : LivingCost;
}

int64_t TVxGame::HoldingsValue() const {
    int64_t value = 0;
    for (int32_t i = 0; i < OwnerList.Count(); ++i)
        value += OwnerList.Items(i)->MyStockValue();
    return value;
}

bool TVxGame::AnyHoldingSellable() const {
    // A holding whose every lot would sell for less than 1万円 has no sale
    // offer: refusing the month for it would leave the player with no way on.
    for (int32_t i = 0; i < OwnerList.Count(); ++i)
        if (TradeSaleOffered(TradeFigures(*OwnerList.Items(i))))
            return true;
    return false;
}

void TVxGame::DrawMovesByID() {
    const int32_t count = MarketList.Count();
    std::vector<int32_t> indexOfID(static_cast<size_t>(count), -1);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t id = MarketList.Items(i)->ID;
        if (id < 0 || id >= count || indexOfID[static_cast<size_t>(id)] >= 0)
            return; // not a market of IDs 0..count - 1: list order it is
        indexOfID[static_cast<size_t>(id)] = i;
    }
    FMoves.resize(static_cast<size_t>(count) * 3);
    for (const int32_t index : indexOfID) {
        int32_t* moves = &FMoves[static_cast<size_t>(index) * 3];
        moves[0] = FRandom->Random(100);
        moves[1] = FRandom->Random(3);
        moves[2] = FRandom->Random(41);
    }
}

void TVxGame::MovePrices(TVxTurnResult& result) {
    FMoves.clear();
    if (FSeed)
        DrawMovesByID();
    // The moves drawn in advance, or each drawn as its company moves.
    const auto draw = [this](int32_t index, int part, int32_t n) {
        return FMoves.empty() ? FRandom->Random(n) : FMoves[static_cast<size_t>(index) * 3 + part];
    };
    for (int32_t i = 0; i < MarketList.Count(); ++i) {
        TVxCompany& company = *MarketList.Items(i);
        const int64_t price = company.StockPrice();
        const int32_t trend = company.Trend;
        const int32_t r1 = draw(i, 0, 100);
        const int32_t r2 = draw(i, 1, 3);
        // P x T x r1 reaches 9.9e10 at the highest price: form it in 64 bits.
        const int64_t newPrice = price * trend * r1 / 100000 + price + r2 - 2;
        // Any price below 1 ends in bankruptcy, so clamping keeps a price set by
        // hand from wrapping around into a high one.
        company.PushPrice(
            static_cast<int32_t>(std::clamp<int64_t>(newPrice, INT32_MIN, MaxStockPrice)));
        const int32_t r3 = draw(i, 2, 41);
        company.SetTrend(trend + r3 - 20);
        if (company.StockPrice() < 1) {
            const int32_t held = OwnerList.IndexOf(&company);
            if (held >= 0) {
                Tell(TVxCompanyBankrupt{Year, Month, company.ID});
                OwnerList.Delete(held);
                result.Bankrupt.push_back(company.ID);
            }
            result.Restarted.push_back(company.ID);
            company.Reset();
        }
    }
}

bool TVxGame::CheckGameClear() {
    if (Money < GoalMoney)
        return false;
    GameEnd = true;
    Tell(TVxGameCleared{GoalMoney});
    return true;
}

bool TVxGame::CheckGameOver() {
    if (Money >= 0)
        return false;
    // Told before the game ends, as it always has been.
    Tell(TVxGameLost{});
    GameEnd = true;
    return true;
}

TVxGameEnd TVxGame::Outcome() const {
    for (const TVxHistoryMonth& month : FHistory.Months())
        if (month.Cash >= GoalMoney)
            return {TVxGameOutcome::Won, month.Year, month.Month};
    if (!GameEnd)
        return {};
    return {Money >= GoalMoney ? TVxGameOutcome::Won : TVxGameOutcome::Lost, Year, Month};
}

void TVxGame::RebuildOwnerList() {
    OwnerList.Clear();
    for (int32_t i = 0; i < MarketList.Count(); ++i)
        if (MarketList.Items(i)->MyStockCount > 0)
            OwnerList.Add(MarketList.Items(i));
}

int32_t TVxGame::Difference(int32_t a, int32_t b) {
    // Totals are never negative, so the difference of two of them fits.
    return static_cast<int32_t>(int64_t{a} - b);
}

int32_t TVxGame::TaxOf(int32_t profit) {
    // The rate as the extended constant nearest to 0.2, as the tax is
    // defined with.
    constexpr long double rate = TaxRate / 100.0L;
    static_assert(rate == 0.2L);
    if (profit <= 0)
        return 0;
    return static_cast<int32_t>(VxRound(static_cast<long double>(profit) * rate));
}

void TVxGame::PushTotal(TIntegerList& list, int32_t value) {
    list.Add(value);
    while (list.Count() > 2)
        list.Delete(0);
}

void TVxGame::Tell(const TVxGameEvent& event) {
    if (FEvents)
        FEvents->Happened(event);
}
