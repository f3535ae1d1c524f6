#include "game/VxRandom.h"

#include <chrono>

int32_t TVxSeededRandom::Random(int32_t n) {
    if (n <= 1)
        return 0;
    // Reject the top partial block of the 32-bit range so every value of
    // 0..n-1 is equally likely.
    const uint32_t range = static_cast<uint32_t>(n);
    const uint32_t limit = UINT32_MAX - (UINT32_MAX % range + 1) % range;
    uint32_t x;
    do {
        x = static_cast<uint32_t>(FEngine());
    } while (x > limit);
    return static_cast<int32_t>(x % range);
}

TVxClockRandom::TVxClockRandom() {
    Reseed();
}

void TVxClockRandom::Reseed() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Seed(static_cast<uint64_t>(ticks));
}
