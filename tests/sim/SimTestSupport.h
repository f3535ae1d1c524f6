#pragma once

// Running ridolt-sim's command line in-process, and scratch files that
// clean up after themselves.

#include "sim/VxSimCli.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

struct TSimResult {
    int Status;
    std::string Out;
    std::string Err;
};

inline TSimResult RunSim(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = VxSimMain(args, out, err, false);
    return {status, out.str(), err.str()};
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A folder of its own for one test, removed with everything in it.
class TScratchDir {
public:
    TScratchDir() {
        const auto base = std::filesystem::temp_directory_path();
        for (int i = 0;; ++i) {
            FPath =
                base / ("ridolt-sim-test-" + std::to_string(getpid()) + "-" + std::to_string(i));
            if (std::filesystem::create_directory(FPath))
                break;
        }
    }
    ~TScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    std::string File(const std::string& name) const { return (FPath / name).string(); }

private:
    std::filesystem::path FPath;
};
