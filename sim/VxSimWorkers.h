#pragma once

// A fixed pool of threads that runs one batch of jobs at a time, for work
// that comes in many short rounds (a month of many games) where starting
// threads for each round would cost more than the round.  Between rounds
// the workers sleep.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class TVxSimWorkers {
public:
    // `threads` threads in all: the caller of Run and threads - 1 workers.
    explicit TVxSimWorkers(int32_t threads);
    ~TVxSimWorkers();
    TVxSimWorkers(const TVxSimWorkers&) = delete;
    TVxSimWorkers& operator=(const TVxSimWorkers&) = delete;

    int32_t Threads() const { return static_cast<int32_t>(FWorkers.size()) + 1; }

    // Runs job(i) for every i in 0..count - 1, each once, on whichever
    // thread is free, and returns when all have ended.  The first exception
    // a job throws ends the round early and is thrown here.
    void Run(size_t count, const std::function<void(size_t)>& job);

private:
    void Work();
    // Runs jobs of the round until none is left.
    void Take();

    std::mutex FLock;
    std::condition_variable FStart;
    std::condition_variable FDone;
    uint64_t FRound = 0;
    size_t FBusy = 0; // workers still in the round
    bool FStop = false;
    const std::function<void(size_t)>* FJob = nullptr;
    size_t FCount = 0;
    std::atomic<size_t> FNext{0};
    std::exception_ptr FFailure;
    std::vector<std::jthread> FWorkers;
};
