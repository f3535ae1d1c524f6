#include "game/VxEnglishUtils.h"

namespace {

// `digits` (a magnitude without sign) grouped by three, with its sign and
// the yen sign before it.
std::string Grouped(const std::string& digits, bool negative, bool showPlus) {
    std::string text;
    if (digits != "0")
        text = negative ? "-" : showPlus ? "+" : "";
    text += "¥";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

// The magnitude of `value`, also of the most negative one.
uint64_t Magnitude(int64_t value) {
    return value < 0 ? uint64_t{0} - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

} // namespace

std::string YenStr(int64_t yen, bool showPlus) {
    return Grouped(std::to_string(Magnitude(yen)), yen < 0, showPlus);
}

std::string ManToYenStr(int64_t value, bool showPlus) {
    const std::string man = std::to_string(Magnitude(value));
    return Grouped(value == 0 ? man : man + "0000", value < 0, showPlus);
}

std::string EnglishCalendarText(int32_t year, int32_t month) {
    return "Year " + std::to_string(int64_t{year} + 1) + ", Month " +
           std::to_string(int64_t{month} + 1);
}
