#include "ui/words/VxGameEventText.h"

#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxStatusTexts.h"

#include <QCoreApplication>

namespace {

// Every text is the translation of its Japanese source in the context
// "VxGameEventText".
struct TLines {
    QStringList operator()(const TVxNewGameBegun& event) const {
        return {
            QCoreApplication::translate("VxGameEventText", "株の波に乗って、%1を%2にしましょう。")
                .arg(MoneyText(event.StartMoney), MoneyText(event.Goal)),
            QCoreApplication::translate(
                "VxGameEventText",
                "毎月生活費として%1が資金から引かれます。これは支出には含まれません。")
                .arg(MoneyText(event.LivingCost)),
            QCoreApplication::translate("VxGameEventText",
                                        "毎年1月に利益の%1%を税として納めなければなりません。")
                .arg(event.TaxRate)};
    }
    QStringList operator()(const TVxTaxPaid& event) const {
        return {QCoreApplication::translate("VxGameEventText", "%1 %2の税を納めました。")
                    .arg(CalendarQText(event.Year, event.Month), MoneyText(event.Amount))};
    }
    QStringList operator()(const TVxCompanyBankrupt& event) const {
        return {
            QCoreApplication::translate(
                "VxGameEventText", "%1 ID:%2の会社は倒産しました。所有株の価値は無くなりました。")
                .arg(CalendarQText(event.Year, event.Month))
                .arg(event.ID)};
    }
    // The events that wait are told in boxes.
    QStringList operator()(const TVxMonthRefused&) const { return {}; }
    QStringList operator()(const TVxGameCleared&) const { return {}; }
    QStringList operator()(const TVxGameLost&) const { return {}; }
};

struct TBox {
    TVxGameEventBox operator()(const TVxMonthRefused&) const {
        return {
            QCoreApplication::translate("VxGameEventText", "警告"),
            QCoreApplication::translate(
                "VxGameEventText",
                "このままでは破産してしまいます。\r\n所有株を売却して、資金を用意してください。"),
            TVxMsgIcon::Warning};
    }
    TVxGameEventBox operator()(const TVxGameCleared& event) const {
        return {QCoreApplication::translate("VxGameEventText", "ゲームクリア"),
                QCoreApplication::translate(
                    "VxGameEventText",
                    "おめでとうございます。\r\n%1以上の資金を保有する大金持ちになりました。\r\n"
                    "あなたは一流の投資家です。")
                    .arg(MoneyText(event.Goal)),
                TVxMsgIcon::Information};
    }
    TVxGameEventBox operator()(const TVxGameLost&) const {
        return {QCoreApplication::translate("VxGameEventText", "ゲームオーバー"),
                QCoreApplication::translate(
                    "VxGameEventText",
                    "破産しました。\r\n残念ながら、あなたは投資家には向いていないようです。"),
                TVxMsgIcon::Information};
    }
    // The events told in the log.
    TVxGameEventBox operator()(const TVxNewGameBegun&) const { return {}; }
    TVxGameEventBox operator()(const TVxTaxPaid&) const { return {}; }
    TVxGameEventBox operator()(const TVxCompanyBankrupt&) const { return {}; }
};

QString RefusalText(TVxTradeRefusal refusal) {
    switch (refusal) {
    case TVxTradeRefusal::None:
        break;
    case TVxTradeRefusal::GameEnded:
        return QCoreApplication::translate("VxGameEventText", "ゲームは終了しています");
    case TVxTradeRefusal::SalesAwaited:
        return QCoreApplication::translate("VxGameEventText", "所有株の売却が先です");
    case TVxTradeRefusal::Lots:
        return QCoreApplication::translate("VxGameEventText", "株数が範囲外です");
    case TVxTradeRefusal::Cash:
        return QCoreApplication::translate("VxGameEventText", "資金が足りません");
    case TVxTradeRefusal::Amount:
        return QCoreApplication::translate("VxGameEventText", "金額が範囲外です");
    case TVxTradeRefusal::Price:
        return QCoreApplication::translate("VxGameEventText", "株価が範囲外です");
    case TVxTradeRefusal::PriceMismatch:
        return QCoreApplication::translate("VxGameEventText", "金額が株価と合いません");
    }
    return {};
}

} // namespace

QStringList GameEventLines(const TVxGameEvent& event) {
    return std::visit(TLines{}, event);
}

TVxGameEventBox GameEventBox(const TVxGameEvent& event) {
    return std::visit(TBox{}, event);
}

QString TradeRefusalText(const TVxTradeResult& result) {
    switch (result.Refusal) {
    case TVxTradeRefusal::None:
        return {};
    case TVxTradeRefusal::GameEnded:
    case TVxTradeRefusal::SalesAwaited:
        // Nothing about the quantity: no quantity would do.
        return QCoreApplication::translate("VxGameEventText", "取引できません: %1")
            .arg(RefusalText(result.Refusal));
    default:
        return QCoreApplication::translate("VxGameEventText", "取引できません: %1 (%2千株, %3万円)")
            .arg(RefusalText(result.Refusal))
            .arg(result.Offer.Lots)
            .arg(result.Offer.Money);
    }
}

QString LoadFaultText(const EVxLoadError& error) {
    switch (error.Fault()) {
    case TVxLoadFault::Value:
        break;
    case TVxLoadFault::RepeatedID:
        return QCoreApplication::translate("VxGameEventText", "セーブデータが不正です: ID %1 twice")
            .arg(error.Value());
    case TVxLoadFault::TrailingBytes:
        return QCoreApplication::translate("VxGameEventText",
                                           "セーブデータが不正です: trailing bytes");
    }
    return QCoreApplication::translate("VxGameEventText", "セーブデータが不正です: %1 = %2")
        .arg(QString::fromStdString(error.Field()))
        .arg(error.Value());
}
