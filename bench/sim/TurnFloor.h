#pragma once

// The floor of the simulator's benchmarks: the game's own monthly turn with
// nothing traded, on a market that has had its warm-up year.  A simulated
// or served month cannot be cheaper.

#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxRandom.h"

#include <benchmark/benchmark.h>

inline void MeasureTurnAlone(benchmark::State& state) {
    TVxSeededRandom draws(1);
    TVxGame game;
    game.SetRandom(&draws);
    game.NewGame();
    for (auto _ : state) {
        game.Money = StartMoney; // never lose, nothing is held
        game.NextMonth();
    }
    state.SetItemsProcessed(state.iterations());
}
