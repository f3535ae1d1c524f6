#include "sim/VxSimCli.h"

#include "game/VxSeed.h"
#include "sim/VxSimArgs.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimOutput.h"
#include "sim/VxSimProgress.h"
#include "sim/VxSimSaveFileReport.h"
#include "sim/VxSimServe.h"
#include "sim/VxSimStrategy.h"
#include "sim/VxSimStudy.h"

#include "game/VxFileKind.h"
#include "platform/VxFileRead.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string_view>
#include <thread>

namespace {

constexpr int64_t MaxMonths = std::numeric_limits<int32_t>::max();
constexpr int64_t MaxGames = 10'000'000;
constexpr int64_t MaxThreads = 256;

// A file could not be read or written; the message names it and says why.
class EVxSimFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string StrategyNames() {
    std::string names;
    for (const TVxSimStrategyInfo& info : VxSimStrategies())
        names += (names.empty() ? "" : ", ") + info.Name;
    return names;
}

std::unique_ptr<TVxSimStrategy> RequiredStrategy(const TVxSimArgs& args) {
    const std::string name = args.RequiredText("strategy");
    std::unique_ptr<TVxSimStrategy> strategy = VxSimCreateStrategy(name);
    if (!strategy)
        throw EVxSimUsage("unknown strategy \"" + name + "\" (known: " + StrategyNames() + ")");
    return strategy;
}

void NoPlainArguments(const TVxSimArgs& args) {
    if (!args.Plain().empty())
        throw EVxSimUsage("unexpected argument \"" + args.Plain().front() + "\"");
}

// Why `fileName` could not be opened, errno just set by the attempt.
std::string OpenFailure(const std::string& fileName, const char* access) {
    const int error = errno;
    return fileName + ": cannot be " + access + ": " + std::strerror(error != 0 ? error : EIO);
}

// A file error of the simulator's for `e`, which the attempt to write a
// file threw.
EVxSimFileError WriteFailure(const EVxFileError& e) {
    return EVxSimFileError(e.Path() + ": cannot be written: " + e.code().message());
}

// A record replaces only a record, never the save file the session loads
// (which a replay of the record needs as it was), whatever the links.
void CheckRecordFile(const std::string& recordFile, const std::optional<std::string>& loadFile) {
    std::error_code error;
    if (loadFile && std::filesystem::equivalent(recordFile, *loadFile, error))
        throw EVxFileError(TVxKindRefusal::IsLoadedSave, recordFile);
    VxRequireKindAt(recordFile, TVxFileKind::Record);
}

// A game continued from `fileName`, or a file error that says why not.
void LoadOrFail(TVxSimGame& game, const std::string& fileName, bool historySeed = false) {
    try {
        game.Load(fileName, historySeed);
    } catch (...) {
        throw EVxSimFileError(VxSimLoadErrorText(fileName, std::current_exception()));
    }
}

int Run(const std::vector<std::string>& rest, std::ostream& out) {
    const TVxSimArgs args(rest, {"seed", "months", "strategy", "format", "save", "load"});
    NoPlainArguments(args);
    const uint64_t seed = args.RequiredUnsigned("seed");
    const int64_t months = args.RequiredInteger("months", 0, MaxMonths);
    std::unique_ptr<TVxSimStrategy> strategy = RequiredStrategy(args);
    const std::string formatName = args.Text("format").value_or("csv");
    const std::optional<TVxSimFormat> format = VxSimParseFormat(formatName);
    if (!format)
        throw EVxSimUsage("unknown format \"" + formatName + "\" (known: csv, jsonl)");
    const std::optional<std::string> saveFile = args.Text("save");
    const std::optional<std::string> loadFile = args.Text("load");

    TVxSimGame game(seed, std::move(strategy));
    if (loadFile)
        LoadOrFail(game, *loadFile);
    else
        game.NewGame();

    if (const std::string header = VxSimHeaderLine(*format); !header.empty())
        VxSimWrite(out, header + '\n');
    for (int64_t m = 0; m < months && !game.Ended(); ++m)
        VxSimWrite(out, VxSimMonthLine(game.PlayMonth(), *format) + '\n');
    VxSimWrite(out, "", true);

    if (saveFile) {
        try {
            game.Save(*saveFile);
        } catch (const EVxFileError& e) {
            throw WriteFailure(e);
        }
    }
    return VxSimExitOk;
}

int Serve(const std::vector<std::string>& rest, std::istream& in, std::ostream& out) {
    const TVxSimArgs args(rest, {"seed", "load", "record"});
    NoPlainArguments(args);
    TVxSimSessionStart start;
    // Without a seed a new game is new each time and a loaded one goes on
    // with its history's seed; the hello line tells the seed, so the game
    // can still be played again.
    const std::optional<uint64_t> seed = args.Unsigned("seed");
    start.Load = args.Text("load");
    const std::optional<std::string> recordFile = args.Text("record");

    TVxSimGame game(seed.value_or(VxDrawSeed()));
    if (start.Load)
        LoadOrFail(game, *start.Load, !seed);
    else
        game.NewGame();
    start.Seed = game.Seed();
    std::ofstream record;
    if (recordFile) {
        try {
            CheckRecordFile(*recordFile, start.Load);
        } catch (const EVxFileError& e) {
            throw WriteFailure(e);
        }
        errno = 0;
        record.open(*recordFile, std::ios::binary | std::ios::trunc);
        if (!record)
            throw EVxSimFileError(OpenFailure(*recordFile, "written"));
    }
    TVxSimServer server(game);
    VxSimServe(server, start, in, out, recordFile ? &record : nullptr);
    if (recordFile && !record.flush())
        throw EVxSimFileError(*recordFile + ": cannot be written");
    return VxSimExitOk;
}

// The answers of a record compared, then whether the record is whole: a
// record cut short fails (status 1) unless answers differ (status 3).
int Replay(const std::vector<std::string>& rest, std::ostream& out, std::ostream& err) {
    const TVxSimArgs args(rest, {"into"});
    if (args.Plain().size() != 1)
        throw EVxSimUsage("replay takes one file");
    const std::string& fileName = args.Plain().front();
    const std::optional<std::string> into = args.Text("into");
    std::error_code error;
    if (into && std::filesystem::exists(*into, error) && !std::filesystem::is_directory(*into))
        throw EVxSimFileError(*into + ": cannot be written: is no folder");
    try {
        // Refuses what is no regular file before a stream opens it.
        VxReadFile(fileName, 0);
    } catch (const EVxFileError& e) {
        throw EVxSimFileError(fileName + ": cannot be read: " + e.code().message());
    }
    errno = 0;
    std::ifstream record(fileName, std::ios::binary);
    if (!record)
        throw EVxSimFileError(OpenFailure(fileName, "read"));
    TVxSimReplayFolder saves(into, err);
    TVxSimReplay replay;
    try {
        replay = VxSimReplay(record, saves);
    } catch (const EVxSimRecordError& e) {
        throw EVxSimFileError(fileName + ": " + e.what());
    }
    if (replay.Differing > 0) {
        VxSimWrite(out, "replay: " + std::to_string(replay.Differing) + " of " +
                            std::to_string(replay.Answers) + " answers differ; the first:\n" +
                            replay.FirstDifference + '\n');
        return VxSimExitReplayDiffers;
    }
    VxSimWrite(out, "replay: all " + std::to_string(replay.Answers) + " answers are the same\n");
    if (!replay.Cut.empty())
        throw EVxSimFileError(fileName + ": the record is cut short: " + replay.Cut);
    if (replay.Version < VxSimRecordVersion)
        err << "ridolt-sim: " << fileName << ": a record of version " << replay.Version
            << " has no closing line: one cut between two answers looks whole\n";
    return VxSimExitOk;
}

int Study(const std::vector<std::string>& rest, std::ostream& out, std::ostream& err,
          bool progress) {
    const TVxSimArgs args(rest, {"games", "months", "strategy", "seed", "threads", "format"});
    NoPlainArguments(args);
    TVxSimStudyOptions options;
    options.Games = args.RequiredInteger("games", 1, MaxGames);
    options.Months = args.RequiredInteger("months", 0, MaxMonths);
    RequiredStrategy(args);
    options.Strategy = args.RequiredText("strategy");
    options.FirstSeed = args.Unsigned("seed").value_or(1);
    if (options.FirstSeed >
        std::numeric_limits<uint64_t>::max() - static_cast<uint64_t>(options.Games - 1))
        throw EVxSimUsage("option --seed leaves no room for " + std::to_string(options.Games) +
                          " seeds below 2^64");
    const int64_t cores = std::max<int64_t>(1, std::thread::hardware_concurrency());
    options.Threads = static_cast<int32_t>(
        args.Integer("threads", 1, MaxThreads).value_or(std::min(cores, MaxThreads)));
    const std::string format = args.Text("format").value_or("text");
    if (format != "text" && format != "json")
        throw EVxSimUsage("unknown format \"" + format + "\" (known: text, json)");

    std::atomic<int64_t> done{0};
    std::vector<TVxSimGameResult> results;
    {
        std::optional<TVxSimProgressBar> bar;
        if (progress)
            bar.emplace(err, done, options.Games);
        results = VxSimRunStudy(options, done);
    }
    VxSimWrite(out, format == "json" ? VxSimStudyJson(options, results) + "\n"
                                     : VxSimStudyText(options, results));
    return VxSimExitOk;
}

int Inspect(const std::vector<std::string>& rest, std::ostream& out) {
    const TVxSimArgs args(rest, {});
    if (args.Plain().size() != 1)
        throw EVxSimUsage("inspect takes one file");
    const std::string& fileName = args.Plain().front();
    TVxGame game;
    try {
        game.LoadFromFile(fileName);
    } catch (...) {
        throw EVxSimFileError(VxSimLoadErrorText(fileName, std::current_exception()));
    }
    VxSimWrite(out, VxSimGameJson(game, fileName));
    return VxSimExitOk;
}

int ListStrategies(const std::vector<std::string>& rest, std::ostream& out) {
    NoPlainArguments(TVxSimArgs(rest, {}));
    for (const TVxSimStrategyInfo& info : VxSimStrategies())
        VxSimWrite(out, info.Name +
                            std::string(info.Name.size() < 8 ? 8 - info.Name.size() : 1, ' ') +
                            info.Description + '\n');
    return VxSimExitOk;
}

// One command's part of the usage text.  Lines of the synopsis after the
// first are indented as the usage text shows them.
struct TCommandHelp {
    std::string_view Name;
    std::string_view Synopsis;
    std::string_view Text;
};

constexpr TCommandHelp CommandHelps[] = {
    {"run",
     "run --seed N --months M --strategy NAME [--format csv|jsonl]\n"
     "      [--load FILE] [--save FILE]",
     "Plays one game for up to M months and prints one line a month:\n"
     "year, month, cash, value of the holdings, companies held, tax\n"
     "paid and events.  --load continues a saved game (give the seed\n"
     "of the run that saved it to continue that run exactly); --save\n"
     "writes the game at the end."},
    {"serve", "serve [--seed N] [--load FILE] [--record FILE]",
     "Serves one game to a program: JSON requests, one a line, on\n"
     "standard input, one JSON answer a line on standard output (the\n"
     "protocol is in docs/serve-protocol.md).  Without --seed the seed\n"
     "is drawn and told in the first line.  --record keeps the session."},
    {"replay", "replay FILE [--into DIR]",
     "Plays a session recorded by serve --record again and says\n"
     "whether every answer is the same.  The record's saves are written\n"
     "into DIR, or into a new temporary folder named on standard error."},
    {"study",
     "study --games G --months M --strategy NAME [--seed FIRST]\n"
     "      [--threads T] [--format text|json]",
     "Plays the games of seeds FIRST..FIRST+G-1 (FIRST is 1 unless\n"
     "given) on T threads (all cores unless given) and prints the win\n"
     "and loss rates and the quantiles of the final fortune and of the\n"
     "months to win."},
    {"inspect", "inspect FILE", "Prints a save file as JSON, or why it cannot be loaded."},
    {"strategies", "strategies", "Lists the strategies."},
    {"help", "help", "Prints this text."},
};

constexpr std::string_view UsageFooter =
    "Money is in units of 10,000 yen (万円).  Exit status: 0 done, 1 a file\n"
    "or standard output could not be read or written, or a replayed record\n"
    "is cut short, 2 a wrong command line, 3 a replay whose answers differ.\n";

// `text` with `indent` before every line.
std::string Indented(std::string_view text, std::string_view indent) {
    std::string out;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        out += std::string(indent) + std::string(text.substr(0, end)) + '\n';
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return out;
}

const TCommandHelp* FindHelp(std::string_view command) {
    for (const TCommandHelp& help : CommandHelps)
        if (help.Name == command)
            return &help;
    return nullptr;
}

// `command --help` (or -h) anywhere among its arguments.
bool AsksForHelp(const std::vector<std::string>& rest) {
    return std::any_of(rest.begin(), rest.end(),
                       [](const std::string& arg) { return arg == "--help" || arg == "-h"; });
}

std::string CommandUsage(const TCommandHelp& help) {
    return "usage: ridolt-sim " + std::string(help.Synopsis) + "\n\n" + std::string(help.Text) +
           "\n\n" + std::string(UsageFooter);
}

int Dispatch(const std::string& command, const std::vector<std::string>& rest, std::istream& in,
             std::ostream& out, std::ostream& err, bool progress) {
    if (command == "help" || command == "--help" || command == "-h") {
        VxSimWrite(out, VxSimUsage());
        return VxSimExitOk;
    }
    const TCommandHelp* help = FindHelp(command);
    if (!help)
        throw EVxSimUsage("unknown command \"" + command + "\"");
    if (AsksForHelp(rest)) {
        VxSimWrite(out, CommandUsage(*help));
        return VxSimExitOk;
    }
    if (command == "run")
        return Run(rest, out);
    if (command == "serve")
        return Serve(rest, in, out);
    if (command == "replay")
        return Replay(rest, out, err);
    if (command == "study")
        return Study(rest, out, err, progress);
    if (command == "inspect")
        return Inspect(rest, out);
    return ListStrategies(rest, out);
}

} // namespace

std::string VxSimUsage() {
    std::string usage = "usage: ridolt-sim COMMAND [OPTIONS]\n\n";
    for (const TCommandHelp& help : CommandHelps)
        usage += "  " + std::string(help.Synopsis) + "\n" + Indented(help.Text, "      ");
    return usage + "\n" + std::string(UsageFooter);
}

int VxSimMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err, bool progress) {
    if (args.empty()) {
        err << "ridolt-sim: no command given\n\n" << VxSimUsage();
        return VxSimExitUsage;
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    try {
        const int status = Dispatch(command, rest, in, out, err, progress);
        VxSimWrite(out, "", true);
        return status;
    } catch (const EVxSimUsage& e) {
        err << "ridolt-sim: " << e.what() << "\n\n" << VxSimUsage();
        return VxSimExitUsage;
    } catch (const EVxSimFileError& e) {
        err << "ridolt-sim: " << e.what() << '\n';
        return VxSimExitFailure;
    } catch (const EVxSimOutputError& e) {
        err << "ridolt-sim: " << e.what() << '\n';
        return VxSimExitFailure;
    } catch (const std::exception& e) {
        // Out of memory or a fault of the simulator itself: report it
        // rather than abort.
        err << "ridolt-sim: " << command << " failed: " << e.what() << '\n';
        return VxSimExitFailure;
    }
}
