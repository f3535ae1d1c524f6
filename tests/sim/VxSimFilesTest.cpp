// The files ridolt-sim writes and reads, tried as a careless or hostile
// user would: every writer (serve's save, run --save, --record, a replay's
// saves) against every kind of thing at its path, loads of what is no
// file, and a record's save paths that lead out of the replay's folder.

#include "game/VxFileKind.h"
#include "game/VxGame.h"
#include "tests/sim/SimTestSupport.h"
#include "tests/support/Files.h"
#include "tests/support/GameState.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

enum TWriter { ServeSave, RunSave, Record, Replay, WriterCount };
const char* const WriterNames[] = {"serveSave", "runSave", "record", "replay"};

// What stands at the path a writer writes.  `Loaded`: the writer's session
// loads it first (it is a save file).  Refusal[writer]: the reason it is
// refused, or nullptr when it is replaced.
struct TTarget {
    const char* Name;
    bool (*Make)(const fs::path& path);
    bool Loaded;
    const char* Refusal[WriterCount];
};

void PrintTo(const TTarget& target, std::ostream* out) {
    *out << target.Name;
}

bool MakeSave(const fs::path& path) {
    TVxGame other;
    other.SetSeed(11);
    other.NewGame();
    WriteFile(path, SaveBytes(other));
    return true;
}

bool MakeText(const fs::path& path) {
    WriteFile(path, "my notes\n");
    return true;
}

bool MakeRecord(const fs::path& path) {
    WriteFile(path, "{\"ridolt_sim_record\":2,\"seed\":1}\n< {}\n");
    return true;
}

// `make` puts the file beside `path` and `path` becomes a link to it.
template <bool (*make)(const fs::path&)> bool MakeLinkTo(const fs::path& path) {
    const fs::path real = path.string() + ".real";
    make(real);
    fs::create_symlink(real.filename(), path);
    return true;
}

const char* const Text = "is a text file";
const char* const Save = "is a save file of Ridolt";
const char* const Rec = "is a record of ridolt-sim serve";
const char* const Loaded = "is the save file the session loaded";
const char* const Fifo = "is a FIFO";
const char* const Device = "is a character device";
const char* const Folder = "is a directory";

const TTarget Targets[] = {
    {"save", MakeSave, false, {nullptr, nullptr, Save, nullptr}},
    {"linkToSave", MakeLinkTo<MakeSave>, false, {nullptr, nullptr, Save, nullptr}},
    {"empty", [](const fs::path& p) { return WriteFile(p, ""), true; }, false, {}},
    {"text", MakeText, false, {Text, Text, Text, Text}},
    {"linkToText", MakeLinkTo<MakeText>, false, {Text, Text, Text, Text}},
    {"record", MakeRecord, false, {Rec, Rec, nullptr, Rec}},
    {"loadedSave", MakeSave, true, {nullptr, nullptr, Loaded, Loaded}},
    {"linkToTheLoadedSave", MakeLinkTo<MakeSave>, true, {nullptr, nullptr, Loaded, Loaded}},
    {"fifo", [](const fs::path& p) { return MakeFifo(p); }, false, {Fifo, Fifo, Fifo, Fifo}},
    {"device",
     [](const fs::path& p) { return MakeFullDevice(p); },
     false,
     {Device, Device, Device, Device}},
    {"linkToDevice",
     [](const fs::path& p) { return fs::create_symlink("/dev/null", p), true; },
     false,
     {Device, Device, Device, Device}},
    {"folder",
     [](const fs::path& p) { return fs::create_directory(p); },
     false,
     {Folder, Folder, Folder, Folder}},
};

const std::string Next = "{\"cmd\":\"next\"}\n";

std::string SaveRequest(const std::string& path) {
    return "{\"cmd\":\"save\",\"path\":\"" + path + "\"}\n";
}

// `text` with its first `from` replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

class WriteTarget : public testing::TestWithParam<std::tuple<TTarget, int>> {
protected:
    const TScratchDir dir;
    const fs::path path = dir.Path() / "game.sav";

    // Every writer plays a month, then writes `path`; the session loads
    // `path` first when the target says so.
    TSimResult Write(TWriter writer, bool loaded) const {
        std::vector<std::string> serve = {"serve", "--seed", "5"};
        if (loaded)
            serve.insert(serve.end(), {"--load", path.string()});
        switch (writer) {
        case ServeSave:
            return RunSim(serve, Next + SaveRequest(path.string()));
        case RunSave: {
            std::vector<std::string> args = RunArgs("idle", 5, 1);
            if (loaded)
                args.insert(args.end(), {"--load", path.string()});
            args.insert(args.end(), {"--save", path.string()});
            return RunSim(args);
        }
        case Record:
            serve.insert(serve.end(), {"--record", path.string()});
            return RunSim(serve, Next);
        case Replay:
        case WriterCount:
            break;
        }
        // A record of the session, saving somewhere else, made to save
        // "game.sav" instead, replayed into the folder of `path`.
        const TScratchDir elsewhere;
        const std::string other = elsewhere.File("other.sav");
        const std::string record = elsewhere.File("session.rec");
        serve.insert(serve.end(), {"--record", record});
        EXPECT_EQ(RunSim(serve, Next + SaveRequest(other)).Status, 0);
        const std::string quoted = "\"" + other + "\"";
        WriteFile(record, Replaced(Replaced(ReadFile(record), quoted, "\"game.sav\""), quoted,
                                   "\"game.sav\""));
        return RunSim({"replay", record, "--into", dir.Path().string()});
    }
};

// A refused file is left as it was, with the reason; a replaced one holds
// what the writer wrote, a link kept.  Nothing is waited on.
TEST_P(WriteTarget, IsReplacedOnlyByItsOwnKindOfWriter) {
    const auto& [target, writerIndex] = GetParam();
    const auto writer = static_cast<TWriter>(writerIndex);
    if (!target.Make(path))
        GTEST_SKIP() << "this user may not make " << target.Name;
    const TFileStatus before = FileStatus(path);
    std::error_code error;
    const bool regular = fs::is_regular_file(path, error);
    const std::string bytes = regular ? ReadFile(path) : "";
    const std::vector<std::string> names = FileNames(dir.Path());

    ::alarm(20);
    const TSimResult result = Write(writer, target.Loaded);
    ::alarm(0);

    const char* const refusal = target.Refusal[writer];
    const std::string reason = path.string() + ": cannot be written: " + (refusal ? refusal : "");
    switch (writer) {
    case ServeSave:
        ASSERT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(Lines(result.Out).back(),
                  refusal
                      ? "{\"ok\":false,\"error\":\"save_failed\",\"message\":\"" + reason + "\"}"
                      : "{\"ok\":true,\"path\":\"" + path.string() + "\"}");
        break;
    case RunSave:
    case Record:
        EXPECT_EQ(result.Status, refusal ? VxSimExitFailure : VxSimExitOk) << result.Err;
        EXPECT_EQ(result.Err, refusal ? "ridolt-sim: " + reason + "\n" : "");
        break;
    case Replay:
    case WriterCount:
        EXPECT_EQ(result.Status, refusal ? VxSimExitReplayDiffers : VxSimExitOk) << result.Out;
        if (refusal) {
            EXPECT_NE(result.Out.find("\"message\":\"game.sav: cannot be written: " +
                                      std::string(refusal) + "\"}"),
                      std::string::npos)
                << result.Out;
        }
        break;
    }

    if (refusal) {
        EXPECT_EQ(FileStatus(path), before);
        EXPECT_EQ(regular ? ReadFile(path) : "", bytes);
        EXPECT_EQ(FileNames(dir.Path()), names) << "nothing made, nothing left";
        return;
    }
    EXPECT_EQ(FileStatus(path).Mode & S_IFMT, before.Mode & S_IFMT) << "a link stays one";
    if (writer == Record) {
        EXPECT_TRUE(ReadFile(path).starts_with("{\"ridolt_sim_record\":"));
        return;
    }
    TVxGame saved;
    saved.LoadFromFile(path.string());
    EXPECT_EQ(saved.Month, 1) << "the month played was saved";
    EXPECT_EQ(saved.History().Months().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, WriteTarget,
                         testing::Combine(testing::ValuesIn(Targets),
                                          testing::Range(0, int{WriterCount})),
                         [](const testing::TestParamInfo<WriteTarget::ParamType>& param) {
                             return std::string(std::get<0>(param.param).Name) + "_" +
                                    WriterNames[std::get<1>(param.param)];
                         });

// Every load refuses what is no regular file before reading it: a FIFO
// would keep it waiting for a writer for ever.
TEST(Load, WhatIsNoFileIsRefusedWithoutWaiting) {
    const TScratchDir dir;
    ASSERT_TRUE(MakeFifo(dir.Path() / "fifo"));
    fs::create_directory(dir.Path() / "folder");
    fs::create_symlink("/dev/zero", dir.Path() / "device");
    // A record whose session loaded a FIFO.
    WriteFile(dir.Path() / "loads.rec",
              "{\"ridolt_sim_record\":2,\"seed\":1,\"load\":\"" + dir.File("fifo") + "\"}\n");
    const std::pair<const char*, const char*> things[] = {
        {"fifo", "is a FIFO"}, {"folder", "is a directory"}, {"device", "is a character device"}};
    ::alarm(20);
    for (const auto& [name, reason] : things) {
        const std::string file = dir.File(name);
        const std::vector<std::string> commands[] = {
            {"inspect", file},
            {"serve", "--load", file},
            {"run", "--seed", "1", "--months", "1", "--strategy", "idle", "--load", file},
            {"replay", file}};
        for (const std::vector<std::string>& args : commands) {
            SCOPED_TRACE(args.front() + " " + name);
            const TSimResult result = RunSim(args, Next);
            EXPECT_EQ(result.Status, VxSimExitFailure);
            EXPECT_EQ(result.Out, "");
            EXPECT_EQ(result.Err, "ridolt-sim: " + file + ": cannot be read: " + reason + "\n");
        }
    }
    const TSimResult replay = RunSim({"replay", dir.File("loads.rec")});
    EXPECT_EQ(replay.Status, VxSimExitFailure);
    EXPECT_NE(replay.Err.find("fifo: cannot be read: is a FIFO"), std::string::npos) << replay.Err;
    ::alarm(0);
}

// A record from someone else names the paths it saves to; a replay writes
// them only inside its folder, the one given or a fresh temporary one.
class ReplayPath : public testing::Test {
protected:
    const TScratchDir dir;  // the reader's: the record, and files of value
    const TScratchDir into; // the replay's folder
    const std::string victim = dir.File("victim.sav");
    std::string recorded; // a session that saves to `victim`

    ReplayPath() {
        WriteFile(victim, "a file of value\n");
        const TScratchDir elsewhere;
        const std::string record = elsewhere.File("session.rec");
        EXPECT_EQ(RunSim({"serve", "--seed", "3", "--record", record},
                         Next + SaveRequest(elsewhere.File("x.sav")))
                      .Status,
                  0);
        recorded = ReadFile(record);
        for (int both = 0; both < 2; ++both)
            recorded = Replaced(recorded, "\"" + elsewhere.File("x.sav") + "\"", "\"PATH\"");
    }

    // The record made to save to `path`, replayed.
    TSimResult ReplayTo(const std::string& path, bool intoFolder = true) const {
        std::string record = recorded;
        for (int both = 0; both < 2; ++both)
            record = Replaced(record, "\"PATH\"", "\"" + path + "\"");
        WriteFile(dir.Path() / "session.rec", record);
        std::vector<std::string> args = {"replay", dir.File("session.rec")};
        if (intoFolder)
            args.insert(args.end(), {"--into", into.Path().string()});
        return RunSim(args);
    }
};

TEST_F(ReplayPath, OnlyPathsInsideItsFolderAreWritten) {
    struct TCase {
        std::string Path;
        const char* Written; // inside the folder; nullptr: the replay is refused
    };
    const TCase cases[] = {
        {"plain.sav", "plain.sav"},
        {"sub/deeper/game.sav", "sub/deeper/game.sav"},
        {"./here.sav", "here.sav"},
        {victim, nullptr},
        {"../" + fs::path(victim).filename().string(), nullptr},
        {"sub/../../victim.sav", nullptr},
        {"..", nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Path);
        const TSimResult result = ReplayTo(c.Path);
        if (c.Written) {
            EXPECT_EQ(result.Status, VxSimExitOk) << result.Err;
            EXPECT_EQ(result.Out, "replay: all 3 answers are the same\n");
            EXPECT_EQ(VxFileKindAt((into.Path() / c.Written).string()), TVxFileKind::Save);
        } else {
            EXPECT_EQ(result.Status, VxSimExitFailure);
            EXPECT_EQ(result.Out, "");
            EXPECT_NE(result.Err.find(c.Path[0] == '/' ? "the absolute path" : "climbs out"),
                      std::string::npos)
                << result.Err;
        }
        EXPECT_EQ(ReadFile(victim), "a file of value\n");
    }
    EXPECT_EQ(FileNames(dir.Path()), (std::vector<std::string>{"session.rec", "victim.sav"}));
}

// Without a folder of the reader's, the saves go to a fresh temporary
// folder, told on standard error; standard output keeps to the replay's
// verdict.
TEST_F(ReplayPath, WithoutAFolderSavesGoToAFreshTemporaryOne) {
    const TSimResult result = ReplayTo("game.sav", false);
    ASSERT_EQ(result.Status, VxSimExitOk) << result.Err;
    EXPECT_EQ(result.Out, "replay: all 3 answers are the same\n");
    const std::string told = "ridolt-sim: replay: the record's saves are written to ";
    ASSERT_TRUE(result.Err.starts_with(told)) << result.Err;
    const fs::path folder = result.Err.substr(told.size(), result.Err.size() - told.size() - 1);
    EXPECT_TRUE(folder.filename().string().starts_with("ridolt-replay-")) << folder;
    EXPECT_EQ(FileNames(folder), (std::vector<std::string>{"game.sav", "game.sav.history"}));
    fs::remove_all(folder);
    EXPECT_EQ(FileNames(dir.Path()), (std::vector<std::string>{"session.rec", "victim.sav"}));
}

} // namespace
