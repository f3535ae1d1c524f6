#pragma once

// A market to build situations in: every company at 1000 yen for a whole
// year with a trend of 0, in ID order, nothing held, the first month of
// the first year with 3000万 of cash.  The game draws from a scripted
// source that leaves every company as it is unless a test scripts its
// draws, and tells its events to a recording sink.  Tests then shape
// the few companies they need.
//
//     TQuietMarket market;               // on a game of its own
//     TQuietMarket market(game);         // on a game made elsewhere
//     Hold(market.Game, market.Company(5), 1000, 110);
//     market.Draws.AddCompany(99, 2, 20);

#include "game/VxGame.h"
#include "tests/support/GameState.h"
#include "tests/support/RecordingEvents.h"
#include "tests/support/ScriptedRandom.h"

#include <cstdint>
#include <initializer_list>
#include <memory>

class TQuietMarket {
    // Declared first: `Game` may refer to it.
    std::unique_ptr<TVxGame> FOwnGame;

public:
    TQuietMarket();
    explicit TQuietMarket(TVxGame& game);
    // Takes the draws and the sinks away from the game again where it
    // still has them.
    ~TQuietMarket();
    TQuietMarket(const TQuietMarket&) = delete;
    TQuietMarket& operator=(const TQuietMarket&) = delete;

    // Back to the quiet market with nothing drawn or recorded, for tests
    // that walk a table of cases.  Sort settings are kept.
    void Restart();

    TVxCompany& Company(int16_t id) const { return ::CompanyByID(Game, id); }
    // Pushes `prices` as the latest months of company `id`; the earlier
    // months keep 1000.
    TVxCompany& Prices(int16_t id, std::initializer_list<int32_t> prices) const;

    TVxGame& Game;
    TScriptedRandom Draws;
    TRecordingEvents Events;
};
