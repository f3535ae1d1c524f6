// A save file and its history as a pair: what a save may replace at
// either path, a save killed at each of its renames, and two processes
// saving one file at once.  Whatever happens, a save that loads goes on
// with its own whole road or with none, never with another game's.

#include "game/VxGame.h"

#include "game/VxFileKind.h"
#include "game/VxGameHistoryFile.h"
#include "game/VxSaveDigest.h"
#include "tests/support/Files.h"
#include "tests/support/GameState.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <poll.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<uint8_t>;

// A seeded game played for `months` months, with a holding or without
// trades, its history kept by the game itself.
void Play(TVxGame& game, uint64_t seed, int months, bool trade = true) {
    game.SetSeed(seed);
    game.NewGame();
    if (trade) {
        EXPECT_TRUE(game.Buy(*game.MarketList.Items(static_cast<int32_t>(seed % 50)), 2).Settled());
    }
    for (int month = 0; month < months; ++month)
        game.NextMonth();
}

// What is at a path before a save: `Make` puts it at `path` (false when
// this user may not make it).  `AtSave` and `AtHistory` are the refusal
// when it stands where the save or its history goes; none: replaced.
struct TTarget {
    const char* Name;
    bool (*Make)(const fs::path& path);
    std::optional<std::error_code> AtSave;
    std::optional<std::error_code> AtHistory;
};

void PrintTo(const TTarget& target, std::ostream* out) {
    *out << target.Name;
}

std::optional<TFileStatus> StatusIfAny(const fs::path& path) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(path, error)))
        return std::nullopt;
    return FileStatus(path);
}

bool IsRegular(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool MakeText(const fs::path& path) {
    WriteFile(path, "my notes\n");
    return true;
}

bool MakeLinkToText(const fs::path& path) {
    WriteFile(path.string() + ".notes", "my notes\n");
    fs::create_symlink(path.filename().string() + ".notes", path);
    return true;
}

class SaveTarget : public testing::TestWithParam<std::tuple<TTarget, bool>> {
protected:
    const TScratchDir dir;
    const fs::path file = dir.Path() / "game.sav";
    const fs::path history = dir.Path() / "game.sav.history";
    TVxGame game;
};

// A refused save leaves both files as they were and no temporary file; a
// replacement writes the pair, a link kept and its file written.
TEST_P(SaveTarget, IsReplacedOnlyWhenItIsOfTheKindWritten) {
    const auto& [target, atHistory] = GetParam();
    TVxGame before;
    Play(before, 3, 2);
    if (atHistory)
        before.SaveToFile(file.string());
    const fs::path path = atHistory ? history : file;
    fs::remove(path);
    if (!target.Make(path))
        GTEST_SKIP() << "this user may not make " << target.Name;
    const std::vector<std::string> names = FileNames(dir.Path());
    const std::optional<TFileStatus> status = StatusIfAny(path);
    // Read only what reading cannot block on.
    const std::string bytes = IsRegular(path) ? ReadFile(path) : "";
    Play(game, 4, 3);
    const std::optional<std::error_code> refusal = atHistory ? target.AtHistory : target.AtSave;

    ::alarm(10); // a FIFO must not be waited on
    if (refusal) {
        try {
            game.SaveToFile(file.string());
            ADD_FAILURE() << "saved";
        } catch (const EVxFileError& e) {
            EXPECT_EQ(e.code(), *refusal);
            EXPECT_EQ(e.Path(), path.string()) << "the error names the file refused";
        }
        EXPECT_EQ(FileNames(dir.Path()), names) << "nothing made, nothing left";
        EXPECT_EQ(StatusIfAny(path), status);
        EXPECT_EQ(IsRegular(path) ? ReadFile(path) : "", bytes);
    } else {
        game.SaveToFile(file.string());
        EXPECT_TRUE(ReadFile<TBytes>(file) == SaveBytes(game));
        if (status) {
            EXPECT_EQ(FileStatus(path).Mode & S_IFMT, status->Mode & S_IFMT) << "a link stays one";
        }
        TVxGame loaded;
        loaded.LoadFromFile(file.string());
        EXPECT_EQ(loaded.History().Months(), game.History().Months());
    }
    ::alarm(0);
}

std::error_code Refused(TVxKindRefusal refusal) {
    return make_error_code(refusal);
}

const TTarget Targets[] = {
    {"nothing", [](const fs::path&) { return true; }, std::nullopt, std::nullopt},
    {"empty", [](const fs::path& p) { return WriteFile(p, ""), true; }, std::nullopt, std::nullopt},
    {"text", MakeText, Refused(TVxKindRefusal::IsTextFile), Refused(TVxKindRefusal::IsTextFile)},
    {"linkToText", MakeLinkToText, Refused(TVxKindRefusal::IsTextFile),
     Refused(TVxKindRefusal::IsTextFile)},
    {"record",
     [](const fs::path& p) { return WriteFile(p, "{\"ridolt_sim_record\":2,\"seed\":1}\n"), true; },
     Refused(TVxKindRefusal::IsRecord), Refused(TVxKindRefusal::IsRecord)},
    {"otherProgram",
     [](const fs::path& p) { return WriteFile(p, std::string("\x89PNG\r\n\x1A\n", 8)), true; },
     Refused(TVxKindRefusal::IsOtherProgramsFile), Refused(TVxKindRefusal::IsOtherProgramsFile)},
    {"save",
     [](const fs::path& p) {
         TVxGame other;
         Play(other, 5, 1);
         WriteFile(p, SaveBytes(other));
         return true;
     },
     std::nullopt, Refused(TVxKindRefusal::IsSaveFile)},
    {"history", [](const fs::path& p) { return WriteFile(p, "ridolt-history 2\n"), true; },
     Refused(TVxKindRefusal::IsHistoryFile), std::nullopt},
    {"fifo", [](const fs::path& p) { return MakeFifo(p); }, make_error_code(TVxFileRefusal::IsFifo),
     make_error_code(TVxFileRefusal::IsFifo)},
    {"device", [](const fs::path& p) { return fs::create_symlink("/dev/null", p), true; },
     make_error_code(TVxFileRefusal::IsCharacterDevice),
     make_error_code(TVxFileRefusal::IsCharacterDevice)},
    {"folder", [](const fs::path& p) { return fs::create_directory(p); },
     make_error_code(TVxFileRefusal::IsDirectory), make_error_code(TVxFileRefusal::IsDirectory)},
};

INSTANTIATE_TEST_SUITE_P(Kinds, SaveTarget,
                         testing::Combine(testing::ValuesIn(Targets), testing::Bool()),
                         [](const testing::TestParamInfo<SaveTarget::ParamType>& param) {
                             return std::string(std::get<0>(param.param).Name) +
                                    (std::get<1>(param.param) ? "AtTheHistory" : "AtTheSave");
                         });

// Two games, each saved in turn over the other: the road a save must load
// with is known by its bytes.
class SavePair : public testing::Test {
protected:
    const TScratchDir dir;
    const std::string file = dir.File("game.sav");
    TVxGame first;
    TVxGame second;

    SavePair() {
        Play(first, 7, 4);
        Play(second, 8, 6);
    }

    // The save on the disk loads with its own whole road.
    void ExpectItsWholeRoad(const char* when) {
        const TBytes bytes = ReadFile<TBytes>(file);
        TVxGame& saved = bytes == SaveBytes(first) ? first : second;
        ASSERT_TRUE(bytes == SaveBytes(saved)) << when << ": no whole save";
        TVxGame loaded;
        loaded.LoadFromFile(file);
        EXPECT_EQ(loaded.History().Months(), saved.History().Months()) << when;
        EXPECT_EQ(loaded.Seed(), saved.Seed()) << when;
    }
};

// Between the two renames the history already holds the new save's road
// and still the old save's: the old save, still on the disk, keeps its road.
TEST_F(SavePair, TheHistoryHoldsTheRoadOfTheSaveItReplaces) {
    first.SaveToFile(file);
    second.SaveToFile(file);
    const std::vector<TVxHistoryRoad> roads = VxReadHistoryFile(ReadFile(VxHistoryPath(file)));
    ASSERT_EQ(roads.size(), 2u);
    EXPECT_EQ(roads[0].Save, VxSaveDigest(SaveBytes(second)));
    EXPECT_EQ(roads[0].History.Months(), second.History().Months());
    EXPECT_EQ(roads[1].Save, VxSaveDigest(SaveBytes(first)));
    EXPECT_EQ(roads[1].History.Months(), first.History().Months());

    // The same save again: the road of a save no longer there goes.
    second.SaveToFile(file);
    EXPECT_EQ(VxReadHistoryFile(ReadFile(VxHistoryPath(file))).size(), 1u);
    ExpectItsWholeRoad("saved twice");
}

// A child saves over the pair while the parent watches the folder; the
// moment the history's rename, or the save's, shows, the child is killed.
// Whatever the moment, the pair on the disk loads with its whole road.
TEST_F(SavePair, KilledAtEachRenameLeavesASaveWithItsWholeRoad) {
    constexpr int Trials = 40;
    int betweenTheRenames = 0;
    for (int trial = 0; trial < Trials; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const bool atTheSave = trial % 2 == 1;
        TVxGame& old = trial % 4 < 2 ? first : second;
        TVxGame& replacing = &old == &first ? second : first;
        old.SaveToFile(file);

        const int watch = ::inotify_init1(IN_CLOEXEC);
        ASSERT_GE(watch, 0);
        ASSERT_GE(::inotify_add_watch(watch, dir.Path().c_str(), IN_MOVED_TO), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                replacing.SaveToFile(file);
            } catch (...) {
                ::_exit(2);
            }
            ::pause(); // the kill comes, however late
            ::_exit(0);
        }
        const std::string awaited = atTheSave ? "game.sav" : "game.sav.history";
        bool seen = false;
        alignas(inotify_event) char events[4096];
        while (!seen) {
            pollfd ready{watch, POLLIN, 0};
            ASSERT_EQ(::poll(&ready, 1, 20000), 1) << "no rename came";
            const ssize_t got = ::read(watch, events, sizeof events);
            ASSERT_GT(got, 0);
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                seen = seen || (event->len > 0 && awaited == event->name);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(watch);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the save failed: status " << status;

        if (ReadFile<TBytes>(file) == SaveBytes(old))
            ++betweenTheRenames;
        ExpectItsWholeRoad(atTheSave ? "killed at the save's rename"
                                     : "killed at the history's rename");
    }
    std::cout << "the kill came between the two renames in " << betweenTheRenames << " of "
              << Trials / 2 << " trials at the history's\n";
    EXPECT_GT(betweenTheRenames, 0) << "no kill came between the renames: the test proves nothing";
}

// Two processes save their own games to one file over and over, each
// playing a month between saves.  The pair they leave may be one's save
// and the other's history; the save then loads without a road, never with
// the other game's.  Neither trades, so month for month the two games
// have the same calendar and cash: only the save's bytes tell them apart.
TEST(SaveRace, TwoWritersNeverLeaveASaveWithAnotherGamesRoad) {
    constexpr int Rounds = 8;
    constexpr int Saves = 12;
    const TScratchDir dir;
    const std::string file = dir.File("game.sav");
    // Every save either writer makes, by its bytes: its seed and road.
    std::map<TBytes, const TVxGame*> saves;
    std::vector<std::unique_ptr<TVxGame>> games;
    for (const uint64_t seed : {7, 8}) {
        for (int month = 0; month < Saves; ++month) {
            games.push_back(std::make_unique<TVxGame>());
            Play(*games.back(), seed, month, false);
            saves[SaveBytes(*games.back())] = games.back().get();
        }
    }
    int withItsRoad = 0;
    for (int round = 0; round < Rounds; ++round) {
        std::vector<pid_t> writers;
        for (const uint64_t seed : {7, 8}) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                TVxGame game;
                Play(game, seed, 0, false);
                try {
                    for (int save = 0; save < Saves; ++save) {
                        game.SaveToFile(file);
                        game.NextMonth();
                    }
                } catch (...) {
                    ::_exit(2);
                }
                ::_exit(0);
            }
            writers.push_back(child);
        }
        for (const pid_t writer : writers) {
            int status = 0;
            ASSERT_EQ(::waitpid(writer, &status, 0), writer);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        const auto saved = saves.find(ReadFile<TBytes>(file));
        ASSERT_NE(saved, saves.end()) << "round " << round << ": no whole save";
        TVxGame loaded;
        loaded.LoadFromFile(file);
        if (loaded.History().Months() == saved->second->History().Months()) {
            ++withItsRoad;
            EXPECT_EQ(loaded.Seed(), saved->second->Seed()) << "round " << round;
        } else {
            EXPECT_EQ(loaded.History().Months().size(), 1u) << "round " << round;
            EXPECT_EQ(loaded.History().Origin(), TVxHistoryOrigin::Loaded) << "round " << round;
        }
    }
    std::cout << "the last save went on with its road in " << withItsRoad << " of " << Rounds
              << " rounds, and never with the other game's\n";
}

} // namespace
