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

QString SharesText(int32_t lots) {
    return GroupedText(lots * TradeLot) + QStringLiteral("株");
}

} // namespace

QString OwnerTradeHint(const TVxGame& game, const TVxCompany& company) {
    TIntegerList lots;
    TIntegerList proceeds;
    game.BuildSellOffers(company, lots, proceeds);
    const QString cost = QStringLiteral("購入額 ") + MoneyText(company.MyStockCost);
    if (lots.Count() == 0)
        return QStringLiteral("売却できません (手数料を引くと1万円に届きません)\n") + cost;

    // The largest sale offered is the sale of every lot held.
    const int32_t all = proceeds.Last();
    const int32_t gain = all - company.MyStockCost;
    QString text = QStringLiteral("全%1を売ると %2 (手数料差引後)\n損益 %3")
                       .arg(SharesText(lots.Last()), MoneyText(all), MoneyText(gain, true));
    if (company.MyStockCost > 0)
        text += u' ' + PercentChangeText(100.0 * gain / company.MyStockCost);
    return text + QStringLiteral(" (") + cost + u')';
}

QString MarketTradeHint(const TVxGame& game, const TVxCompany& company) {
    if (company.SellStockCount() < TradeLot)
        return QStringLiteral("売りに出ている株がありません");
    TIntegerList lots;
    TIntegerList costs;
    game.BuildBuyOffers(company, lots, costs);
    // With no lot affordable there is no offer, but a lot still has its
    // price, worked out as the offers work it out.
    const int32_t oneLot =
        lots.Count() > 0 ? costs.Get(0) : TradeBuyOfferAt(company.StockPrice(), 1).Money;
    QString text = SharesText(1) + u' ' + MoneyText(oneLot) + QStringLiteral(" (手数料込み)\n");
    if (lots.Count() == 0)
        return text + QStringLiteral("資金では") + SharesText(1) + QStringLiteral("も買えません");
    return text + QStringLiteral("資金で買えるのは最大 %1 (%2)")
                      .arg(SharesText(lots.Last()), MoneyText(costs.Last()));
}

QString PricePerShareText(int32_t money, int32_t lots) {
    const int64_t perShare = TradePricePerShare(money, lots);
    if (perShare > INT32_MAX)
        throw EVxTradeError("the per-share figure of " + std::to_string(money) + " for " +
                            std::to_string(lots) + " lots is beyond 32 bits");
    return QCoreApplication::translate("VxTradeHint", "1株%1相当")
        .arg(PriceText(static_cast<int32_t>(perShare)));
}
