// The protocol's messages for each event the game tells: the Japanese the
// game has always shown, to the character, with the numbers of the event.

#include "sim/VxSimEventText.h"

#include "game/VxConsts.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

struct TCase {
    const char* Name;
    TVxGameEvent Event;
    std::vector<std::string> Messages;
};

const TCase Cases[] = {
    {"a new game",
     TVxNewGameBegun{StartMoney, GoalMoney, LivingCost, TaxRate},
     {"株の波に乗って、3000万円を3000億円にしましょう。",
      "毎月生活費として30万円が資金から引かれます。これは支出には含まれません。",
      "毎年1月に利益の20%を税として納めなければなりません。"}},
    {"a month refused",
     TVxMonthRefused{29, 30},
     {"このままでは破産してしまいます。\r\n所有株を売却して、資金を用意してください。"}},
    {"the tax", TVxTaxPaid{1, 0, 20000}, {"2年目1月 2億円の税を納めました。"}},
    {"the tax of the last year there is",
     TVxTaxPaid{INT32_MAX - 1, 0, 429496729},
     {"2147483647年目1月 4兆2949億6729万円の税を納めました。"}},
    {"a held company bankrupt",
     TVxCompanyBankrupt{0, 5, 7},
     {"1年目6月 ID:7の会社は倒産しました。所有株の価値は無くなりました。"}},
    {"a bankruptcy in the new year",
     TVxCompanyBankrupt{3, 0, 123},
     {"4年目1月 ID:123の会社は倒産しました。所有株の価値は無くなりました。"}},
    {"the game won",
     TVxGameCleared{GoalMoney},
     {"おめでとうございます。\r\n3000億円以上の資金を保有する大金持ちになりました。\r\n"
      "あなたは一流の投資家です。"}},
    {"the game lost",
     TVxGameLost{},
     {"破産しました。\r\n残念ながら、あなたは投資家には向いていないようです。"}},
};

TEST(SimEventText, EveryEventInTheGamesOwnWords) {
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(VxSimEventMessages(c.Event), c.Messages);
    }
}

struct TRefusalCase {
    TVxTradeRefusal Refusal;
    TVxTradeOffer Offer;
    const char* Message;
};

// The reason names the quantity and the amount refused unless no quantity
// would do.
TEST(SimEventText, EveryRefusalInTheGamesOwnWords) {
    const TRefusalCase cases[] = {
        {TVxTradeRefusal::None, {1, 110}, ""},
        {TVxTradeRefusal::GameEnded, {1, 110}, "取引できません: ゲームは終了しています"},
        {TVxTradeRefusal::SalesAwaited, {1, 110}, "取引できません: 所有株の売却が先です"},
        {TVxTradeRefusal::Lots, {0, 0}, "取引できません: 株数が範囲外です (0千株, 0万円)"},
        {TVxTradeRefusal::Cash, {28, 3080}, "取引できません: 資金が足りません (28千株, 3080万円)"},
        {TVxTradeRefusal::Amount, {2, 0}, "取引できません: 金額が範囲外です (2千株, 0万円)"},
        {TVxTradeRefusal::Price, {1, -5}, "取引できません: 株価が範囲外です (1千株, -5万円)"},
        {TVxTradeRefusal::PriceMismatch,
         {2, 220},
         "取引できません: 金額が株価と合いません (2千株, 220万円)"},
    };
    for (const TRefusalCase& c : cases) {
        TVxTradeResult result;
        result.Refusal = c.Refusal;
        result.Offer = c.Offer;
        EXPECT_EQ(VxSimRefusalMessage(result), c.Message);
    }
}

TEST(SimEventText, EveryLoadFaultInTheGamesOwnWords) {
    EXPECT_EQ(VxSimLoadFaultMessage(EVxLoadError(TVxLoadFault::Value, "Month", 12)),
              "セーブデータが不正です: Month = 12");
    EXPECT_EQ(VxSimLoadFaultMessage(EVxLoadError(TVxLoadFault::RepeatedID, "ID", 7)),
              "セーブデータが不正です: ID 7 twice");
    EXPECT_EQ(VxSimLoadFaultMessage(EVxLoadError(TVxLoadFault::TrailingBytes)),
              "セーブデータが不正です: trailing bytes");
}

} // namespace
