#pragma once

// A random source for tests: plays back scripted draws and records the
// range of every draw, so a test decides every price and trend of a turn.

#include "game/VxRandom.h"

#include <cstdint>
#include <deque>
#include <vector>

// Once the script is used up every draw is `Fallback` (clamped to the
// range asked for), or with `Neutral` the draw that leaves a company as it
// was.  A scripted draw outside the range asked for throws
// std::logic_error: the script no longer matches the turn.
class TScriptedRandom : public IVxRandom {
public:
    std::deque<int32_t> Draws;
    int32_t Fallback = 0;
    bool Neutral = false;
    int Reseeds = 0;
    std::vector<int32_t> Ranges;

    void Reseed() override { ++Reseeds; }
    int32_t Random(int32_t n) override;

    // The month's draws of one company: r1 of Random(100), r2 of Random(3),
    // r3 of Random(41).
    void AddCompany(int32_t r1, int32_t r2, int32_t r3);
    // Draws that leave `count` companies as they are.
    void AddNeutralCompanies(int32_t count);

    // No move from the trend (r1 0), no drift (r2 2), no trend step (r3 20).
    static int32_t NeutralDraw(int32_t n);
};
