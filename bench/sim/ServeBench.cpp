// The served game: a month driven in-process by a scripted bot (its request
// lines read, one trade, the month, the answers written) against its
// floor, the game's own turn alone; and the answer to `state`, the whole
// game as one line.

#include "bench/sim/TurnFloor.h"
#include "game/VxGame.h"
#include "game/VxRandom.h"
#include "sim/VxSimServer.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

void BM_ServeFloorTurnOnly(benchmark::State& state) {
    MeasureTurnAlone(state);
}
BENCHMARK(BM_ServeFloorTurnOnly);

// A new served game, its server and the bot's request lines.
struct TServedGame {
    explicit TServedGame(uint64_t seed) : Game(seed) {
        Game.NewGame();
        Server = std::make_unique<TVxSimServer>(Game);
    }
    TVxSimGame Game;
    std::unique_ptr<TVxSimServer> Server;
};

std::string TradeLine(int64_t month) {
    // Buys one lot of a company one month and sells it the next.
    const int64_t id = (month / 2 * 37) % 1000;
    return std::string(month % 2 == 0 ? R"({"cmd":"buy","id":)" : R"({"cmd":"sell","id":)") +
           std::to_string(id) + R"(,"lots":1})";
}

// Items are served months: the trade's request and answer, then the next
// month's.  A game that ends is replaced, untimed.
void BM_ServedMonth(benchmark::State& state) {
    uint64_t seed = 1;
    auto served = std::make_unique<TServedGame>(seed);
    int64_t month = 0;
    std::vector<std::string> trades;
    for (int64_t m = 0; m < 2000; ++m)
        trades.push_back(TradeLine(m));
    size_t bytes = 0;
    for (auto _ : state) {
        if (served->Game.Game().GameEnd) {
            state.PauseTiming();
            served = std::make_unique<TServedGame>(++seed);
            month = 0;
            state.ResumeTiming();
        }
        bytes += served->Server->Answer(trades[static_cast<size_t>(month % 2000)]).size();
        bytes += served->Server->Answer(R"({"cmd":"next"})").size();
        ++month;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_ServedMonth);

// The whole game as one answer: 1000 companies with twelve prices each.
void BM_ServedStateAnswer(benchmark::State& state) {
    TServedGame served(1);
    size_t bytes = 0;
    for (auto _ : state)
        bytes += served.Server->Answer(R"({"cmd":"state"})").size();
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_ServedStateAnswer);

} // namespace
