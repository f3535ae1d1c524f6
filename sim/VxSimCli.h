#pragma once

// The command line of ridolt-sim: the subcommands run, serve, replay, study,
// inspect and strategies.  Kept apart from main() so that tests can run it in-process.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// Exit codes: 0 done, 1 a file or the output could not be read or written
// (or a replayed record is cut short), 2 the command line is wrong (the
// usage text follows the message), 3 a replay got an answer that differs
// from the record.
inline constexpr int VxSimExitOk = 0;
inline constexpr int VxSimExitFailure = 1;
inline constexpr int VxSimExitUsage = 2;
inline constexpr int VxSimExitReplayDiffers = 3;

// Runs the command `args` (without the program name).  `serve` reads its
// requests from `in`; results go to `out`, messages to `err`; with
// `progress` a study draws a progress bar on `err`.  "COMMAND --help"
// prints that command's usage.
int VxSimMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err, bool progress);

// The usage text of every command.
std::string VxSimUsage();
