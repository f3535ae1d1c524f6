#include "components/VxTimer.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <utility>

uint32_t VxGetTickCount() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart);
    return static_cast<uint32_t>(milliseconds.count());
}

TVxTimer::TVxTimer(QObject* parent, TVxTickSource tickSource)
    : QObject(parent), FTickSource(std::move(tickSource)) {
    connect(&FTimer, &QTimer::timeout, this, &TVxTimer::Fire);
    FStartTick = FTickSource();
    FLastTick = FStartTick;
    UpdateTimer();
}

void TVxTimer::SetEnabled(bool value) {
    if (value) {
        FStartTick = FTickSource();
        FLastTick = FStartTick;
        FTimerCount = 0;
    }
    FEnabled = value;
    UpdateTimer();
}

void TVxTimer::SetInterval(int milliseconds) {
    FInterval = std::max(milliseconds, 0);
    UpdateTimer();
}

void TVxTimer::SetFireWhenIdle(bool value) {
    FFireWhenIdle = value;
    UpdateTimer();
}

void TVxTimer::UpdateTimer() {
    // Qt fires a timer of 0 ms once the events waiting have been handled.
    if (FEnabled && FFireWhenIdle)
        FTimer.start(0);
    else if (FEnabled && FInterval > 0)
        FTimer.start(FInterval);
    else
        FTimer.stop();
}

void TVxTimer::Fire() {
    emit Timer();
    // A timer left running for weeks at 1 ms would overflow the count;
    // it stays at the largest value instead.
    if (FTimerCount < std::numeric_limits<int32_t>::max())
        ++FTimerCount;
    FLastTick = FTickSource();
}
