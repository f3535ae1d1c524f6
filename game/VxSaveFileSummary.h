#pragma once

// Where the game of a save file stands, read from the fields that follow
// the file's header without loading the file: the load menu shows it.

#include "game/VxGameSaveData.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

struct TVxSaveFileSummary {
    int32_t Year = 0;  // from 0
    int32_t Month = 0; // 0..11
    int32_t Money = 0; // 万円
};

// How much of a save file its summary is read from: the header, then
// Month, Money and Year.
inline constexpr size_t SaveFileSummarySize = TVxGameSaveData::Size + 3 * 4;

// The calendar and cash of the save file that begins with `bytes`; none
// when `bytes` do not begin as this game's save files do (the header byte
// for byte, a month of 0..11, a year from 0) or are shorter than
// SaveFileSummarySize.  Nothing after that is read: a file cut short or
// damaged further on is still summed up, and refused only when it is
// loaded.
std::optional<TVxSaveFileSummary> VxReadSaveFileSummary(std::span<const uint8_t> bytes);
