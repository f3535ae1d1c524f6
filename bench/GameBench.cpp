// The game with its market of 1000 companies: one month, a new game, and
// saving and loading, beside the floor of a month: the same 3000 random
// draws and two sorts of 1000 pointers by a precomputed integer key.

#include "game/VxGame.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

// A game in play: holdings in every tenth company and cash that never runs
// out, so every month is played and nothing ends the game.
void StartGame(TVxGame& game, IVxRandom& random) {
    game.SetRandom(&random);
    game.NewGame();
    game.Money = INT32_MAX;
    for (int32_t i = 0; i < game.MarketList.Count(); i += 10) {
        TVxCompany& company = *game.MarketList.Items(i);
        company.MyStockCount = 10 * TradeLot;
        company.MyStockCost = company.StockPrice1000() * 10;
    }
    game.RebuildOwnerList();
}

// arg 0: the market sorted by ID (the default), arg 1: by price, dearest
// first, so that every month reorders it.  Production random source.
void BM_NextMonth(benchmark::State& state) {
    TVxGame game;
    TVxClockRandom random;
    StartGame(game, random);
    game.MarketList.SetSort(state.range(0) == 0 ? 0 : 1, state.range(0) != 0);
    game.OwnerList.SetSort(game.MarketList.SortColumn, game.MarketList.SortDown);
    for (auto _ : state) {
        game.NextMonth();
        game.Money = INT32_MAX;
    }
}
BENCHMARK(BM_NextMonth)->Arg(0)->Arg(1);

struct TKeyed {
    int64_t Key;
};

// What a month cannot do without: 3000 draws from the same kind of source
// and two sorts of 1000 pointers by a key that is already computed, from
// the order left by the month before (arg 0) or from a shuffled one (arg 1).
void BM_NextMonthFloor(benchmark::State& state) {
    TVxClockRandom random;
    IVxRandom& source = random;
    std::vector<TKeyed> records(1000);
    std::mt19937 engine(3);
    for (TKeyed& record : records)
        record.Key = static_cast<int64_t>(engine() % 10000000);
    std::vector<const TKeyed*> sorted;
    for (const TKeyed& record : records)
        sorted.push_back(&record);
    const auto byKey = [](const TKeyed* a, const TKeyed* b) {
        return a->Key < b->Key;
    };
    std::sort(sorted.begin(), sorted.end(), byKey);
    std::vector<const TKeyed*> shuffled = sorted;
    std::shuffle(shuffled.begin(), shuffled.end(), engine);
    const std::vector<const TKeyed*>& start = state.range(0) == 0 ? sorted : shuffled;
    std::vector<const TKeyed*> market, owner;
    for (auto _ : state) {
        source.Reseed();
        int32_t sum = 0;
        for (int i = 0; i < 1000; ++i)
            sum += source.Random(100) + source.Random(3) + source.Random(41);
        benchmark::DoNotOptimize(sum);
        market = start;
        std::sort(market.begin(), market.end(), byKey);
        owner = start;
        std::sort(owner.begin(), owner.end(), byKey);
        benchmark::DoNotOptimize(market.front());
        benchmark::DoNotOptimize(owner.front());
    }
}
BENCHMARK(BM_NextMonthFloor)->Arg(0)->Arg(1);

void BM_NewGame(benchmark::State& state) {
    TVxGame game;
    TVxSeededRandom random(1);
    game.SetRandom(&random);
    for (auto _ : state)
        game.NewGame();
}
BENCHMARK(BM_NewGame)->Unit(benchmark::kMicrosecond);

void BM_SaveToStream(benchmark::State& state) {
    TVxGame game;
    TVxSeededRandom random(2);
    StartGame(game, random);
    for (auto _ : state) {
        TVxWriteStream stream;
        game.SaveToStream(stream);
        benchmark::DoNotOptimize(stream.Bytes().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(TVxGame::SaveFileSize(1000)));
}
BENCHMARK(BM_SaveToStream);

void BM_LoadFromStream(benchmark::State& state) {
    TVxGame game;
    TVxSeededRandom random(3);
    StartGame(game, random);
    TVxWriteStream saved;
    game.SaveToStream(saved);
    for (auto _ : state) {
        TVxReadStream stream(saved.Bytes());
        game.LoadFromStream(stream);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(saved.Bytes().size()));
}
BENCHMARK(BM_LoadFromStream);

} // namespace
