#include "sim/VxSimGame.h"

#include "game/VxSeed.h"

#include <algorithm>
#include <utility>
#include <vector>

TVxSimGame::TVxSimGame(uint64_t seed, std::unique_ptr<TVxSimStrategy> strategy)
    : FStrategy(std::move(strategy)) {
    FGame.SetSeed(seed);
}

void TVxSimGame::NewGame() {
    FGame.NewGame();
    FStuck = false;
}

void TVxSimGame::Load(const std::string& fileName, bool historySeed) {
    const uint64_t given = Seed();
    FGame.LoadFromFile(fileName);
    // The loaded game draws from its history's seed, where it has one; the
    // given one wins unless the history's is asked for, and the history
    // notes a change.
    if (!historySeed)
        FGame.SetSeed(given);
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

TVxSimTurn TVxSimGame::PlayTurn() {
    const TVxTurnResult turn = FGame.NextMonth();
    TVxSimTurn played;
    played.Refused = turn.Refused;
    if (turn.Refused)
        return played;

    played.Month = Snapshot(turn.TaxPaid);
    // The output lists bankruptcies by ID, not in the market's order.
    std::vector<int16_t> bankrupt = turn.Bankrupt;
    std::sort(bankrupt.begin(), bankrupt.end());
    for (const int16_t id : bankrupt)
        played.Month.Events.push_back({TVxSimEventKind::Bankruptcy, id});
    if (turn.GameOver)
        played.Month.Events.push_back({TVxSimEventKind::GameOver});
    played.Restarted = turn.Restarted;
    std::sort(played.Restarted.begin(), played.Restarted.end());
    return played;
}

TVxSimMonth TVxSimGame::PlayMonth() {
    const int64_t monthIndex = VxMonthIndex(FGame.Year, FGame.Month);
    FStrategyDraws.Seed(VxStreamSeed(Seed(), TVxDrawStream::Strategy, monthIndex));
    {
        TVxSimTrader trader(FGame, FStrategyDraws);
        FStrategy->Trade(trader);
    }
    std::vector<TVxSimEvent> events;
    while (!FGame.GameEnd) {
        TVxSimTurn turn = PlayTurn();
        if (!turn.Refused) {
            turn.Month.Events.insert(turn.Month.Events.begin(), events.begin(), events.end());
            return turn.Month;
        }
        events = {{TVxSimEventKind::Refused}};
        TVxSimTrader seller(FGame, FStrategyDraws);
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
