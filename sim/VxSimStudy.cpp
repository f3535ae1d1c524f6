#include "sim/VxSimStudy.h"

#include "sim/VxSimFields.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimJson.h"
#include "sim/VxSimStrategy.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

constexpr std::array<std::pair<const char*, double>, 7> Quantiles{{{"min", 0.0},
                                                                   {"p10", 0.10},
                                                                   {"p25", 0.25},
                                                                   {"median", 0.50},
                                                                   {"p75", 0.75},
                                                                   {"p90", 0.90},
                                                                   {"max", 1.0}}};

struct TSummary {
    int64_t Won = 0;
    int64_t Lost = 0;
    int64_t Stuck = 0;
    int64_t Playing = 0;
    std::vector<int64_t> Fortunes;
    std::vector<int64_t> MonthsToWin;
};

TSummary Summarise(const std::vector<TVxSimGameResult>& results) {
    TSummary summary;
    for (const TVxSimGameResult& result : results) {
        summary.Fortunes.push_back(result.Fortune);
        switch (result.Outcome) {
        case TVxSimOutcome::Won:
            ++summary.Won;
            summary.MonthsToWin.push_back(result.Months);
            break;
        case TVxSimOutcome::Lost:
            ++summary.Lost;
            break;
        case TVxSimOutcome::Stuck:
            ++summary.Stuck;
            break;
        case TVxSimOutcome::Playing:
            ++summary.Playing;
            break;
        }
    }
    return summary;
}

double Percent(int64_t part, size_t whole) {
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

std::string QuantileText(std::vector<int64_t> values) {
    if (values.empty())
        return "none";
    std::string text;
    for (const auto& [name, q] : Quantiles)
        text += std::string(text.empty() ? "" : "  ") + name + ' ' +
                std::to_string(VxSimQuantile(values, q));
    return text;
}

void QuantileJson(TVxSimFields& fields, std::vector<int64_t> values) {
    fields.Field("count", static_cast<int64_t>(values.size()));
    if (!values.empty())
        for (const auto& [name, q] : Quantiles)
            fields.Field(name, VxSimQuantile(values, q));
}

std::string SeedRange(const TVxSimStudyOptions& options) {
    return std::to_string(options.FirstSeed) + ".." +
           std::to_string(options.FirstSeed + static_cast<uint64_t>(options.Games) - 1);
}

} // namespace

TVxSimGameResult VxSimPlayGame(const std::string& strategy, uint64_t seed, int64_t months) {
    std::unique_ptr<TVxSimStrategy> player = VxSimCreateStrategy(strategy);
    if (!player)
        throw std::invalid_argument("unknown strategy: " + strategy);
    TVxSimGame game(seed, std::move(player));
    game.NewGame();
    TVxSimGameResult result;
    while (result.Months < months && !game.Ended()) {
        const TVxSimMonth month = game.PlayMonth();
        for (const TVxSimEvent& event : month.Events) {
            if (event.Kind == TVxSimEventKind::GameClear)
                result.Outcome = TVxSimOutcome::Won;
            else if (event.Kind == TVxSimEventKind::GameOver)
                result.Outcome = TVxSimOutcome::Lost;
            else if (event.Kind == TVxSimEventKind::Stuck)
                result.Outcome = TVxSimOutcome::Stuck;
        }
        // A win comes from the month's trades, before its turn.
        if (result.Outcome != TVxSimOutcome::Won)
            ++result.Months;
    }
    result.Fortune = game.Fortune();
    return result;
}

std::vector<TVxSimGameResult> VxSimRunStudy(const TVxSimStudyOptions& options,
                                            std::atomic<int64_t>& gamesDone) {
    if (!VxSimCreateStrategy(options.Strategy))
        throw std::invalid_argument("unknown strategy: " + options.Strategy);
    std::vector<TVxSimGameResult> results(static_cast<size_t>(options.Games));
    std::atomic<int64_t> nextGame{0};
    std::exception_ptr failure;
    std::mutex failureLock;

    // Games are handed out one at a time: they differ a lot in length (a
    // lost game ends early), so fixed shares would leave threads idle.
    const auto work = [&] {
        try {
            for (int64_t i = nextGame++; i < options.Games; i = nextGame++) {
                results[static_cast<size_t>(i)] = VxSimPlayGame(
                    options.Strategy, options.FirstSeed + static_cast<uint64_t>(i), options.Months);
                ++gamesDone;
            }
        } catch (...) {
            const std::lock_guard lock(failureLock);
            if (!failure)
                failure = std::current_exception();
            nextGame = options.Games;
        }
    };
    const auto threadCount = static_cast<int64_t>(std::max(options.Threads, 1));
    std::vector<std::jthread> threads;
    for (int64_t t = 1; t < std::min(threadCount, options.Games); ++t)
        threads.emplace_back(work);
    work();
    threads.clear();
    if (failure)
        std::rethrow_exception(failure);
    return results;
}

int64_t VxSimQuantile(std::vector<int64_t>& values, double q) {
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(q * static_cast<double>(values.size()));
    const auto index = static_cast<size_t>(std::max(rank, 1.0)) - 1;
    return values[std::min(index, values.size() - 1)];
}

std::string VxSimStudyText(const TVxSimStudyOptions& options,
                           const std::vector<TVxSimGameResult>& results) {
    const TSummary summary = Summarise(results);
    const size_t n = results.size();
    char line[160];
    std::string text = "strategy " + options.Strategy + ": " + std::to_string(n) +
                       " games (seeds " + SeedRange(options) + ") of up to " +
                       std::to_string(options.Months) + " months\n";
    const std::array<std::pair<const char*, int64_t>, 4> outcomes{{{"won", summary.Won},
                                                                   {"lost", summary.Lost},
                                                                   {"stuck", summary.Stuck},
                                                                   {"playing", summary.Playing}}};
    for (const auto& [name, count] : outcomes) {
        std::snprintf(line, sizeof line, "%-8s %6.1f %%  (%lld)\n", name, Percent(count, n),
                      static_cast<long long>(count));
        text += line;
    }
    text += "final fortune (万円): " + QuantileText(summary.Fortunes) + "\n";
    text += "months to win: " + QuantileText(summary.MonthsToWin) + "\n";
    return text;
}

std::string VxSimStudyJson(const TVxSimStudyOptions& options,
                           const std::vector<TVxSimGameResult>& results) {
    const TSummary summary = Summarise(results);
    const size_t n = results.size();
    TVxSimJsonWriter json;
    {
        TVxSimFields fields(json);
        fields.Field("strategy", options.Strategy)
            .Field("games", static_cast<int64_t>(n))
            .Field("first_seed", options.FirstSeed)
            .Field("months", options.Months);
        for (const auto& [name, count] :
             {std::pair{"won", summary.Won}, std::pair{"lost", summary.Lost},
              std::pair{"stuck", summary.Stuck}, std::pair{"playing", summary.Playing}})
            fields.Field(name, count)
                .Fraction(std::string(name) + "_rate", Percent(count, n) / 100, 4);
        fields.Object("final_fortune",
                      [&](TVxSimFields& object) { QuantileJson(object, summary.Fortunes); });
        fields.Object("months_to_win",
                      [&](TVxSimFields& object) { QuantileJson(object, summary.MonthsToWin); });
    }
    return std::string(json.Text());
}
