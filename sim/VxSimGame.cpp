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
    return FGame.Money + FGame.HoldingsValue();
}

TVxSimMonth TVxSimGame::Snapshot(int32_t taxPaid) const {
    TVxSimMonth record;
    record.Year = FGame.Year + 1;
    record.Month = FGame.Month + 1;
    record.Cash = FGame.Money;
    record.Value = FGame.HoldingsValue();
    record.Held = FGame.OwnerList.Count();
    record.Tax = taxPaid;
    return record;
}

std::optional<TVxSimMonth> TVxSimGame::TryTurn(int64_t monthIndex) {
    // Reseeded for every attempt, so a turn tried again after sales draws
    // what a turn played at once would have drawn.
    FMarketDraws.Seed(VxSimStreamSeed(FSeed, TVxSimStream::Turn, monthIndex));
    const TVxTurnResult turn = FGame.NextMonth();
    if (turn.Refused)
        return std::nullopt;

    TVxSimMonth record = Snapshot(turn.TaxPaid);
    // The output lists bankruptcies by ID, not in the market's order.
    std::vector<int16_t> bankrupt = turn.Bankrupt;
    std::sort(bankrupt.begin(), bankrupt.end());
    for (const int16_t id : bankrupt)
        record.Events.push_back({TVxSimEventKind::Bankruptcy, id});
    if (turn.GameOver)
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
