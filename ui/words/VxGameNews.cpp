#include "ui/words/VxGameNews.h"

#include "game/VxCompany.h"
#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "ui/words/VxAssetText.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxStatusTexts.h"

QString MonthNews(const TVxGame& game) {
    return CalendarQText(game.Year, game.Month) + u' ' + CashText(game.Money);
}

QString TradeNews(const TVxGame& game, const TVxCompany& company, TVxTradeSide side,
                  TVxTradeOffer offer) {
    const QString verb =
        side == TVxTradeSide::Buy ? QStringLiteral("買いました") : QStringLiteral("売りました");
    return QStringLiteral("ID:%1を%2株 %3で%4。%5")
        .arg(QString::asprintf("%.3d", int{company.ID}), GroupedText(offer.Lots * TradeLot),
             MoneyText(offer.Money), verb, CashText(game.Money));
}

QString GameEndNews(const QString& news, const TVxGame& game) {
    return news + u'。' + GameEndText(game);
}
