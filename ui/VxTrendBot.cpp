#include "ui/VxTrendBot.h"

#include "game/VxConsts.h"
#include "game/VxSeed.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimStrategy.h"

TVxTrendBot::TVxTrendBot() = default;
TVxTrendBot::~TVxTrendBot() = default;

void TVxTrendBot::CatchUp(uint64_t seed, size_t months) {
    if (FSeed != seed) {
        FSeed = seed;
        FGame = std::make_unique<TVxSimGame>(seed, VxSimCreateStrategy("trend"));
        FGame->NewGame();
        FFortunes.assign(1, FGame->Fortune());
    }
    while (FFortunes.size() < months && !FGame->Ended()) {
        FGame->PlayMonth();
        // A month won by a sale, or stuck, ends before its turn: the game
        // stays in the month it was in.
        const TVxGame& game = FGame->Game();
        if (VxMonthIndex(game.Year, game.Month) < static_cast<int64_t>(FFortunes.size()))
            FFortunes.back() = FGame->Fortune();
        else
            FFortunes.push_back(FGame->Fortune());
    }
}

void TVxTrendBot::Clear() {
    FSeed.reset();
    FGame.reset();
    FFortunes.clear();
}

bool TVxTrendBot::Ended() const {
    return FGame && FGame->Ended();
}

bool TVxTrendBot::Won() const {
    return Ended() && FGame->Game().Money >= GoalMoney;
}
