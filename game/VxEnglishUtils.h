#pragma once

// English number formatting, beside the Japanese of VxUtils.h: amounts in
// yen written out to the yen with digits grouped by three ("¥30,000,000"
// where the Japanese reads 3000万円), signs before the yen sign ("-¥50",
// "+¥1,000"), and the calendar counted from 1 ("Year 3, Month 7").
//
// They show what the Japanese shows, to the same yen: a value counted in 万
// is its value times 10000, and 0 is "¥0", with no sign, as the Japanese
// "0" has none.

#include <cstdint>
#include <string>

// An amount of yen: "¥1,906", "-¥2,147,483,648", with `showPlus` "+¥100".
std::string YenStr(int64_t yen, bool showPlus);

// A value counted in 万 (money), as yen: 3000 is "¥30,000,000".  Every
// 64-bit value is written, also those whose yen pass 64 bits.
std::string ManToYenStr(int64_t value, bool showPlus);

// The calendar as the English player sees it, "Year %d, Month %d": `year`
// and `month` as the game keeps them, counted from 0, are shown counted
// from 1.
std::string EnglishCalendarText(int32_t year, int32_t month);
