#pragma once

// The texts of the 資産推移 page: yen beyond 32 bits, a month read out, the length of a game, the
// stake multiple and the line that tells how a game ended.

#include "ui/words/VxMoneyText.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <optional>

// What the simulator's trend rules are called where they race the player.
inline QString AssetBotName() {
    return QCoreApplication::translate("VxAssetText", "トレンド戦略");
}

class TVxGame;
struct TVxGameEnd;
struct TVxHistoryMonth;

// What the chart reads out for `month`:
// "12年目3月 総資産 1億2000万円 (資金 2000万円, 株式 1億円, 前月比 +1000万円 +9.09%)".
// The change is the one from `previous`, the month before; the per cent
// only where that month's 総資産 was above 0.  The first month of a
// history (no `previous`) has no 前月比.  With the trend rules' 総資産 of
// the same month, `bot` (万円), it ends in " トレンド戦略 9000万円".
QString AssetMonthReadout(const TVxHistoryMonth& month, const TVxHistoryMonth* previous,
                          std::optional<int64_t> bot = std::nullopt);

// The change of 総資産 from `previous` to `month`, as the list's 前月比
// column writes it: "+1000万円"; empty without `previous`.
QString AssetMonthChangeText(const TVxHistoryMonth& month, const TVxHistoryMonth* previous);

// A length of `months` months: "41年5か月", "3年", "7か月", "0か月".
QString ElapsedText(int64_t months);

// The goal reached after `months` months of a game: "3000億円まで 41年5か月".
QString GoalReachedText(int64_t months);

// `total` (万円) as a multiple of the stake, 3000万円: "×1.5", "×42.0",
// and past a hundredfold in whole times, "×10,000".
QString StakeMultipleText(int64_t total);

// How a game ended: "3000億円まで 41年5か月" (from the first month of the
// game to the month its cash reached the goal), or "12年目3月に破産" (the
// month the cash fell below 0 and ended the game).
QString GameEndText(const TVxGameEnd& end);

// How `game` ended (TVxGame::Outcome), above the figures; empty while neither
// happened.
QString GameEndText(const TVxGame& game);
