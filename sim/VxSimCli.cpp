#include "sim/VxSimCli.h"

#include "sim/VxSimArgs.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimOutput.h"
#include "sim/VxSimProgress.h"
#include "sim/VxSimSaveFileReport.h"
#include "sim/VxSimServe.h"
#include "sim/VxSimStrategy.h"
#include "sim/VxSimStudy.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
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

// A game continued from `fileName`, or a file error that says why not.
void LoadOrFail(TVxSimGame& game, const std::string& fileName) {
    try {
        game.Load(fileName);
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
        out << header << '\n';
    for (int64_t m = 0; m < months && !game.Ended(); ++m)
        out << VxSimMonthLine(game.PlayMonth(), *format) << '\n';
    out.flush();

    if (saveFile) {
        try {
            game.Save(*saveFile);
        } catch (const std::system_error& e) {
            throw EVxSimFileError(*saveFile + ": cannot be written: " + e.code().message());
        }
    }
    return VxSimExitOk;
}

int Serve(const std::vector<std::string>& rest, std::istream& in, std::ostream& out) {
    const TVxSimArgs args(rest, {"seed", "load", "record"});
    NoPlainArguments(args);
    TVxSimSessionStart start;
    // Without a seed the game is new each time; the hello line tells the
    // seed, so the game can still be played again.
    start.Seed = args.Unsigned("seed").value_or((uint64_t{std::random_device()()} << 32) |
                                                std::random_device()());
    start.Load = args.Text("load");
    const std::optional<std::string> recordFile = args.Text("record");

    TVxSimGame game(start.Seed);
    if (start.Load)
        LoadOrFail(game, *start.Load);
    else
        game.NewGame();
    std::ofstream record;
    if (recordFile) {
        record.open(*recordFile, std::ios::binary | std::ios::trunc);
        if (!record)
            throw EVxSimFileError(*recordFile + ": cannot be written");
    }
    TVxSimServer server(game);
    VxSimServe(server, start, in, out, recordFile ? &record : nullptr);
    if (recordFile && !record.flush())
        throw EVxSimFileError(*recordFile + ": cannot be written");
    return VxSimExitOk;
}

int Replay(const std::vector<std::string>& rest, std::ostream& out) {
    const TVxSimArgs args(rest, {});
    if (args.Plain().size() != 1)
        throw EVxSimUsage("replay takes one file");
    const std::string& fileName = args.Plain().front();
    std::ifstream record(fileName, std::ios::binary);
    if (!record)
        throw EVxSimFileError(fileName + ": cannot be read");
    TVxSimReplay replay;
    try {
        replay = VxSimReplay(record);
    } catch (const EVxSimRecordError& e) {
        throw EVxSimFileError(fileName + ": " + e.what());
    }
    if (replay.Differing == 0) {
        out << "replay: all " << replay.Answers << " answers are the same\n";
        return VxSimExitOk;
    }
    out << "replay: " << replay.Differing << " of " << replay.Answers
        << " answers differ; the first:\n"
        << replay.FirstDifference << '\n';
    return VxSimExitReplayDiffers;
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
    out << (format == "json" ? VxSimStudyJson(options, results) + "\n"
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
    out << VxSimGameJson(game, fileName);
    return VxSimExitOk;
}

int ListStrategies(const std::vector<std::string>& rest, std::ostream& out) {
    NoPlainArguments(TVxSimArgs(rest, {}));
    for (const TVxSimStrategyInfo& info : VxSimStrategies())
        out << info.Name << std::string(info.Name.size() < 8 ? 8 - info.Name.size() : 1, ' ')
            << info.Description << '\n';
    return VxSimExitOk;
}

} // namespace

std::string VxSimUsage() {
    return "usage: ridolt-sim COMMAND [OPTIONS]\n"
           "\n"
           "  run --seed N --months M --strategy NAME [--format csv|jsonl]\n"
           "      [--load FILE] [--save FILE]\n"
           "      Plays one game for up to M months and prints one line a month:\n"
           "      year, month, cash, value of the holdings, companies held, tax\n"
           "      paid and events.  --load continues a saved game (give the seed\n"
           "      of the run that saved it to continue that run exactly); --save\n"
           "      writes the game at the end.\n"
           "  serve [--seed N] [--load FILE] [--record FILE]\n"
           "      Serves one game to a program: JSON requests, one a line, on\n"
           "      standard input, one JSON answer a line on standard output (the\n"
           "      protocol is in docs/serve-protocol.md).  Without --seed the seed\n"
           "      is drawn and told in the first line.  --record keeps the session.\n"
           "  replay FILE\n"
           "      Plays a session recorded by serve --record again and says\n"
           "      whether every answer is the same.\n"
           "  study --games G --months M --strategy NAME [--seed FIRST]\n"
           "      [--threads T] [--format text|json]\n"
           "      Plays the games of seeds FIRST..FIRST+G-1 (FIRST is 1 unless\n"
           "      given) on T threads (all cores unless given) and prints the win\n"
           "      and loss rates and the quantiles of the final fortune and of the\n"
           "      months to win.\n"
           "  inspect FILE\n"
           "      Prints a save file as JSON, or why it cannot be loaded.\n"
           "  strategies\n"
           "      Lists the strategies.\n"
           "  help\n"
           "      Prints this text.\n"
           "\n"
           "Money is in units of 10,000 yen (万円).  Exit status: 0 done, 1 a file\n"
           "could not be read or written, 2 a wrong command line, 3 a replay\n"
           "whose answers differ.\n";
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
        if (command == "run")
            return Run(rest, out);
        if (command == "serve")
            return Serve(rest, in, out);
        if (command == "replay")
            return Replay(rest, out);
        if (command == "study")
            return Study(rest, out, err, progress);
        if (command == "inspect")
            return Inspect(rest, out);
        if (command == "strategies")
            return ListStrategies(rest, out);
        if (command == "help" || command == "--help" || command == "-h") {
            out << VxSimUsage();
            return VxSimExitOk;
        }
        throw EVxSimUsage("unknown command \"" + command + "\"");
    } catch (const EVxSimUsage& e) {
        err << "ridolt-sim: " << e.what() << "\n\n" << VxSimUsage();
        return VxSimExitUsage;
    } catch (const EVxSimFileError& e) {
        err << "ridolt-sim: " << e.what() << '\n';
        return VxSimExitFailure;
    } catch (const std::exception& e) {
        // Out of memory or a fault of the simulator itself: report it
        // rather than abort.
        err << "ridolt-sim: " << command << " failed: " << e.what() << '\n';
        return VxSimExitFailure;
    }
}
