#pragma once

// Running ridolt-sim's command line in-process and reading its output.

#include "sim/VxSimCli.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

struct TSimResult {
    int Status;
    std::string Out;
    std::string Err;
};

// `input` is what `serve` reads.
inline TSimResult RunSim(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = VxSimMain(args, in, out, err, false);
    return {status, out.str(), err.str()};
}

// The command line of `run`.
inline std::vector<std::string> RunArgs(const std::string& strategy, uint64_t seed, int months,
                                        const std::string& format = "csv") {
    return {"run",        "--seed", std::to_string(seed), "--months", std::to_string(months),
            "--strategy", strategy, "--format",           format};
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
