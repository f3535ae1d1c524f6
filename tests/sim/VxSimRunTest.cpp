// `run` through the command line: replays, the idle game's end, continuing
// a saved game, and wrong command lines.

#include "game/VxGameHistoryFile.h"
#include "tests/sim/SimTestSupport.h"
#include "tests/support/Files.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>

namespace {

bool EndsGame(const std::string& line) {
    return line.find("game_over") != std::string::npos ||
           line.find("game_clear") != std::string::npos || line.find("stuck") != std::string::npos;
}

class RunPerStrategy : public testing::TestWithParam<const char*> {};

TEST_P(RunPerStrategy, SameSeedPlaysTheSameGame) {
    const TSimResult first = RunSim(RunArgs(GetParam(), 42, 240));
    const TSimResult second = RunSim(RunArgs(GetParam(), 42, 240));
    ASSERT_EQ(first.Status, 0) << first.Err;
    EXPECT_GT(Lines(first.Out).size(), 30u);
    EXPECT_EQ(first.Out, second.Out);
}

// Saved after 11 months the game continues from a December, so the first
// continued turn takes the year's tax.
TEST_P(RunPerStrategy, ContinuedFromASaveFileAsIfNeverStopped) {
    const TScratchDir dir;
    const std::string file = dir.File("part.sav");
    const TSimResult whole = RunSim(RunArgs(GetParam(), 7, 60, "jsonl"));
    std::vector<std::string> args = RunArgs(GetParam(), 7, 11, "jsonl");
    args.insert(args.end(), {"--save", file});
    const TSimResult first = RunSim(args);
    args = RunArgs(GetParam(), 7, 49, "jsonl");
    args.insert(args.end(), {"--load", file});
    const TSimResult rest = RunSim(args);

    ASSERT_EQ(first.Status, 0) << first.Err;
    ASSERT_EQ(rest.Status, 0) << rest.Err;
    const std::vector<std::string> firstLines = Lines(first.Out);
    ASSERT_EQ(firstLines.size(), 11u);
    ASSERT_FALSE(EndsGame(firstLines.back())) << "the game must still run when it is saved";
    EXPECT_NE(firstLines.back().find("\"month\":12"), std::string::npos) << firstLines.back();
    EXPECT_EQ(first.Out + rest.Out, whole.Out);
}

INSTANTIATE_TEST_SUITE_P(Strategies, RunPerStrategy,
                         testing::Values("idle", "random", "trend", "value"));

TEST(Run, DifferentSeedsPlayDifferentGames) {
    EXPECT_NE(RunSim(RunArgs("random", 1, 24)).Out, RunSim(RunArgs("random", 2, 24)).Out);
}

// 3000 - 100 x 30 is exactly 0, which is not yet lost; the 101st month
// takes the cash below 0.
TEST(Run, IdleGameIsLostInThe101stMonth) {
    const TSimResult result = RunSim(RunArgs("idle", 3, 500));
    ASSERT_EQ(result.Status, 0) << result.Err;
    const std::vector<std::string> lines = Lines(result.Out);
    ASSERT_EQ(lines.size(), 102u);
    EXPECT_EQ(lines[0], "year,month,cash,value,held,tax,events");
    for (int month = 1; month <= 100; ++month) {
        const int shown = month % 12;
        const std::string expected = std::to_string(month / 12 + 1) + "," +
                                     std::to_string(shown + 1) + "," +
                                     std::to_string(3000 - 30 * month) + ",0,0,0,";
        ASSERT_EQ(lines[static_cast<size_t>(month)], expected);
    }
    EXPECT_EQ(lines[101], "9,6,-30,0,0,0,game_over");
}

TEST(Run, MonthsZeroWritesTheNewGameUnplayed) {
    const TScratchDir dir;
    const TSimResult result = RunSim({"run", "--seed", "1", "--months", "0", "--strategy", "trend",
                                      "--save", dir.File("new.sav")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "year,month,cash,value,held,tax,events\n");
    const TSimResult shown = RunSim({"inspect", dir.File("new.sav")});
    EXPECT_NE(shown.Out.find("\"cash\": 3000,"), std::string::npos);
}

struct TBadCommand {
    std::vector<std::string> Args;
    const char* Message;
};

void PrintTo(const TBadCommand& command, std::ostream* out) {
    *out << "ridolt-sim";
    for (const std::string& arg : command.Args)
        *out << ' ' << arg;
}

class RunRefuses : public testing::TestWithParam<TBadCommand> {};

TEST_P(RunRefuses, WrongCommandLineWithStatus2AndUsage) {
    const TSimResult result = RunSim(GetParam().Args);
    EXPECT_EQ(result.Status, VxSimExitUsage);
    EXPECT_EQ(result.Out, "");
    EXPECT_NE(result.Err.find(GetParam().Message), std::string::npos) << result.Err;
    EXPECT_NE(result.Err.find("usage: ridolt-sim"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunRefuses,
    testing::Values(
        TBadCommand{{}, "no command"}, TBadCommand{{"walk"}, "unknown command \"walk\""},
        TBadCommand{{"run", "--months", "5", "--strategy", "idle"}, "--seed is required"},
        TBadCommand{{"run", "--seed", "1", "--strategy", "idle"}, "--months is required"},
        TBadCommand{{"run", "--seed", "1", "--months", "5"}, "--strategy is required"},
        TBadCommand{{"run", "--seed", "-1", "--months", "5", "--strategy", "idle"},
                    "--seed must be a whole number"},
        TBadCommand{
            {"run", "--seed", "18446744073709551616", "--months", "5", "--strategy", "idle"},
            "--seed must be a whole number"},
        TBadCommand{{"run", "--seed", "1", "--months", "5x", "--strategy", "idle"},
                    "--months must be a whole number from 0 to 2147483647, not \"5x\""},
        TBadCommand{{"run", "--seed", "1", "--months", "-3", "--strategy", "idle"},
                    "--months must be"},
        TBadCommand{{"run", "--seed", "1", "--months", "5", "--strategy", "greedy"},
                    "unknown strategy \"greedy\" (known: idle, random, trend, value)"},
        TBadCommand{
            {"run", "--seed", "1", "--months", "5", "--strategy", "idle", "--format", "xml"},
            "unknown format \"xml\""},
        TBadCommand{{"run", "--seed", "1", "--seed", "2", "--months", "5", "--strategy", "idle"},
                    "--seed given twice"},
        TBadCommand{{"run", "--seed", "1", "--months", "5", "--strategy", "idle", "--speed", "9"},
                    "unknown option --speed"},
        TBadCommand{{"run", "--seed", "1", "--months", "5", "--strategy", "idle", "-v"},
                    "unknown option -v"},
        TBadCommand{{"run", "--seed", "1", "--months", "5", "--strategy"},
                    "--strategy needs a value"},
        TBadCommand{{"run", "--seed=", "--months", "5", "--strategy", "idle"},
                    "--seed needs a value"},
        TBadCommand{{"run", "extra", "--seed", "1", "--months", "5", "--strategy", "idle"},
                    "unexpected argument \"extra\""},
        TBadCommand{{"study", "--games", "0", "--months", "5", "--strategy", "idle"},
                    "--games must be a whole number from 1"},
        TBadCommand{
            {"study", "--games", "2", "--months", "5", "--strategy", "idle", "--threads", "0"},
            "--threads must be"},
        TBadCommand{{"study", "--games", "2", "--months", "5", "--strategy", "idle", "--seed",
                     "18446744073709551615"},
                    "no room for 2 seeds"},
        TBadCommand{{"inspect"}, "inspect takes one file"},
        TBadCommand{{"inspect", "a.sav", "b.sav"}, "inspect takes one file"}));

TEST(Run, OptionValueMayFollowAnEqualsSign) {
    EXPECT_EQ(RunSim({"run", "--seed=5", "--months=30", "--strategy=trend"}).Out,
              RunSim(RunArgs("trend", 5, 30)).Out);
}

TEST(Run, UnreadableLoadFileFailsWithStatus1AndNoLines) {
    const TScratchDir dir;
    std::vector<std::string> args = RunArgs("idle", 1, 5);
    args.insert(args.end(), {"--load", dir.File("missing.sav")});
    const TSimResult result = RunSim(args);
    EXPECT_EQ(result.Status, VxSimExitFailure);
    EXPECT_EQ(result.Out, "");
    EXPECT_NE(result.Err.find("missing.sav: cannot be read: No such file or directory"),
              std::string::npos)
        << result.Err;
}

TEST(Run, UnwritableSaveFileFailsWithStatus1) {
    const TScratchDir dir;
    std::vector<std::string> args = RunArgs("idle", 1, 2);
    args.insert(args.end(), {"--save", dir.File("no/such/folder/game.sav")});
    const TSimResult result = RunSim(args);
    EXPECT_EQ(result.Status, VxSimExitFailure);
    EXPECT_NE(result.Err.find("game.sav: cannot be written"), std::string::npos) << result.Err;
}

TEST(Run, HelpGoesToStandardOutput) {
    const TSimResult result = RunSim({"help"});
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Out, VxSimUsage());
    EXPECT_EQ(result.Err, "");
}

class CommandHelp : public testing::TestWithParam<const char*> {};

// "COMMAND --help" wherever it stands, even among options that would be
// wrong: that command's usage on stdout, and nothing run.
TEST_P(CommandHelp, PrintsThatCommandsUsage) {
    const std::string command = GetParam();
    for (const std::vector<std::string>& args : {std::vector<std::string>{command, "--help"},
                                                 {command, "-h"},
                                                 {command, "--seed", "x", "--help"}}) {
        const TSimResult result = RunSim(args);
        EXPECT_EQ(result.Status, VxSimExitOk) << result.Err;
        EXPECT_TRUE(result.Out.starts_with("usage: ridolt-sim " + command)) << result.Out;
        EXPECT_NE(result.Out.find("Exit status:"), std::string::npos);
        EXPECT_EQ(result.Err, "");
    }
    // Its part of the whole usage text.
    const std::string synopsis = Lines(RunSim({command, "--help"}).Out)[0].substr(18);
    EXPECT_NE(VxSimUsage().find("\n  " + synopsis + "\n"), std::string::npos) << synopsis;
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandHelp,
                         testing::Values("run", "serve", "replay", "study", "inspect",
                                         "strategies"),
                         [](const testing::TestParamInfo<const char*>& param) {
                             return std::string(param.param);
                         });

struct TLostOutput {
    const char* Name;
    std::vector<std::string> Args;
    size_t Room; // bytes written before the disk is full
};

void PrintTo(const TLostOutput& lost, std::ostream* out) {
    *out << lost.Name;
}

class LostOutput : public testing::TestWithParam<TLostOutput> {};

// Output that cannot be written fails the command, with the system's
// reason, whether the first write fails or a later one.
TEST_P(LostOutput, FailsWithStatus1AndTheReason) {
    const TScratchDir dir;
    std::vector<std::string> args = GetParam().Args;
    std::replace(args.begin(), args.end(), std::string("SAVE"), dir.File("game.sav"));
    if (args.front() == "inspect")
        RunSim({"run", "--seed", "1", "--months", "0", "--strategy", "idle", "--save", args[1]});
    const TSimResult result = RunSimOnFullDisk(args, GetParam().Room,
                                               R"({"cmd":"state"})"
                                               "\n");
    EXPECT_EQ(result.Status, VxSimExitFailure);
    EXPECT_EQ(result.Err, "ridolt-sim: standard output: cannot be written: " +
                              std::string(std::strerror(ENOSPC)) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, LostOutput,
    testing::Values(TLostOutput{"run", RunArgs("idle", 1, 50), 0},
                    TLostOutput{"runMidway", RunArgs("idle", 1, 50), 300},
                    TLostOutput{"study",
                                {"study", "--games", "2", "--months", "3", "--strategy", "idle",
                                 "--threads", "1"},
                                0},
                    TLostOutput{"inspect", {"inspect", "SAVE"}, 0},
                    TLostOutput{"serve", {"serve", "--seed", "1"}, 0},
                    TLostOutput{"serveAfterTheHello", {"serve", "--seed", "1"}, 2000},
                    TLostOutput{"strategies", {"strategies"}, 0},
                    TLostOutput{"help", {"run", "--help"}, 0}),
    [](const testing::TestParamInfo<TLostOutput>& param) { return param.param.Name; });

// A run whose output is lost stops there: it does not save either.
TEST(Run, LostOutputSavesNothing) {
    const TScratchDir dir;
    std::vector<std::string> args = RunArgs("idle", 1, 5);
    args.insert(args.end(), {"--save", dir.File("game.sav")});
    EXPECT_EQ(RunSimOnFullDisk(args, 0).Status, VxSimExitFailure);
    EXPECT_FALSE(std::filesystem::exists(dir.File("game.sav")));
}

// A saved game carries its history beside it, seed and all: served again
// without a seed, it goes on with the market it was played on.
TEST(Run, SaveWritesTheHistoryThatServeGoesOnWith) {
    const TScratchDir dir;
    const std::string file = dir.File("trend.sav");
    std::vector<std::string> args = RunArgs("trend", 77, 5);
    args.insert(args.end(), {"--save", file});
    ASSERT_EQ(RunSim(args).Status, 0);

    const std::vector<TVxHistoryRoad> roads = VxReadHistoryFile(ReadFile(VxHistoryPath(file)));
    ASSERT_EQ(roads.size(), 1u);
    const TVxGameHistory& history = roads[0].History;
    EXPECT_EQ(history.Months().size(), 6u);
    EXPECT_EQ(history.Seed(), std::optional<uint64_t>(77));
    EXPECT_TRUE(history.SeededFromStart());

    const std::string next = "{\"cmd\":\"next\"}\n";
    const TSimResult itsOwn = RunSim({"serve", "--load", file}, next);
    const TSimResult given = RunSim({"serve", "--load", file, "--seed", "77"}, next);
    ASSERT_EQ(itsOwn.Status, 0) << itsOwn.Err;
    EXPECT_NE(itsOwn.Out.find("\"seed\":77,"), std::string::npos) << itsOwn.Out.substr(0, 80);
    EXPECT_EQ(itsOwn.Out, given.Out);
}

} // namespace
