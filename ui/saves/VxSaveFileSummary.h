#pragma once

// The summary of a save file (game/VxSaveFileSummary.h) read from a file
// on disk: the load menu shows it.

#include "game/VxSaveFileSummary.h"

#include <QString>

#include <optional>

// The calendar and cash of the save file at `path`; none when no regular
// file is there or when it does not begin as this game's save files do.
std::optional<TVxSaveFileSummary> ReadSaveFileSummary(const QString& path);
