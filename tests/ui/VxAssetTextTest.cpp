// The texts of the 資産推移 page: money and yen beyond 32 bits, the month
// read out, the length of a game, the stake multiple and how a game ended.

#include "ui/words/VxAssetText.h"
#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxGameHistory.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QTest>

#include <optional>

namespace {

TVxHistoryMonth Month(int32_t year, int32_t month, int32_t cash, int64_t value) {
    TVxHistoryMonth entry;
    entry.Year = year;
    entry.Month = month;
    entry.Cash = cash;
    entry.Value = value;
    return entry;
}

} // namespace

Q_DECLARE_METATYPE(TVxHistoryMonth)
Q_DECLARE_METATYPE(std::optional<TVxHistoryMonth>)

class VxAssetTextTest : public QObject {
    Q_OBJECT

private slots:
    void money_data() {
        QTest::addColumn<qint64>("money");
        QTest::addColumn<bool>("showPlus");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64{0} << true << "0円";
        QTest::newRow("stake") << qint64{3000} << false << "3000万円";
        QTest::newRow("rise") << qint64{12345} << true << "+1億2345万円";
        QTest::newRow("fall") << qint64{-50} << true << "-50万円";
        QTest::newRow("32-bit largest") << qint64{2147483647} << false << "21兆4748億3647万円";
        QTest::newRow("beyond 32 bits") << qint64{2147483648} << false << "21兆4748億3648万円";
        QTest::newRow("whole 兆 beyond 32 bits") << qint64{500000000000} << true << "+5000兆円";
        QTest::newRow("negative beyond 32 bits")
            << qint64{-300000000001} << false << "-3000兆1万円";
    }
    void money() {
        QFETCH(qint64, money);
        QFETCH(bool, showPlus);
        QTEST(MoneyText(money, showPlus), "text");
    }

    void yen_data() {
        QTest::addColumn<qint64>("yen");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64{0} << "0円";
        QTest::newRow("fee of a lot") << qint64{100000} << "10万円";
        QTest::newRow("to the yen") << qint64{12345678} << "1234万5678円";
        QTest::newRow("beyond 32 bits") << qint64{263412749000} << "2634億1274万9000円";
        QTest::newRow("beyond 32 bits, whole 万") << qint64{300000000000} << "3000億円";
        QTest::newRow("beyond 32 bits, yen only below 万") << qint64{300000000007} << "3000億7円";
    }
    void yen() {
        QFETCH(qint64, yen);
        QTEST(YenText(yen), "text");
    }

    void readout_data() {
        QTest::addColumn<TVxHistoryMonth>("month");
        QTest::addColumn<std::optional<TVxHistoryMonth>>("previous");
        QTest::addColumn<QString>("text");
        const TVxHistoryMonth march = Month(11, 2, 2000, 10000);
        QTest::newRow("first month: no 前月比")
            << Month(0, 0, 3000, 0) << std::optional<TVxHistoryMonth>()
            << "1年目1月 総資産 3000万円 (資金 3000万円, 株式 0円)";
        QTest::newRow("a rise")
            << march << std::optional(Month(11, 1, 1000, 10000))
            << "12年目3月 総資産 1億2000万円 (資金 2000万円, 株式 1億円, 前月比 +1000万円 +9.09%)";
        QTest::newRow("a fall")
            << Month(0, 1, 2970, 0) << std::optional(Month(0, 0, 3000, 0))
            << "1年目2月 総資産 2970万円 (資金 2970万円, 株式 0円, 前月比 -30万円 -1.00%)";
        QTest::newRow("unchanged")
            << Month(0, 1, 3000, 0) << std::optional(Month(0, 0, 3000, 0))
            << "1年目2月 総資産 3000万円 (資金 3000万円, 株式 0円, 前月比 0円 0.00%)";
        QTest::newRow("from nothing: no per cent")
            << Month(3, 0, 20, 0) << std::optional(Month(2, 11, -10, 10))
            << "4年目1月 総資産 20万円 (資金 20万円, 株式 0円, 前月比 +20万円)";
        QTest::newRow("lost: cash below 0")
            << Month(2, 11, -10, 0) << std::optional(Month(2, 10, 20, 0))
            << "3年目12月 総資産 -10万円 (資金 -10万円, 株式 0円, 前月比 -30万円 -150.00%)";
    }
    void readout() {
        QFETCH(TVxHistoryMonth, month);
        QFETCH(std::optional<TVxHistoryMonth>, previous);
        QTEST(AssetMonthReadout(month, previous ? &*previous : nullptr), "text");
    }

    void elapsed_data() {
        QTest::addColumn<qint64>("months");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << qint64{0} << "0か月";
        QTest::newRow("months") << qint64{7} << "7か月";
        QTest::newRow("whole years") << qint64{36} << "3年";
        QTest::newRow("years and months") << qint64{497} << "41年5か月";
    }
    void elapsed() {
        QFETCH(qint64, months);
        QTEST(ElapsedText(months), "text");
    }

    void stakeMultiple_data() {
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QString>("text");
        QTest::newRow("the stake") << qint64{StartMoney} << "×1.0";
        QTest::newRow("less") << qint64{1500} << "×0.5";
        QTest::newRow("lost by a little") << qint64{-8} << "×0.0";
        QTest::newRow("tenths") << qint64{4000} << "×1.3";
        QTest::newRow("below a hundredfold") << qint64{296999} << "×99.0";
        QTest::newRow("whole times past a hundredfold") << qint64{376466958} << "×125,489";
        QTest::newRow("the goal") << qint64{GoalMoney} << "×10,000";
    }
    void stakeMultiple() {
        QFETCH(qint64, total);
        QTEST(StakeMultipleText(total), "text");
    }

    // How a game ended, from its history and state.
    void gameEnd() {
        TVxGame game;
        game.SetSeed(7);
        game.NewGame();
        QCOMPARE(GameEndText(game), QString());

        // A month whose cash reached the goal is where the game was won,
        // even when it is played on after a load.
        for (int month = 0; month < 14; ++month) {
            game.Money = month == 13 ? GoalMoney + 30 : 10000;
            game.NextMonth();
        }
        QCOMPARE(GameEndText(game), QStringLiteral("3000億円まで 1年2か月"));

        // A game lost: the month the cash fell below 0.
        game.NewGame();
        for (int month = 0; month < 3; ++month)
            game.NextMonth();
        game.Money = 10;
        game.NextMonth();
        QVERIFY(game.GameEnd);
        QCOMPARE(GameEndText(game), QStringLiteral("1年目5月に破産"));
    }
};

QTEST_MAIN(VxAssetTextTest)
#include "VxAssetTextTest.moc"
