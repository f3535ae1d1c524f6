// The window's words for what the game tells: the log's lines and the
// boxes of the events that wait, character for character, and why a trade
// or a load was refused.

#include "ui/words/VxGameEventText.h"
#include "game/VxConsts.h"

#include <QTest>

#include <climits>

Q_DECLARE_METATYPE(TVxGameEvent)

class VxGameEventTextTest : public QObject {
    Q_OBJECT

private slots:
    void lines_data() {
        QTest::addColumn<TVxGameEvent>("event");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("a new game")
            << TVxGameEvent{TVxNewGameBegun{StartMoney, GoalMoney, LivingCost, TaxRate}}
            << QStringList{QStringLiteral("株の波に乗って、3000万円を3000億円にしましょう。"),
                           QStringLiteral(
                               "毎月生活費として30万円が資金から引かれます。これは支出には含まれま"
                               "せん。"),
                           QStringLiteral("毎年1月に利益の20%を税として納めなければなりません。")};
        QTest::newRow("the tax") << TVxGameEvent{TVxTaxPaid{1, 0, 20000}}
                                 << QStringList{QStringLiteral("2年目1月 2億円の税を納めました。")};
        QTest::newRow("the largest tax")
            << TVxGameEvent{TVxTaxPaid{INT32_MAX - 1, 0, 429496729}}
            << QStringList{QStringLiteral("2147483647年目1月 4兆2949億6729万円の税を納めました。")};
        QTest::newRow("a held company bankrupt")
            << TVxGameEvent{TVxCompanyBankrupt{3, 0, 123}}
            << QStringList{QStringLiteral(
                   "4年目1月 ID:123の会社は倒産しました。所有株の価値は無くなりました。")};
        QTest::newRow("a box, no line") << TVxGameEvent{TVxGameLost{}} << QStringList{};
    }
    void lines() {
        QFETCH(TVxGameEvent, event);
        QTEST(GameEventLines(event), "lines");
    }

    void boxes_data() {
        QTest::addColumn<TVxGameEvent>("event");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::newRow("a month refused")
            << TVxGameEvent{TVxMonthRefused{29, 30}} << QStringLiteral("警告")
            << QStringLiteral("このままでは破産してしまいます。\r\n所有株を売却して、資金を用意して"
                              "ください。")
            << int(TVxMsgIcon::Warning);
        QTest::newRow("the game won")
            << TVxGameEvent{TVxGameCleared{GoalMoney}} << QStringLiteral("ゲームクリア")
            << QStringLiteral("おめでとうございます。\r\n3000億円以上の資金を保有する大金持ちに"
                              "なりました。\r\nあなたは一流の投資家です。")
            << int(TVxMsgIcon::Information);
        QTest::newRow("the game lost")
            << TVxGameEvent{TVxGameLost{}} << QStringLiteral("ゲームオーバー")
            << QStringLiteral("破産しました。\r\n残念ながら、あなたは投資家には向いていないよう"
                              "です。")
            << int(TVxMsgIcon::Information);
    }
    void boxes() {
        QFETCH(TVxGameEvent, event);
        const TVxGameEventBox box = GameEventBox(event);
        QTEST(box.Caption, "caption");
        QTEST(box.Text, "text");
        QTEST(int(box.Icon), "icon");
    }

    void refusals() {
        TVxTradeResult result;
        QCOMPARE(TradeRefusalText(result), QString());
        result.Offer = {28, 3080};
        result.Refusal = TVxTradeRefusal::Cash;
        QCOMPARE(TradeRefusalText(result),
                 QStringLiteral("取引できません: 資金が足りません (28千株, 3080万円)"));
        result.Refusal = TVxTradeRefusal::GameEnded;
        QCOMPARE(TradeRefusalText(result),
                 QStringLiteral("取引できません: ゲームは終了しています"));
    }

    void loadFaults() {
        QCOMPARE(LoadFaultText(EVxLoadError(TVxLoadFault::Value, "Month", 127)),
                 QStringLiteral("セーブデータが不正です: Month = 127"));
        QCOMPARE(LoadFaultText(EVxLoadError(TVxLoadFault::RepeatedID, "ID", 7)),
                 QStringLiteral("セーブデータが不正です: ID 7 twice"));
        QCOMPARE(LoadFaultText(EVxLoadError(TVxLoadFault::TrailingBytes)),
                 QStringLiteral("セーブデータが不正です: trailing bytes"));
    }
};

QTEST_MAIN(VxGameEventTextTest)
#include "VxGameEventTextTest.moc"
