#pragma once

// The protocol's texts for what the game tells the player: the lines of a
// request's "messages" and why a trade was refused, word for word the
// Japanese the game has always shown, which bots may match; and what a
// save file holds that no game could have written.

#include "game/VxGame.h"
#include "game/VxGameEvents.h"
#include "game/VxTrade.h"

#include <string>
#include <vector>

// The messages of `event`, in order: the log's lines, or the text of the
// box of an event that waits (VxEventWaits), without its caption.
std::vector<std::string> VxSimEventMessages(const TVxGameEvent& event);

// Why `result` was refused: "取引できません: 資金が足りません (1千株,
// 110万円)"; empty for a settled trade.
std::string VxSimRefusalMessage(const TVxTradeResult& result);

// What `error` found in a save file: "セーブデータが不正です: Month = 12".
std::string VxSimLoadFaultMessage(const EVxLoadError& error);
