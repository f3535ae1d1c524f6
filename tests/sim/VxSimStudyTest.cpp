// Monte-Carlo studies: games that depend on their seed alone, figures that
// do not depend on the number of threads, and the quantiles.

#include "sim/VxSimStudy.h"
#include "tests/sim/SimTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Study, FiguresDoNotDependOnTheNumberOfThreads) {
    const std::vector<std::string> args = {"study",      "--games", "12",       "--months", "120",
                                           "--strategy", "random",  "--format", "json"};
    std::vector<std::string> oneThread = args;
    oneThread.insert(oneThread.end(), {"--threads", "1"});
    std::vector<std::string> threeThreads = args;
    threeThreads.insert(threeThreads.end(), {"--threads", "3"});
    const TSimResult one = RunSim(oneThread);
    const TSimResult three = RunSim(threeThreads);
    ASSERT_EQ(one.Status, 0) << one.Err;
    EXPECT_EQ(one.Out, three.Out);
    EXPECT_EQ(one.Err, "");
}

TEST(Study, EachGameIsTheRunOfItsSeed) {
    TVxSimStudyOptions options;
    options.Strategy = "trend";
    options.FirstSeed = 40;
    options.Games = 4;
    options.Months = 36;
    options.Threads = 2;
    std::atomic<int64_t> done{0};
    const std::vector<TVxSimGameResult> results = VxSimRunStudy(options, done);
    EXPECT_EQ(done.load(), 4);
    ASSERT_EQ(results.size(), 4u);
    for (size_t i = 0; i < results.size(); ++i) {
        const TSimResult run = RunSim(
            {"run", "--seed", std::to_string(40 + i), "--months", "36", "--strategy", "trend"});
        const std::vector<std::string> lines = Lines(run.Out);
        EXPECT_EQ(results[i].Months, static_cast<int64_t>(lines.size() - 1));
        // The last line's cash plus value is the final fortune.
        const std::string& last = lines.back();
        const size_t cash = last.find(',', last.find(',') + 1) + 1;
        const size_t value = last.find(',', cash) + 1;
        EXPECT_EQ(results[i].Fortune,
                  std::stoll(last.substr(cash)) + std::stoll(last.substr(value)));
    }
}

TEST(Study, IdleGamesAreAllLostAfter101Months) {
    const TSimResult result =
        RunSim({"study", "--games", "3", "--months", "600", "--strategy", "idle", "--seed", "7"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "strategy idle: 3 games (seeds 7..9) of up to 600 months\n"
                          "won         0.0 %  (0)\n"
                          "lost      100.0 %  (3)\n"
                          "stuck       0.0 %  (0)\n"
                          "playing     0.0 %  (0)\n"
                          "final fortune (万円): min -30  p10 -30  p25 -30  median -30  "
                          "p75 -30  p90 -30  max -30\n"
                          "months to win: none\n");
    const TVxSimGameResult game = VxSimPlayGame("idle", 7, 600);
    EXPECT_EQ(game.Outcome, TVxSimOutcome::Lost);
    EXPECT_EQ(game.Months, 101);
}

TEST(Study, GamesCutShortAreStillPlaying) {
    const TVxSimGameResult game = VxSimPlayGame("idle", 7, 50);
    EXPECT_EQ(game.Outcome, TVxSimOutcome::Playing);
    EXPECT_EQ(game.Months, 50);
    EXPECT_EQ(game.Fortune, 3000 - 50 * 30);
}

TEST(Study, UnknownStrategyIsRefused) {
    std::atomic<int64_t> done{0};
    TVxSimStudyOptions options;
    options.Strategy = "lucky";
    options.Games = 2;
    EXPECT_THROW(VxSimRunStudy(options, done), std::invalid_argument);
}

struct TQuantileCase {
    std::vector<int64_t> Values;
    double Q;
    int64_t Expected;
};

void PrintTo(const TQuantileCase& quantile, std::ostream* out) {
    *out << "q" << quantile.Q << " of";
    for (const int64_t value : quantile.Values)
        *out << ' ' << value;
}

class Quantile : public testing::TestWithParam<TQuantileCase> {};

TEST_P(Quantile, NearestRank) {
    std::vector<int64_t> values = GetParam().Values;
    EXPECT_EQ(VxSimQuantile(values, GetParam().Q), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Quantile,
                         testing::Values(TQuantileCase{{5}, 0.0, 5}, TQuantileCase{{5}, 1.0, 5},
                                         TQuantileCase{{3, 1, 2}, 0.0, 1},
                                         TQuantileCase{{3, 1, 2}, 0.5, 2},
                                         TQuantileCase{{3, 1, 2}, 1.0, 3},
                                         TQuantileCase{{4, 3, 2, 1}, 0.5, 2},
                                         TQuantileCase{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0.1, 1},
                                         TQuantileCase{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0.25, 3},
                                         TQuantileCase{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0.9, 9},
                                         TQuantileCase{{-7, 10, -30}, 0.5, -7}));

} // namespace
