#pragma once

// A progress bar for a long study, redrawn on one line of a terminal by a
// thread of its own while the games run, and wiped when it goes away.

#include <atomic>
#include <cstdint>
#include <ostream>
#include <thread>

class TVxSimProgressBar {
public:
    TVxSimProgressBar(std::ostream& out, const std::atomic<int64_t>& done, int64_t total);
    ~TVxSimProgressBar();
    TVxSimProgressBar(const TVxSimProgressBar&) = delete;
    TVxSimProgressBar& operator=(const TVxSimProgressBar&) = delete;

private:
    void Draw(int64_t done);

    std::ostream& FOut;
    const std::atomic<int64_t>& FDone;
    int64_t FTotal;
    std::jthread FThread;
};
