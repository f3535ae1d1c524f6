#pragma once

// The history file: a game's history (VxGameHistory.h) stored as text
// beside its save file, under the save file's name with ".history" added
// ("0savedata.sav.history").  The save file itself stays as it always was,
// so every program that reads save files reads them as before.
//
// Version 2, UTF-8 text, lines ending in "\n", numbers in decimal.  After
// the version line come one or more roads, each the history of one save
// file, named by the SHA-256 digest of that file's bytes (VxSaveDigest.h):
//
//     ridolt-history 2
//     save 5d0f...(64 hex digits)
//     seed 7                  ("seed none" for a game not drawn from a seed)
//     origin new              ("origin loaded": begun at a loaded save's month)
//     months 2
//     year month cash value tax bankruptcies trades bought sold fees_yen
//     0 0 2780 200 0 0 1 220 0 200000
//     0 1 2750 204 0 0 0 0 0 0
//     end
//     save 9c41...
//     seed 7
//     ...
//     end
//
// One line a calendar month, oldest first, consecutive; `year` and `month`
// as the game keeps them, from 0 (the first line above is 1年目1月); money
// in 万円, fees in yen.  The count and the closing "end" tell a cut road
// from a whole one.  Version 1 is the same with one road and no "save"
// line; it is still read.  Anything else is refused: a file of a later
// version is not misread.
//
// The pair rule, which keeps a save and its history together:
// - A history is adopted only for the save it names: the road whose digest
//   is that of the save's exact bytes.  A road of version 1, which names no
//   save, is adopted when its last month has the save's calendar and cash.
//   A save whose history names it nowhere loads as a game whose history
//   starts at its own month; it never goes on with another game's road.
// - A save is written with its history first, then the save itself
//   (TVxGame::SaveToFile), each by a rename of a file already on the disk
//   (VxFileReplace.h).  The history written holds the new save's road and
//   the road of the save it is about to replace, so that a kill at any
//   instant leaves a save whose road is beside it: before the first rename
//   the old pair, between the two the old save with the new history (which
//   holds its road), after both the new pair.  It holds no more than these
//   two roads.
// - Two programs saving the same file at once can leave one's save beside
//   the other's history.  That history names the other save, so the save
//   loads without a road rather than with the wrong one.

#include "game/VxGameHistory.h"
#include "game/VxSaveDigest.h"

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A history file that is not one, is damaged or cut, or holds values no
// game can reach.
class EVxHistoryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int VxHistoryFileVersion = 2;

// One road of a history file: the history of the save file whose bytes
// have the digest `Save` (none in a file of version 1).
struct TVxHistoryRoad {
    std::optional<TVxSaveDigest> Save;
    TVxGameHistory History;
};

// The path of the history file of the save file `savePath`.
std::string VxHistoryPath(const std::string& savePath);

// The file's text for `roads`, which must each name their save.
std::string VxHistoryText(std::span<const TVxHistoryRoad> roads);

// The roads a file's text holds, in the order written.  Throws
// EVxHistoryError.
std::vector<TVxHistoryRoad> VxReadHistoryFile(std::string_view text);
