#include "game/VxSeed.h"

#include <charconv>
#include <random>

uint64_t VxMixSeed(uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

int64_t VxMonthIndex(int32_t year, int32_t month) {
    return int64_t{year} * 12 + month;
}

uint64_t VxStreamSeed(uint64_t seed, TVxDrawStream stream, int64_t monthIndex) {
    return VxMixSeed(VxMixSeed(VxMixSeed(seed) ^ static_cast<uint64_t>(stream)) ^
                     static_cast<uint64_t>(monthIndex));
}

uint64_t VxDrawSeed() {
    std::random_device entropy;
    const uint64_t bits = (uint64_t{entropy()} << 32) | entropy();
    return bits % VxDrawnSeedLimit;
}

std::optional<uint64_t> VxParseSeed(std::string_view text) {
    // from_chars takes no sign for an unsigned type, nor blanks, and fails
    // on a number out of range.
    uint64_t seed = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seed);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return seed;
}
