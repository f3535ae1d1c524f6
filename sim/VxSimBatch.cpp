#include "sim/VxSimBatch.h"

#include "game/VxConsts.h"

#include <stdexcept>
#include <string>

TVxSimBatch::TVxSimBatch(size_t games, int32_t threads)
    : Rewards(games), Terminated(games), Truncated(games), Refused(games), Restarted(games),
      Filled(games * CompanyCount), Seeds(games), Months(games), FArrays(games), FWorkers(threads) {
    FEnvs.reserve(games);
    for (size_t g = 0; g < games; ++g)
        FEnvs.emplace_back(FArrays.Slice(g));
}

void TVxSimBatch::Reset(const std::vector<std::optional<uint64_t>>& seeds,
                        std::optional<int64_t> maxMonths) {
    if (seeds.size() != FEnvs.size())
        throw std::length_error(std::to_string(seeds.size()) + " seeds for " +
                                std::to_string(FEnvs.size()) + " games");
    FWorkers.Run(FEnvs.size(), [&](size_t g) {
        FEnvs[g].Reset(seeds[g], maxMonths);
        std::fill_n(Filled.begin() + static_cast<std::ptrdiff_t>(g * CompanyCount), CompanyCount,
                    0);
        Record(g, {});
    });
}

void TVxSimBatch::Step(std::span<const int64_t> actions) {
    if (actions.size() != FEnvs.size() * CompanyCount)
        throw std::length_error("the actions have one lot count for each company of each of the " +
                                std::to_string(FEnvs.size()) + " games");
    FWorkers.Run(FEnvs.size(), [&](size_t g) {
        const size_t first = g * CompanyCount;
        Record(g, FEnvs[g].Step(actions.subspan(first, CompanyCount),
                                std::span(Filled).subspan(first, CompanyCount)));
    });
}

void TVxSimBatch::Record(size_t game, const TVxSimEnvStep& step) {
    Rewards[game] = step.Reward;
    Terminated[game] = step.Terminated;
    Truncated[game] = step.Truncated;
    Refused[game] = step.Refused;
    Restarted[game] = step.Restarted;
    Seeds[game] = FEnvs[game].Seed();
    Months[game] = FEnvs[game].Months();
}
