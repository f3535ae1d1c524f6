#pragma once

// Where the game of a save file stands, read from the fields that follow
// the file's header without loading the file: the load menu shows it.

#include <QString>

#include <cstdint>
#include <optional>

struct TVxSaveFileSummary {
    int32_t Year = 0;  // from 0
    int32_t Month = 0; // 0..11
    int32_t Money = 0; // 万円
};

// The calendar and cash of the save file at `path`; none when no regular
// file is there or when it does not begin as this game's save files do
// (the header byte for byte, a month of 0..11, a year from 0).  The rest
// of the file is not read: a file cut short or damaged further on is still
// summed up, and refused only when it is loaded.
std::optional<TVxSaveFileSummary> ReadSaveFileSummary(const QString& path);
