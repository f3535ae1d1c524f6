#pragma once

// `inspect`: a save file shown as JSON, read by the game's own loader, or
// the reason why the loader refuses it.

#include "game/VxGame.h"

#include <exception>
#include <string>

// The game as JSON: the calendar (as stored, counted from 0, and as shown),
// the cash, the yearly totals, the holdings, every company in file order,
// and the game's history: the one stored beside the file, or one that
// starts at the file's month.
std::string VxSimGameJson(const TVxGame& game, const std::string& fileName);

// Why loading `fileName` failed with `error` (an exception thrown by
// TVxGame::LoadFromFile), in one line for a person.
std::string VxSimLoadErrorText(const std::string& fileName, const std::exception_ptr& error);
