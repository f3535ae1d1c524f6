#pragma once

// Running ridolt-sim's command line in-process and reading its output.

#include "sim/VxSimCli.h"

#include <rapidjson/document.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
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

// Standard output on a full disk: takes `room` bytes, then every write
// fails with ENOSPC, as /dev/full does from the first.
class TFullOutput : public std::streambuf {
public:
    explicit TFullOutput(size_t room) : FRoom(room) {}

protected:
    int_type overflow(int_type c) override {
        if (FRoom == 0) {
            errno = ENOSPC;
            return traits_type::eof();
        }
        --FRoom;
        return traits_type::not_eof(c);
    }

private:
    size_t FRoom;
};

// RunSim with standard output on a disk that fills after `room` bytes.
inline TSimResult RunSimOnFullDisk(const std::vector<std::string>& args, size_t room,
                                   const std::string& input = "") {
    std::istringstream in(input);
    TFullOutput full(room);
    std::ostream out(&full);
    std::ostringstream err;
    const int status = VxSimMain(args, in, out, err, false);
    return {status, "", err.str()};
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

// One JSON object, as `serve` answers a request; a failure when it is none.
inline rapidjson::Document Parsed(std::string_view answer) {
    rapidjson::Document document;
    document.Parse(answer.data(), answer.size());
    EXPECT_FALSE(document.HasParseError()) << answer;
    EXPECT_TRUE(document.IsObject()) << answer;
    return document;
}
