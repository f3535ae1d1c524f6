#pragma once

// One kept game read whole, exactly as loading it would read it (the save
// file checked whole, its history beside it taken when it is the game's),
// into a game of its own: the game in the window is never touched.  The
// load menu shows what it finds, and the window asks whether a game it has
// just loaded is a kept one.

#include "game/VxSaveFileSummary.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

class TVxGame;

struct TVxKeptGame {
    QString Path;
    QDateTime LastPlayed;
    // Why it cannot be loaded, as the box of a failed load says it
    // (LoadFailureReason); empty when it loads.
    QString Damage;
    // Where the game stands; only when it loads.
    TVxSaveFileSummary Summary;
    // The seed its history holds; none without a history (or of a game not
    // drawn from a seed).
    std::optional<uint64_t> Seed;
};

// The kept game at `path`, last written at `lastPlayed`.
TVxKeptGame VxReadKeptGame(const QString& path, const QDateTime& lastPlayed);

// `game`, just loaded and not yet played, is the kept game at `path`: the
// same save file, byte for byte but for the order of the companies (the
// lists' sort order), and the same history.
bool VxHoldsKeptGame(TVxGame& game, const QString& path);
