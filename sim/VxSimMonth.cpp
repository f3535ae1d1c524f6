#include "sim/VxSimMonth.h"

#include <algorithm>

bool TVxSimMonth::Ends() const {
    return std::any_of(Events.begin(), Events.end(), [](const TVxSimEvent& event) {
        return event.Kind == TVxSimEventKind::GameClear ||
               event.Kind == TVxSimEventKind::GameOver || event.Kind == TVxSimEventKind::Stuck;
    });
}

std::string_view VxSimEventName(TVxSimEventKind kind) {
    switch (kind) {
    case TVxSimEventKind::Refused:
        return "refused";
    case TVxSimEventKind::Bankruptcy:
        return "bankruptcy";
    case TVxSimEventKind::GameClear:
        return "game_clear";
    case TVxSimEventKind::GameOver:
        return "game_over";
    case TVxSimEventKind::Stuck:
        return "stuck";
    }
    return "unknown";
}
