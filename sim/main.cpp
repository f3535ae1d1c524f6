// ridolt-sim: the game played headless by a strategy or served to a program,
// for replays, studies of the game's balance and a look inside save files.

#include "platform/VxFileReplace.h"
#include "sim/VxSimCli.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char* argv[]) {
    // Ended by SIGTERM, SIGINT or SIGHUP in the middle of a save, the
    // program leaves no temporary file behind.
    VxRemoveTemporaryFilesOnSignals();
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return VxSimMain(args, std::cin, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
