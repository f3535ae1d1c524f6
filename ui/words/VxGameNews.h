#pragma once

// What the window tells a screen reader (TVxAnnouncer) when the game moves
// on away from the keyboard focus: the month and the cash after a month is
// played or a game is loaded, what a trade bought or sold, and how a game
// that has just ended ended.  The status bar, the lists and 資産推移 show
// the same figures to the eye.

#include "ui/dialogs/VxTradeMode.h"

#include <QString>

class TVxCompany;
class TVxGame;

// The calendar and the cash as the status bar shows them:
// "1年目2月 資金 2970万円".
QString MonthNews(const TVxGame& game);

// A trade settled, and the cash it left:
// "ID:005を3,000株 330万円で買いました。資金 2670万円".
QString TradeNews(const TVxGame& game, const TVxCompany& company, TVxTradeSide side,
                  TVxTradeOffer offer);

// `news` followed by how the game, which has just ended, ended:
// "…。3000億円まで 34年8か月" or "…。9年目6月に破産".
QString GameEndNews(const QString& news, const TVxGame& game);
