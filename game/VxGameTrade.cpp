// The game's trades: the offers open to the player and their settlement,
// through the rules of VxTrade.h applied to the game's own figures.

#include "game/VxGame.h"

TVxTradeFigures TVxGame::TradeFigures(const TVxCompany& company) const {
    return {Money,
            Income(),
            Expense(),
            company.StockPrice(),
            company.MyStockCount,
            company.MyStockCost};
}

void TVxGame::BuildBuyOffers(const TVxCompany& company, TIntegerList& stockCountList,
                             TIntegerList& moneyList) const {
    TradeBuyOffers(TradeFigures(company), stockCountList, moneyList);
}

void TVxGame::BuildSellOffers(const TVxCompany& company, TIntegerList& stockCountList,
                              TIntegerList& moneyList) const {
    TradeSellOffers(TradeFigures(company), stockCountList, moneyList);
}

TVxTradeResult TVxGame::Buy(TVxCompany& company, TVxTradeOffer offer) {
    TVxTradeRefusal refusal = TVxTradeRefusal::GameEnded;
    if (PurchasesOpen())
        refusal = TradeBuyRefusal(TradeFigures(company), offer);
    else if (!GameEnd)
        refusal = TVxTradeRefusal::SalesAwaited;
    if (refusal != TVxTradeRefusal::None)
        return {refusal, offer};
    company.MyStockCount += offer.Lots * TradeLot;
    Money -= offer.Money;
    company.MyStockCost += offer.Money;
    SetExpense(Expense() + offer.Money);
    if (OwnerList.IndexOf(&company) < 0)
        OwnerList.Add(&company);
    return Settled(true, offer, company.StockPrice());
}

TVxTradeResult TVxGame::Sell(TVxCompany& company, TVxTradeOffer offer) {
    const TVxTradeRefusal refusal =
        GameEnd ? TVxTradeRefusal::GameEnded : TradeSellRefusal(TradeFigures(company), offer);
    if (refusal != TVxTradeRefusal::None)
        return {refusal, offer};
    const int32_t remaining = company.MyStockCount - offer.Lots * TradeLot;
    company.MyStockCost = TradeRemainingCost(company.MyStockPriceBuyingAverage(), remaining);
    company.MyStockCount = remaining;
    Money += offer.Money;
    SetIncome(Income() + offer.Money);
    if (company.MyStockCount == 0) {
        const int32_t index = OwnerList.IndexOf(&company);
        if (index >= 0)
            OwnerList.Delete(index);
        company.MyStockCost = 0;
    }
    return Settled(false, offer, company.StockPrice());
}

TVxTradeResult TVxGame::Buy(TVxCompany& company, int32_t lots) {
    return Buy(company, TradeBuyOfferAt(company.StockPrice(), lots));
}

TVxTradeResult TVxGame::Sell(TVxCompany& company, int32_t lots) {
    return Sell(company, TradeSellOfferAt(company.StockPrice(), lots));
}

TVxTradeResult TVxGame::Settled(bool purchase, TVxTradeOffer offer, int32_t price) {
    if (!FHistory.Empty())
        FHistory.Trade(purchase, offer.Money, TradeFeeYen(purchase, offer, price), Money,
                       HoldingsValue());
    TVxTradeResult result;
    result.Offer = offer;
    result.GameClear = CheckGameClear();
    return result;
}
