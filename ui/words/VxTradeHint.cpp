#include "ui/words/VxTradeHint.h"

#include "VxRTL/EtcLists/MyList.h"
#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxTrade.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QCoreApplication>

#include <cstdint>
#include <string>

namespace {

QString LotsText(int32_t lots) {
    return SharesText(lots * TradeLot);
}

} // namespace

QString OwnerTradeHint(const TVxGame& game, const TVxCompany& company) {
    TIntegerList lots;
    TIntegerList proceeds;
    game.BuildSellOffers(company, lots, proceeds);
    const QString cost = MoneyText(company.MyStockCost);
    if (lots.Count() == 0)
        return QCoreApplication::translate(
                   "VxTradeHint", "売却できません (手数料を引くと1万円に届きません)\n購入額 %1")
            .arg(cost);

    // The largest sale offered is the sale of every lot held.
    const int32_t all = proceeds.Last();
    const int32_t gain = all - company.MyStockCost;
    // The per cent of the gain only where something was paid.
    const QString percent = company.MyStockCost > 0
                                ? u' ' + PercentChangeText(100.0 * gain / company.MyStockCost)
                                : QString();
    return QCoreApplication::translate("VxTradeHint",
                                       "全%1を売ると %2 (手数料差引後)\n損益 %3%4 (購入額 %5)")
        .arg(LotsText(lots.Last()), MoneyText(all), MoneyText(gain, true), percent, cost);
}

QString MarketTradeHint(const TVxGame& game, const TVxCompany& company) {
    if (company.SellStockCount() < TradeLot)
        return QCoreApplication::translate("VxTradeHint", "売りに出ている株がありません");
    TIntegerList lots;
    TIntegerList costs;
    game.BuildBuyOffers(company, lots, costs);
    // With no lot affordable there is no offer, but a lot still has its
    // price, worked out as the offers work it out.
    const int32_t oneLot =
        lots.Count() > 0 ? costs.Get(0) : TradeBuyOfferAt(company.StockPrice(), 1).Money;
    if (lots.Count() == 0)
        return QCoreApplication::translate("VxTradeHint",
                                           "%1 %2 (手数料込み)\n資金では%1も買えません")
            .arg(LotsText(1), MoneyText(oneLot));
    return QCoreApplication::translate("VxTradeHint",
                                       "%1 %2 (手数料込み)\n資金で買えるのは最大 %3 (%4)")
        .arg(LotsText(1), MoneyText(oneLot), LotsText(lots.Last()), MoneyText(costs.Last()));
}

QString PricePerShareText(int32_t money, int32_t lots) {
    const int64_t perShare = TradePricePerShare(money, lots);
    if (perShare > INT32_MAX)
        throw EVxTradeError("the per-share figure of " + std::to_string(money) + " for " +
                            std::to_string(lots) + " lots is beyond 32 bits");
    return QCoreApplication::translate("VxTradeHint", "1株%1相当")
        .arg(PriceText(static_cast<int32_t>(perShare)));
}
