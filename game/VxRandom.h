#pragma once

// The random source of the monthly turn.  Random(n) is uniform over
// 0..n-1.  Reseed() is called at the start of every turn: the production
// source reseeds from the clock, a seeded source ignores it so that a whole
// game can be replayed from its seed.

#include <cstdint>
#include <random>

class IVxRandom {
public:
    virtual ~IVxRandom() = default;
    virtual void Reseed() = 0;
    virtual int32_t Random(int32_t n) = 0;
};

// Uniform draws from a Mersenne Twister, without modulo bias and with the
// same sequence on every platform.
class TVxSeededRandom : public IVxRandom {
public:
    explicit TVxSeededRandom(uint64_t seed = 0) { Seed(seed); }

    void Seed(uint64_t seed) {
        FEngine.seed(static_cast<std::mt19937::result_type>(seed ^ (seed >> 32)));
    }
    void Reseed() override {}
    int32_t Random(int32_t n) override;

protected:
    std::mt19937 FEngine;
};

// Reseeds from the high-resolution clock at the start of every turn.
class TVxClockRandom : public TVxSeededRandom {
public:
    TVxClockRandom();
    void Reseed() override;
};
