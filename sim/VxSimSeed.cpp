#include "sim/VxSimSeed.h"

#include <random>

namespace {

// SplitMix64's finaliser: a bijection of 64-bit values whose output bits
// each depend on every input bit, so neighbouring months and seeds give
// unrelated streams.
uint64_t Mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

} // namespace

int64_t VxSimMonthIndex(int32_t year, int32_t month) {
    return int64_t{year} * 12 + month;
}

uint64_t VxSimStreamSeed(uint64_t seed, TVxSimStream stream, int64_t monthIndex) {
    return Mix(Mix(Mix(seed) ^ static_cast<uint64_t>(stream)) ^ static_cast<uint64_t>(monthIndex));
}

uint64_t VxSimDrawSeed() {
    std::random_device source;
    const uint64_t bits = uint64_t{source()} << 32 | source();
    return bits % VxSimDrawnSeedLimit;
}
