#include "sim/VxSimEnv.h"

#include "game/VxConsts.h"
#include "game/VxSeed.h"
#include "sim/VxSimAnswers.h"
#include "sim/VxSimEventText.h"

#include <algorithm>
#include <stdexcept>
#include <string>

uint64_t VxSimNextSeed(uint64_t seed) {
    return VxMixSeed(seed) % VxDrawnSeedLimit;
}

TVxSimEnv::TVxSimEnv(const TVxSimArrays::TStorage& storage) : FArrays(storage) {}

void TVxSimEnv::Reset(std::optional<uint64_t> seed, std::optional<int64_t> maxMonths) {
    if (!seed)
        seed = FGame ? VxSimNextSeed(Seed()) : VxDrawSeed();
    auto game = std::make_unique<TVxSimGame>(*seed);
    game->NewGame();
    FById = VxSimCompaniesById(game->Game());
    FGame = std::move(game);
    FMaxMonths = maxMonths;
    FEnded = false;
    FArrays.Refresh(FGame->Game(), FById, true);
}

TVxSimEnvStep TVxSimEnv::Step(std::span<const int64_t> action, std::span<int32_t> filled) {
    if (!FGame)
        throw std::logic_error("the environment is stepped before its first reset");
    if (action.size() != FById.size() || filled.size() != FById.size())
        throw std::length_error("an action has one lot count for each of the " +
                                std::to_string(FById.size()) + " companies");
    std::ranges::fill(filled, 0);
    TVxSimEnvStep step;
    if (FEnded) {
        Reset(std::nullopt, FMaxMonths);
        step.Restarted = true;
        return step;
    }
    TVxGame& game = FGame->Game();
    const int64_t before = Total();
    if (std::ranges::any_of(action, [](int64_t lots) { return lots != 0; })) {
        Settle(TVxSimSide::Sell, action, filled);
        Settle(TVxSimSide::Buy, action, filled);
    }
    // A sale that reaches the goal ends the game before its month.
    const bool playing = !game.GameEnd;
    if (playing)
        step.Refused = FGame->PlayTurn().Refused;
    FArrays.Refresh(game, FById, playing && !step.Refused);
    step.Reward = static_cast<double>(Total() - before);
    step.Terminated = game.Outcome().Ended();
    step.Truncated = !step.Terminated && FMaxMonths && Months() >= *FMaxMonths;
    FEnded = step.Terminated || step.Truncated;
    return step;
}

void TVxSimEnv::Settle(TVxSimSide side, std::span<const int64_t> action,
                       std::span<int32_t> filled) {
    TVxGame& game = FGame->Game();
    const bool buy = side == TVxSimSide::Buy;
    for (size_t id = 0; id < action.size(); ++id) {
        // No game settles more than 32 bits of lots.
        const auto wanted =
            static_cast<int32_t>(std::clamp<int64_t>(action[id], -INT32_MAX, INT32_MAX));
        const int32_t order = buy ? wanted : -wanted;
        if (order <= 0)
            continue;
        TVxCompany& company = *FById[id];
        const int32_t lots = VxSimLotsOpen(game, company, side, order);
        if (lots == 0)
            continue;
        const TVxTradeResult result = buy ? game.Buy(company, lots) : game.Sell(company, lots);
        if (!result.Settled())
            throw std::logic_error("an offered trade was refused: " + VxSimRefusalMessage(result));
        filled[id] = buy ? lots : -lots;
    }
}
