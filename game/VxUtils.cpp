#include "game/VxUtils.h"

#include <array>

namespace {

std::string KanjiStr(int64_t value, bool showPlus, const std::array<const char*, 3>& units) {
    const int64_t magnitude = value < 0 ? -value : value;
    const int64_t groups[3] = {magnitude / 100000000, magnitude % 100000000 / 10000,
                               magnitude % 10000};
    std::string text;
    for (size_t i = 0; i < 3; ++i) {
        if (groups[i] > 0) {
            text += std::to_string(groups[i]);
            text += units[i];
        }
    }
    if (text.empty())
        return "0";
    if (value < 0)
        return "-" + text;
    if (showPlus)
        return "+" + text;
    return text;
}

} // namespace

std::string ManToKanjiStr(int64_t value, bool showPlus) {
    return KanjiStr(value, showPlus, {"兆", "億", "万"});
}

std::string IntToKanjiStr(int32_t value, bool showPlus) {
    return KanjiStr(value, showPlus, {"億", "万", ""});
}

std::string CalendarText(int32_t year, int32_t month) {
    return std::to_string(int64_t{year} + 1) + "年目" + std::to_string(int64_t{month} + 1) + "月";
}
