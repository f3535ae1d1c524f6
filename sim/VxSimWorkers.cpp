#include "sim/VxSimWorkers.h"

TVxSimWorkers::TVxSimWorkers(int32_t threads) {
    for (int32_t t = 1; t < threads; ++t)
        FWorkers.emplace_back([this] { Work(); });
}

TVxSimWorkers::~TVxSimWorkers() {
    {
        const std::lock_guard lock(FLock);
        FStop = true;
    }
    FStart.notify_all();
    FWorkers.clear();
}

void TVxSimWorkers::Run(size_t count, const std::function<void(size_t)>& job) {
    {
        const std::lock_guard lock(FLock);
        FJob = &job;
        FCount = count;
        FNext = 0;
        FFailure = nullptr;
        FBusy = FWorkers.size();
        ++FRound;
    }
    FStart.notify_all();
    Take();
    std::unique_lock lock(FLock);
    FDone.wait(lock, [this] { return FBusy == 0; });
    if (FFailure)
        std::rethrow_exception(FFailure);
}

void TVxSimWorkers::Work() {
    uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(FLock);
            FStart.wait(lock, [&] { return FStop || FRound != seen; });
            if (FStop)
                return;
            seen = FRound;
        }
        Take();
        const std::lock_guard lock(FLock);
        if (--FBusy == 0)
            FDone.notify_one();
    }
}

void TVxSimWorkers::Take() {
    for (size_t i = FNext++; i < FCount; i = FNext++) {
        try {
            (*FJob)(i);
        } catch (...) {
            const std::lock_guard lock(FLock);
            if (!FFailure)
                FFailure = std::current_exception();
            FNext = FCount;
        }
    }
}
