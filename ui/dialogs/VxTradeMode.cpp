#include "ui/dialogs/VxTradeMode.h"

#include "game/VxGame.h"

TVxTradeSide TradeSideOf(TVxTradeMode mode) {
    return mode == TVxTradeMode::Buy || mode == TVxTradeMode::BuyAll ? TVxTradeSide::Buy
                                                                     : TVxTradeSide::Sell;
}

bool OpensAtLargest(TVxTradeMode mode) {
    return mode == TVxTradeMode::BuyAll || mode == TVxTradeMode::SellAll;
}

TVxTradeResult SettleTradeChoice(TVxGame& game, TVxCompany& company, TVxTradeChoice choice) {
    return choice.Side == TVxTradeSide::Buy ? game.Buy(company, choice.Offer)
                                            : game.Sell(company, choice.Offer);
}
