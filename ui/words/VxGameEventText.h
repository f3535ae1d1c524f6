#pragma once

// The words of what the game tells the player (TVxGameEvent): the message
// log's lines, and the caption and text of the boxes of the events that
// wait for the player (a refused month, the end of the game); and why a
// trade was refused.

#include "game/VxGame.h"
#include "game/VxGameEvents.h"
#include "game/VxMessageSinks.h"
#include "game/VxTrade.h"

#include <QString>
#include <QStringList>

// The log's lines for `event`: "1年目2月 80万円の税を納めました。"; none
// for an event that waits (VxEventWaits).
QStringList GameEventLines(const TVxGameEvent& event);

struct TVxGameEventBox {
    QString Caption;
    QString Text; // lines separated by "\r\n", as every box of the game
    TVxMsgIcon Icon = TVxMsgIcon::Information;
};

// The box of an event that waits: "警告", "このままでは破産してしまいます。
// \r\n…"; for any other event, an empty one.
TVxGameEventBox GameEventBox(const TVxGameEvent& event);

// Why `result` was refused, for the error box: "取引できません: 資金が足りま
// せん (1千株, 110万円)"; empty for a settled trade.
QString TradeRefusalText(const TVxTradeResult& result);

// What `error` found in a save file, for the box of a failed load:
// "セーブデータが不正です: Month = 12".
QString LoadFaultText(const EVxLoadError& error);
