#include "sim/VxSimEventText.h"

#include "game/VxUtils.h"

namespace {

// Amounts of 万円 as the game writes them: "3000億".
std::string Man(int64_t amount) {
    return ManToKanjiStr(amount, false);
}

struct TMessages {
    std::vector<std::string> operator()(const TVxNewGameBegun& event) const {
        return {"株の波に乗って、" + Man(event.StartMoney) + "円を" + Man(event.Goal) +
                    "円にしましょう。",
                "毎月生活費として" + Man(event.LivingCost) +
                    "円が資金から引かれます。これは支出には含まれません。",
                "毎年1月に利益の" + std::to_string(event.TaxRate) +
                    "%を税として納めなければなりません。"};
    }
    std::vector<std::string> operator()(const TVxMonthRefused&) const {
        return {"このままでは破産してしまいます。\r\n所有株を売却して、資金を用意してください。"};
    }
    std::vector<std::string> operator()(const TVxTaxPaid& event) const {
        return {CalendarText(event.Year, event.Month) + " " + Man(event.Amount) +
                "円の税を納めました。"};
    }
    std::vector<std::string> operator()(const TVxCompanyBankrupt& event) const {
        return {CalendarText(event.Year, event.Month) + " ID:" + std::to_string(event.ID) +
                "の会社は倒産しました。所有株の価値は無くなりました。"};
    }
    std::vector<std::string> operator()(const TVxGameCleared& event) const {
        return {"おめでとうございます。\r\n" + Man(event.Goal) +
                "円以上の資金を保有する大金持ちになりました。\r\nあなたは一流の投資家です。"};
    }
    std::vector<std::string> operator()(const TVxGameLost&) const {
        return {"破産しました。\r\n残念ながら、あなたは投資家には向いていないようです。"};
    }
};

const char* RefusalText(TVxTradeRefusal refusal) {
    switch (refusal) {
    case TVxTradeRefusal::None:
        break;
    case TVxTradeRefusal::GameEnded:
        return "ゲームは終了しています";
    case TVxTradeRefusal::SalesAwaited:
        return "所有株の売却が先です";
    case TVxTradeRefusal::Lots:
        return "株数が範囲外です";
    case TVxTradeRefusal::Cash:
        return "資金が足りません";
    case TVxTradeRefusal::Amount:
        return "金額が範囲外です";
    case TVxTradeRefusal::Price:
        return "株価が範囲外です";
    case TVxTradeRefusal::PriceMismatch:
        return "金額が株価と合いません";
    }
    return "";
}

} // namespace

std::string VxSimRefusalMessage(const TVxTradeResult& result) {
    const std::string reason = std::string("取引できません: ") + RefusalText(result.Refusal);
    switch (result.Refusal) {
    case TVxTradeRefusal::None:
        return {};
    case TVxTradeRefusal::GameEnded:
    case TVxTradeRefusal::SalesAwaited:
        // Nothing about the quantity: no quantity would do.
        return reason;
    default:
        return reason + " (" + std::to_string(result.Offer.Lots) + "千株, " +
               std::to_string(result.Offer.Money) + "万円)";
    }
}

std::vector<std::string> VxSimEventMessages(const TVxGameEvent& event) {
    return std::visit(TMessages{}, event);
}

std::string VxSimLoadFaultMessage(const EVxLoadError& error) {
    const std::string prefix = "セーブデータが不正です: ";
    switch (error.Fault()) {
    case TVxLoadFault::Value:
        break;
    case TVxLoadFault::RepeatedID:
        return prefix + "ID " + std::to_string(error.Value()) + " twice";
    case TVxLoadFault::TrailingBytes:
        return prefix + "trailing bytes";
    }
    return prefix + error.Field() + " = " + std::to_string(error.Value());
}
