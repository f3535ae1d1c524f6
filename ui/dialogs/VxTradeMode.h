#pragma once

// The contract between a list's trade command, the trade dialog and the
// window: the mode a trade action asks the dialog for, and the trade the
// player chose in it, which the window settles through the game.

#include "game/VxTrade.h"

class TVxCompany;
class TVxGame;

enum class TVxTradeSide { Buy, Sell };

// The four trade commands of the lists, valued as the tags their actions
// carry: buying or selling, the dialog opening either at the first choice
// or at the largest one (everything affordable, everything held).
enum class TVxTradeMode { Buy = 0, Sell = 1, BuyAll = 2, SellAll = 3 };

TVxTradeSide TradeSideOf(TVxTradeMode mode);
bool OpensAtLargest(TVxTradeMode mode);

// What the player confirmed: the side of the tab shown and the offer chosen
// there, as the game offered it when the dialog built its choices.
struct TVxTradeChoice {
    TVxTradeSide Side = TVxTradeSide::Buy;
    TVxTradeOffer Offer;
};

// Settles `choice` for `company` through the game's own Buy or Sell: the
// offer exactly, or a refusal with the game's reason when it is no longer
// open.
TVxTradeResult SettleTradeChoice(TVxGame& game, TVxCompany& company, TVxTradeChoice choice);
