#include "ui/assets/VxTrendBot.h"

#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxSeed.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimStrategy.h"

#include <algorithm>

TVxTrendBot::TVxTrendBot() = default;
TVxTrendBot::~TVxTrendBot() = default;

void TVxTrendBot::CatchUp(uint64_t seed, size_t months) {
    if (FSeed != seed) {
        FSeed = seed;
        FGame = std::make_unique<TVxSimGame>(seed, VxSimCreateStrategy("trend"));
        FGame->NewGame();
        FFortunes.clear();
    }
    // A month is over once the trades of the next have been played: the
    // game's history writes a month when the turn leads into it and keeps
    // it up to date with the trades in it, as the player's does.
    const std::vector<TVxHistoryMonth>& history = FGame->Game().History().Months();
    while (history.size() <= months && !FGame->Ended())
        FGame->PlayMonth();
    // The month the game stands in is over too once the game has ended.
    const size_t over = FGame->Ended() ? history.size() : history.size() - 1;
    for (size_t month = FFortunes.size(); month < std::min(over, months); ++month)
        FFortunes.push_back(history[month].Total());
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
    return Ended() && FGame->Game().Outcome().Outcome == TVxGameOutcome::Won;
}
