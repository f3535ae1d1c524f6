// `run` of every strategy held still: seed 7 for 120 months, compared whole
// with the output recorded in tests/sim/golden/<strategy>.csv.  A change of
// the monthly turn, of the trade arithmetic or of a strategy shows here as
// the first line that differs.  A change that is meant to play the games
// differently records them again:
//
//     for s in idle random trend value; do
//         build/sim/ridolt-sim run --seed 7 --months 120 --strategy $s >tests/sim/golden/$s.csv
//     done

#include "sim/VxSimStrategy.h"
#include "tests/sim/SimTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> StrategyNames() {
    std::vector<std::string> names;
    for (const TVxSimStrategyInfo& info : VxSimStrategies())
        names.push_back(info.Name);
    return names;
}

std::optional<size_t> FirstDifference(const std::vector<std::string>& a,
                                      const std::vector<std::string>& b) {
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i)
        if (i >= a.size() || i >= b.size() || a[i] != b[i])
            return i;
    return std::nullopt;
}

std::string LineOrEnd(const std::vector<std::string>& lines, size_t index) {
    return index < lines.size() ? lines[index] : "(no more lines)";
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, RunPlaysAsRecorded) {
    const std::string name = "tests/sim/golden/" + GetParam() + ".csv";
    std::ifstream in(std::string(RIDOLT_SOURCE_DIR) + "/" + name, std::ios::binary);
    ASSERT_TRUE(in) << name << " is missing: record it as the comment above this test says";
    const std::string recorded{std::istreambuf_iterator<char>(in), {}};

    const TSimResult run = RunSim(RunArgs(GetParam(), 7, 120));
    ASSERT_EQ(run.Status, 0) << run.Err;

    const std::vector<std::string> was = Lines(recorded);
    const std::vector<std::string> now = Lines(run.Out);
    if (const std::optional<size_t> line = FirstDifference(was, now))
        FAIL() << name << ":" << *line + 1 << ": the run no longer plays as recorded\n"
               << "  recorded: " << LineOrEnd(was, *line) << "\n"
               << "  now:      " << LineOrEnd(now, *line);
    EXPECT_EQ(run.Out, recorded) << name << ": same lines, different line ends";
}

INSTANTIATE_TEST_SUITE_P(Strategies, Golden, testing::ValuesIn(StrategyNames()),
                         [](const testing::TestParamInfo<std::string>& strategy) {
                             return strategy.param;
                         });

} // namespace
