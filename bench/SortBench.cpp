// Sorting the market of 1000 companies by every key in both directions,
// beside a floor: std::sort of 1000 pointers by a precomputed integer key.
// Every run starts from the same shuffled order, copied in first (the copy
// is part of both measurements).

#include "game/VxCompanyList.h"
#include "game/VxGame.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

// A market list whose order the benchmark can set directly.
class TBenchList : public TVxCompanyList {
public:
    TBenchList() : TVxCompanyList(false) {}
    void SetOrder(const std::vector<TVxCompany*>& order) { FItems = order; }
};

// A played market: a year of moves after the warm-up, a holding in every
// third company, in a fixed shuffled order.
struct TMarket {
    TVxGame Game;
    std::vector<TVxCompany*> Shuffled;

    TMarket() {
        TVxSeededRandom random(77);
        Game.SetRandom(&random);
        Game.NewGame();
        Game.Money = INT32_MAX;
        for (int month = 0; month < 12; ++month)
            Game.NextMonth();
        Game.SetRandom(nullptr);
        for (int32_t i = 0; i < Game.MarketList.Count(); ++i) {
            TVxCompany* company = Game.MarketList.Items(i);
            if (i % 3 == 0) {
                company->MyStockCount = (i % 100 + 1) * TradeLot;
                company->MyStockCost = company->StockPrice1000() * (i % 100 + 1);
            }
            Shuffled.push_back(company);
        }
        std::shuffle(Shuffled.begin(), Shuffled.end(), std::mt19937(5));
    }
};

const TMarket& Market() {
    static const TMarket market;
    return market;
}

void BM_SortMarket(benchmark::State& state) {
    const auto key = static_cast<int32_t>(state.range(0));
    const bool down = state.range(1) != 0;
    TBenchList list;
    list.SortColumn = key;
    list.SortDown = down;
    for (auto _ : state) {
        list.SetOrder(Market().Shuffled);
        list.Sort();
        benchmark::DoNotOptimize(list.Items(0));
    }
}
BENCHMARK(BM_SortMarket)->ArgsProduct({benchmark::CreateDenseRange(0, 9, 1), {0, 1}});

struct TKeyed {
    int64_t Key;
};

// The floor: the same shuffled order of 1000 pointers, sorted by an integer
// key that is already at hand (arg 0: the IDs, arg 1: the prices).
void BM_SortFloor(benchmark::State& state) {
    std::vector<TKeyed> records;
    records.reserve(Market().Shuffled.size());
    for (const TVxCompany* company : Market().Shuffled)
        records.push_back({state.range(0) == 0 ? company->ID : company->StockPrice()});
    std::vector<const TKeyed*> shuffled;
    for (const TKeyed& record : records)
        shuffled.push_back(&record);
    std::vector<const TKeyed*> items;
    for (auto _ : state) {
        items = shuffled;
        std::sort(items.begin(), items.end(),
                  [](const TKeyed* a, const TKeyed* b) { return a->Key < b->Key; });
        benchmark::DoNotOptimize(items.front());
    }
}
BENCHMARK(BM_SortFloor)->Arg(0)->Arg(1);

} // namespace
