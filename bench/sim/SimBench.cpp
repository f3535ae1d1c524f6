// The headless simulator: months per second of one game, the cost of a new
// game, and a study on one thread against two.  The floor is the game's
// own monthly turn with nothing traded: a simulated month cannot be cheaper.

#include "bench/sim/TurnFloor.h"
#include "game/VxGame.h"
#include "game/VxRandom.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimStudy.h"

#include <benchmark/benchmark.h>

#include <atomic>

namespace {

void BM_GameTurnOnly(benchmark::State& state) {
    MeasureTurnAlone(state);
}
BENCHMARK(BM_GameTurnOnly);

// One game played month after month by a strategy, with a fresh game (not
// timed) whenever one ends.  Items are simulated months.
void BM_SimMonth(benchmark::State& state, const char* strategy) {
    uint64_t seed = 1;
    auto game = std::make_unique<TVxSimGame>(seed, VxSimCreateStrategy(strategy));
    game->NewGame();
    for (auto _ : state) {
        if (game->Ended()) {
            state.PauseTiming();
            game = std::make_unique<TVxSimGame>(++seed, VxSimCreateStrategy(strategy));
            game->NewGame();
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(game->PlayMonth());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_SimMonth, idle, "idle");
BENCHMARK_CAPTURE(BM_SimMonth, random, "random");
BENCHMARK_CAPTURE(BM_SimMonth, trend, "trend");
BENCHMARK_CAPTURE(BM_SimMonth, value, "value");

// A new game: 1000 companies and their warm-up year of twelve turns.
void BM_SimNewGame(benchmark::State& state) {
    uint64_t seed = 1;
    for (auto _ : state) {
        TVxSimGame game(seed++, VxSimCreateStrategy("idle"));
        game.NewGame();
        benchmark::DoNotOptimize(game.Game().Money);
    }
}
BENCHMARK(BM_SimNewGame);

// A study of 16 trend games of 10 years on 1 and on 2 threads; wall-clock
// time, items are games.  Two threads should come close to twice the rate
// of one on two free cores.
void BM_SimStudy(benchmark::State& state) {
    TVxSimStudyOptions options;
    options.Strategy = "trend";
    options.Games = 16;
    options.Months = 120;
    options.Threads = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        std::atomic<int64_t> done{0};
        benchmark::DoNotOptimize(VxSimRunStudy(options, done));
    }
    state.SetItemsProcessed(state.iterations() * options.Games);
}
BENCHMARK(BM_SimStudy)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
