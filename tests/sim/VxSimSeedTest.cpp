// Seeds: the ones drawn for a game given none stay below 2^53, where every
// JSON reader holds them exactly; a given seed may use all 64 bits.

#include "game/VxSeed.h"

#include "tests/sim/SimTestSupport.h"
#include "tests/support/ScratchDir.h"

#include <rapidjson/document.h>

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(SimSeed, DrawnSeedsAreBelow2To53AndDiffer) {
    std::set<uint64_t> seeds;
    uint64_t highBits = 0;
    for (int i = 0; i < 200; ++i) {
        const uint64_t seed = VxDrawSeed();
        EXPECT_LT(seed, uint64_t{1} << 53);
        // A double holds it: read as one and back, it is the same number.
        EXPECT_EQ(static_cast<uint64_t>(static_cast<double>(seed)), seed);
        seeds.insert(seed);
        highBits |= seed;
    }
    EXPECT_EQ(seeds.size(), 200u);
    EXPECT_GE(highBits, uint64_t{1} << 52) << "the seeds use their 53 bits";
}

uint64_t HelloSeed(const std::string& out) {
    const std::string line = out.substr(0, out.find('\n'));
    const rapidjson::Document hello = Parsed(line);
    EXPECT_TRUE(hello.IsObject() && hello.HasMember("hello")) << line;
    return hello["hello"]["seed"].GetUint64();
}

TEST(SimSeed, ServeWithoutASeedTellsADrawnOne) {
    const TSimResult served = RunSim({"serve"});
    ASSERT_EQ(served.Status, VxSimExitOk) << served.Err;
    EXPECT_LT(HelloSeed(served.Out), uint64_t{1} << 53);
}

// The largest seed: served, recorded and replayed, and played by run.
TEST(SimSeed, GivenSeedMayUseAll64Bits) {
    const TScratchDir dir;
    const std::string largest = "18446744073709551615";
    const std::string record = dir.File("session.rec");
    const TSimResult served =
        RunSim({"serve", "--seed", largest, "--record", record}, "{\"cmd\":\"next\"}\n");
    ASSERT_EQ(served.Status, VxSimExitOk) << served.Err;
    EXPECT_EQ(HelloSeed(served.Out), UINT64_MAX);
    const TSimResult replayed = RunSim({"replay", record});
    EXPECT_EQ(replayed.Status, VxSimExitOk) << replayed.Err;
    EXPECT_EQ(replayed.Out, "replay: all 2 answers are the same\n");
    const TSimResult run =
        RunSim({"run", "--seed", largest, "--months", "2", "--strategy", "trend"});
    EXPECT_EQ(run.Status, VxSimExitOk);
    EXPECT_EQ(Lines(run.Out).size(), 3u);
}

} // namespace
