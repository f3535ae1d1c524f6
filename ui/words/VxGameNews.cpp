#include "ui/words/VxGameNews.h"

#include "game/VxCompany.h"
#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "ui/words/VxAssetText.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxStatusTexts.h"

#include <QCoreApplication>

QString MonthNews(const TVxGame& game) {
    return CalendarQText(game.Year, game.Month) + u' ' + CashText(game.Money);
}

QString TradeNews(const TVxGame& game, const TVxCompany& company, TVxTradeSide side,
                  TVxTradeOffer offer) {
    const QString text =
        side == TVxTradeSide::Buy
            ? QCoreApplication::translate("VxGameNews", "ID:%1を%2 %3で買いました。%4")
            : QCoreApplication::translate("VxGameNews", "ID:%1を%2 %3で売りました。%4");
    return text.arg(QString::asprintf("%.3d", int{company.ID}), SharesText(offer.Lots * TradeLot),
                    MoneyText(offer.Money), CashText(game.Money));
}

QString GameEndNews(const QString& news, const TVxGame& game) {
    return QCoreApplication::translate("VxGameNews", "%1。%2").arg(news, GameEndText(game));
}
