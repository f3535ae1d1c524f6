#include "sim/VxSimGame.h"

#include "sim/VxSimSeed.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

TVxSimGame::TVxSimGame(uint64_t seed, std::unique_ptr<TVxSimStrategy> strategy)
    : FSeed(seed), FStrategy(std::move(strategy)) {
    FGame.SetRandom(&FMarketDraws);
}

void TVxSimGame::NewGame() {
    FMarketDraws.Seed(VxSimStreamSeed(FSeed, TVxSimStream::NewGame, 0));
    FGame.NewGame();
    FStuck = false;
}

void TVxSimGame::Load(const std::string& fileName) {
    FGame.LoadFromFile(fileName);
    FStuck = false;
}

void TVxSimGame::Save(const std::string& fileName) {
    FGame.SaveToFile(fileName);
}

int64_t TVxSimGame::Fortune() const {
    int64_t fortune = FGame.Money;
    for (int32_t i = 0; i < FGame.OwnerList.Count(); ++i)
        fortune += FGame.OwnerList.Items(i)->MyStockValue();
    return fortune;
}

TVxSimMonth TVxSimGame::Snapshot(int32_t taxPaid) const {
    TVxSimMonth record;
    record.Year = FGame.Year + 1;
    record.Month = FGame.Month + 1;
    record.Cash = FGame.Money;
    record.Value = Fortune() - FGame.Money;
    record.Held = FGame.OwnerList.Count();
    record.Tax = taxPaid;
    return record;
}

std::optional<TVxSimMonth> TVxSimGame::TryTurn(int64_t monthIndex) {
    std::vector<TVxCompany*> held;
    for (int32_t i = 0; i < FGame.OwnerList.Count(); ++i)
        held.push_back(FGame.OwnerList.Items(i));
    const int32_t taxDue = FGame.Month == 11 ? FGame.Tax() : 0;
    const int32_t monthBefore = FGame.Month;

    // Reseeded for every attempt, so a turn tried again after sales draws
    // what a turn played at once would have drawn.
    FMarketDraws.Seed(VxSimStreamSeed(FSeed, TVxSimStream::Turn, monthIndex));
    FGame.NextMonth();
    if (FGame.Month == monthBefore)
        return std::nullopt;

    TVxSimMonth record = Snapshot(taxDue);
    // A bankrupt company is reset, which clears the holding; nothing else
    // in a turn takes shares away.
    std::vector<int32_t> bankrupt;
    for (const TVxCompany* company : held)
        if (company->MyStockCount == 0)
            bankrupt.push_back(company->ID);
    std::sort(bankrupt.begin(), bankrupt.end());
    for (const int32_t id : bankrupt)
        record.Events.push_back({TVxSimEventKind::Bankruptcy, id});
    if (FGame.GameEnd)
        record.Events.push_back({TVxSimEventKind::GameOver});
    return record;
}

TVxSimMonth TVxSimGame::PlayMonth() {
    const int64_t monthIndex = VxSimMonthIndex(FGame.Year, FGame.Month);
    FStrategyDraws.Seed(VxSimStreamSeed(FSeed, TVxSimStream::Strategy, monthIndex));
    {
        TVxSimTrader trader(FGame, FStrategyDraws);
        FStrategy->Trade(trader);
    }
    std::vector<TVxSimEvent> events;
    while (!FGame.GameEnd) {
        if (std::optional<TVxSimMonth> played = TryTurn(monthIndex)) {
            played->Events.insert(played->Events.begin(), events.begin(), events.end());
            return *played;
        }
        events = {{TVxSimEventKind::Refused}};
        TVxSimTrader seller(FGame, FStrategyDraws, true);
        FStrategy->RaiseCash(seller);
        if (seller.Trades() == 0) {
            FStuck = true;
            events.push_back({TVxSimEventKind::Stuck});
            break;
        }
    }
    // Won by a sale, or stuck: the turn was not played.
    if (!FStuck)
        events.push_back({TVxSimEventKind::GameClear});
    TVxSimMonth record = Snapshot(0);
    record.Events = std::move(events);
    return record;
}
