#pragma once

// The history file: a game's history (VxGameHistory.h) stored as text
// beside its save file, under the save file's name with ".history" added
// ("0savedata.sav.history").  The save file itself stays as it always was,
// so every program that reads save files reads them as before.
//
// Version 1, UTF-8 text, lines ending in "\n", numbers in decimal:
//
//     ridolt-history 1
//     seed 7                  ("seed none" for a game not drawn from a seed)
//     origin new              ("origin loaded": begun at a loaded save's month)
//     months 2
//     year month cash value tax bankruptcies trades bought sold fees_yen
//     0 0 2780 200 0 0 1 220 0 200000
//     0 1 2750 204 0 0 0 0 0 0
//     end
//
// One line a calendar month, oldest first, consecutive; `year` and `month`
// as the game keeps them, from 0 (the first line above is 1年目1月); money
// in 万円, fees in yen.  The count and the closing "end" tell a cut file
// from a whole one.  Anything else is refused: a reader of version 1
// refuses a file of another version rather than misread it.

#include "game/VxGameHistory.h"

#include <stdexcept>
#include <string>
#include <string_view>

// A history file that is not one, is damaged or cut, or holds values no
// game can reach.
class EVxHistoryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int VxHistoryFileVersion = 1;

// The path of the history file of the save file `savePath`.
std::string VxHistoryPath(const std::string& savePath);

// The file's text for `history`.
std::string VxHistoryText(const TVxGameHistory& history);

// The history a file's text holds.  Throws EVxHistoryError.
TVxGameHistory VxReadHistory(std::string_view text);
