// The game as an environment: one step with no orders against its floor,
// the served game's own turn (seeded, as every environment's game is), the
// arrays by ID brought up to date alone, and a batch of games on one
// thread against two.  Games are played from their first month for 100
// months (an idle game is lost in its 101st), a new one started untimed.

#include "game/VxConsts.h"
#include "sim/VxSimAnswers.h"
#include "sim/VxSimArrays.h"
#include "sim/VxSimBatch.h"
#include "sim/VxSimEnv.h"
#include "sim/VxSimGame.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int MonthsPerGame = 100;

// The floor: the turn of a seeded game, nothing held or traded.
void BM_EnvFloorTurn(benchmark::State& state) {
    uint64_t seed = 1;
    auto game = std::make_unique<TVxSimGame>(seed);
    game->NewGame();
    int month = 0;
    for (auto _ : state) {
        if (month++ == MonthsPerGame) {
            state.PauseTiming();
            game = std::make_unique<TVxSimGame>(++seed);
            game->NewGame();
            month = 1;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(game->PlayTurn());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EnvFloorTurn);

// One environment step with an action of no orders: the action read, the
// turn, the arrays renewed.
void BM_EnvStepNoOrders(benchmark::State& state) {
    TVxSimArrayStore store(1);
    TVxSimEnv env(store.Slice(0));
    const std::vector<int64_t> action(CompanyCount, 0);
    std::vector<int32_t> filled(CompanyCount);
    uint64_t seed = 1;
    env.Reset(seed, std::nullopt);
    int month = 0;
    for (auto _ : state) {
        if (month++ == MonthsPerGame) {
            state.PauseTiming();
            env.Reset(++seed, std::nullopt);
            month = 1;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(env.Step(action, filled));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EnvStepNoOrders);

// The arrays by ID renewed alone, prices and largest offers, on a game a
// year in with holdings.
void BM_EnvArraysRefresh(benchmark::State& state) {
    TVxSimGame game(3);
    game.NewGame();
    TVxGame& model = game.Game();
    const std::vector<TVxCompany*> byId = VxSimCompaniesById(model);
    for (int16_t id = 0; id < 50; ++id)
        model.Buy(*byId[static_cast<size_t>(id * 20)], 1);
    TVxSimArrayStore store(1);
    TVxSimArrays arrays(store.Slice(0));
    for (auto _ : state) {
        arrays.Refresh(model, byId, state.range(0) != 0);
        benchmark::DoNotOptimize(store.BuyMax.data());
    }
}
BENCHMARK(BM_EnvArraysRefresh)->Arg(0)->Arg(1);

// A step of 32 games with no orders on 1 and on 2 threads, wall-clock
// time; items are game months.  Games lost in the 101st month start again
// within the step that follows, as they do in use.
void BM_EnvBatchStep(benchmark::State& state) {
    constexpr size_t Games = 32;
    TVxSimBatch batch(Games, static_cast<int32_t>(state.range(0)));
    std::vector<std::optional<uint64_t>> seeds;
    for (size_t g = 0; g < Games; ++g)
        seeds.emplace_back(g + 1);
    batch.Reset(seeds, std::nullopt);
    const std::vector<int64_t> actions(Games * CompanyCount, 0);
    for (auto _ : state)
        batch.Step(actions);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(Games));
}
BENCHMARK(BM_EnvBatchStep)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace
