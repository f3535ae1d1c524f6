#include "tests/support/ScriptedRandom.h"

#include <algorithm>
#include <stdexcept>

int32_t TScriptedRandom::Random(int32_t n) {
    Ranges.push_back(n);
    if (Draws.empty())
        return Neutral ? NeutralDraw(n) : std::min(Fallback, n - 1);
    const int32_t value = Draws.front();
    Draws.pop_front();
    if (value < 0 || value >= n)
        throw std::logic_error("scripted draw outside 0..n-1");
    return value;
}

void TScriptedRandom::AddCompany(int32_t r1, int32_t r2, int32_t r3) {
    Draws.insert(Draws.end(), {r1, r2, r3});
}

void TScriptedRandom::AddNeutralCompanies(int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        AddCompany(NeutralDraw(100), NeutralDraw(3), NeutralDraw(41));
}

int32_t TScriptedRandom::NeutralDraw(int32_t n) {
    return n == 3 ? 2 : n == 41 ? 20 : 0;
}
