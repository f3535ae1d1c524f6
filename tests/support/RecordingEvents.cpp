#include "tests/support/RecordingEvents.h"

#include <algorithm>

namespace {

std::vector<TVxGameEvent> Those(const std::vector<TToldEvent>& told, bool waiting) {
    std::vector<TVxGameEvent> events;
    for (const TToldEvent& one : told)
        if (VxEventWaits(one.Event) == waiting)
            events.push_back(one.Event);
    return events;
}

} // namespace

void TRecordingEvents::Happened(const TVxGameEvent& event) {
    Told.push_back({event, Watched != nullptr && Watched->GameEnd});
}

void TRecordingEvents::BeginUpdate() {
    MaxDepth = std::max(MaxDepth, ++Depth);
}

std::vector<TVxGameEvent> TRecordingEvents::Passing() const {
    return Those(Told, false);
}

std::vector<TVxGameEvent> TRecordingEvents::Waiting() const {
    return Those(Told, true);
}

void TRecordingEvents::Forget() {
    Told.clear();
    MaxDepth = 0;
}
