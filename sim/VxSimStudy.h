#pragma once

// A Monte-Carlo study: many games of one strategy, one seed each, played
// on several threads.  Every game depends on its seed alone and the results
// are kept in seed order, so the figures do not depend on the number of
// threads or on which thread played which game.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TVxSimStudyOptions {
    std::string Strategy;
    uint64_t FirstSeed = 1;
    int64_t Games = 0;
    int64_t Months = 0;
    int32_t Threads = 1;
};

enum class TVxSimOutcome { Won, Lost, Stuck, Playing };

struct TVxSimGameResult {
    TVxSimOutcome Outcome = TVxSimOutcome::Playing;
    int64_t Fortune = 0; // cash plus the market value of the holdings at the end, 万円
    int64_t Months = 0;  // months played
};

// Plays the game of `seed` for at most `months` months.  Throws
// std::invalid_argument for an unknown strategy.
TVxSimGameResult VxSimPlayGame(const std::string& strategy, uint64_t seed, int64_t months);

// Plays every game of the study; entry i is the game of seed FirstSeed + i.
// `gamesDone` counts finished games as they finish, for a progress display
// on another thread.
std::vector<TVxSimGameResult> VxSimRunStudy(const TVxSimStudyOptions& options,
                                            std::atomic<int64_t>& gamesDone);

// The quantile `q` (0..1) of `values` by nearest rank; `values` must not be
// empty and is sorted in place.
int64_t VxSimQuantile(std::vector<int64_t>& values, double q);

// The study's figures as text for a reader or as one JSON object.
std::string VxSimStudyText(const TVxSimStudyOptions& options,
                           const std::vector<TVxSimGameResult>& results);
std::string VxSimStudyJson(const TVxSimStudyOptions& options,
                           const std::vector<TVxSimGameResult>& results);
