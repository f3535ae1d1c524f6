#pragma once

// Japanese large-number formatting.  Digits are grouped by powers of ten
// thousand, each group followed by its unit (兆, 億, 万), with empty groups
// left out and no padding: 100000001 is "1億1" from IntToKanjiStr.  The
// highest unit takes whatever is above it: 500000000000 is "5000兆" from
// ManToKanjiStr.
//
// The most negative 32-bit value, -2147483648, is written from its 64-bit
// magnitude: "-21兆4748億3648万" and "-21億4748万3648".

#include <cstdint>
#include <string>

// A value counted in 万 (money): units 兆, 億, 万.  Sums of money pass
// 32 bits, so it takes 64.
std::string ManToKanjiStr(int64_t value, bool showPlus);

// A plain value (a price in yen): units 億, 万, none for the lowest group.
std::string IntToKanjiStr(int32_t value, bool showPlus);

// The calendar as the player sees it, "%d年目%d月": `year` and `month` as
// the game keeps them, counted from 0, are shown counted from 1.
std::string CalendarText(int32_t year, int32_t month);
