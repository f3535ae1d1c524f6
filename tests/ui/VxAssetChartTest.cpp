// The 資産推移 chart over a history: its lines and log money axis with the
// stake and the goal marked, amounts of nothing below the bottom edge, a
// month played appended rather than drawn again, the year labels, and the
// trend rules' line played by the bot on the same market.

#include "ui/VxAssetChart.h"
#include "game/VxConsts.h"
#include "game/VxGameHistory.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimStrategy.h"
#include "ui/VxAssetText.h"
#include "ui/VxTrendBot.h"

#include <QCategoryAxis>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QSignalSpy>
#include <QTest>

namespace {

TVxHistoryMonth Month(int32_t index, int32_t cash, int64_t value) {
    TVxHistoryMonth entry;
    entry.Year = index / 12;
    entry.Month = index % 12;
    entry.Cash = cash;
    entry.Value = value;
    return entry;
}

// `count` months: 3000万 of cash, then shares bought with all but 100万 of
// it, whose value grows by 100万 a month.
TVxGameHistory History(int count) {
    TVxGameHistory history;
    history.Begin(7, TVxHistoryOrigin::NewGame, Month(0, 3000, 0));
    for (int i = 1; i < count; ++i)
        history.Turn(Month(i, 100, 2900 + 100 * i));
    return history;
}

QList<qreal> Ys(const QLineSeries& series) {
    QList<qreal> ys;
    for (const QPointF& point : series.points())
        ys << point.y();
    return ys;
}

} // namespace

class VxAssetChartTest : public QObject {
    Q_OBJECT

private slots:
    void linesShowEveryMonthOnTheLogAxis() {
        TVxAssetChart chart;
        QCOMPARE(chart.MonthCount(), 0);
        QVERIFY(!chart.MonthAxis().isVisible());

        const TVxGameHistory history = History(3);
        chart.Reflect(history, nullptr);
        QCOMPARE(chart.MonthCount(), 3);
        QCOMPARE(Ys(chart.TotalSeries()), (QList<qreal>{3000, 3100, 3200}));
        QCOMPARE(Ys(chart.CashSeries()), (QList<qreal>{3000, 100, 100}));
        // No holdings in the first month: below any decade the axis shows.
        const QList<qreal> value = Ys(chart.ValueSeries());
        QVERIFY(value[0] < chart.MoneyAxis().min());
        QCOMPARE(value.mid(1), (QList<qreal>{3000, 3100}));
        QCOMPARE(chart.TotalSeries().at(2).x(), 2.0);

        // From the decade of the smallest amount to the one above the goal.
        QCOMPARE(chart.MoneyAxis().min(), 100.0);
        QCOMPARE(chart.MoneyAxis().max(), 1e8);
        QCOMPARE(chart.MoneyLabels().categoriesLabels(),
                 (QStringList{"100万円", "1000万円", "1億円", "10億円", "100億円", "1000億円",
                              "1兆円"}));
        QCOMPARE(chart.MoneyLabels().min(), 2.0);
        QCOMPARE(chart.MoneyLabels().max(), 8.0);
        QCOMPARE(chart.Marks().categoriesLabels(), (QStringList{"元手 3000万円", "目標 3000億円"}));
        QCOMPARE(chart.Marks().endValue(QStringLiteral("目標 3000億円")), std::log10(3e7));
        QVERIFY(!chart.BotSeries().isVisible());

        QCOMPARE(chart.MonthReadout(2),
                 AssetMonthReadout(history.Months()[2], &history.Months()[1]));
        QCOMPARE(chart.MonthReadout(0), AssetMonthReadout(history.Months()[0], nullptr));
        QCOMPARE(chart.accessibleName(), QStringLiteral("資産推移"));
        QCOMPARE(chart.accessibleDescription(),
                 QStringLiteral("1年目1月から1年目3月まで、総資産 3000万円から3200万円"));
    }

    void axisFloorFollowsTheSmallestAmount_data() {
        QTest::addColumn<int>("cash");
        QTest::addColumn<double>("floor");
        QTest::newRow("1万円") << 1 << 1.0;
        QTest::newRow("99万円") << 99 << 10.0;
        QTest::newRow("never above 1000万円") << 20000 << 1000.0;
        QTest::newRow("cash below 0 is no amount") << -50 << 1000.0;
    }
    void axisFloorFollowsTheSmallestAmount() {
        QFETCH(int, cash);
        TVxGameHistory history;
        history.Begin(std::nullopt, TVxHistoryOrigin::NewGame, Month(0, 20000, 0));
        history.Turn(Month(1, cash, 20000));
        TVxAssetChart chart;
        chart.Reflect(history, nullptr);
        QTEST(chart.MoneyAxis().min(), "floor");
    }

    void aMonthPlayedIsAppended() {
        TVxGameHistory history = History(24);
        TVxAssetChart chart;
        chart.Reflect(history, nullptr);
        QCOMPARE(chart.TotalSeries().count(), 24);
        QSignalSpy replacedWhole(&chart.TotalSeries(), &QXYSeries::pointsReplaced);
        QSignalSpy replacedOne(&chart.TotalSeries(), &QXYSeries::pointReplaced);

        history.Turn(Month(24, 200, 5300));
        chart.Reflect(history, nullptr);
        QCOMPARE(chart.TotalSeries().count(), 25);
        QCOMPARE(chart.TotalSeries().at(24), QPointF(24, 5500));
        // A trade in the newest month moves its point alone.
        history.Trade(false, 1000, 1111112, 1200, 4300);
        chart.Reflect(history, nullptr);
        QCOMPARE(chart.TotalSeries().at(24), QPointF(24, 5500));
        QCOMPARE(chart.CashSeries().at(24), QPointF(24, 1200));
        QCOMPARE(replacedWhole.size(), 0);
        QCOMPARE(replacedOne.size(), 0); // 総資産 stayed
        QCOMPARE(chart.CashSeries().count(), 25);

        // Another game: drawn whole.
        chart.Reset();
        const TVxGameHistory other = History(2);
        chart.Reflect(other, nullptr);
        QCOMPARE(chart.TotalSeries().count(), 2);
    }

    void yearsAreLabelledSparsely_data() {
        QTest::addColumn<int>("months");
        QTest::addColumn<double>("end");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("first month") << 1 << 12.0 << QStringList{"2年目"};
        QTest::newRow("into the second year") << 14 << 24.0 << QStringList{"2年目", "3年目"};
        QTest::newRow("ten years")
            << 120 << 120.0 << QStringList{"2年目", "4年目", "6年目", "8年目", "10年目"};
        QTest::newRow("forty years")
            << 482 << 492.0 << QStringList{"10年目", "20年目", "30年目", "40年目"};
    }
    void yearsAreLabelledSparsely() {
        QFETCH(int, months);
        const TVxGameHistory history = History(months);
        TVxAssetChart chart;
        chart.Reflect(history, nullptr);
        QCOMPARE(chart.MonthAxis().min(), 0.0);
        QTEST(chart.MonthAxis().max(), "end");
        QTEST(chart.MonthAxis().categoriesLabels(), "labels");
    }

    void theBotsLineGoesAsFarAsThePlayer() {
        const TVxGameHistory history = History(5);
        const std::vector<int64_t> bot{3000, 3100, 3300, 3600, 4000, 4500, 5100};
        TVxAssetChart chart;
        chart.Reflect(history, &bot);
        QVERIFY(chart.BotSeries().isVisible());
        QCOMPARE(chart.BotSeries().name(), QStringLiteral("トレンド戦略"));
        QCOMPARE(Ys(chart.BotSeries()), (QList<qreal>{3000, 3100, 3300, 3600, 4000}));
        // A bot whose game ended earlier stops there.
        const std::vector<int64_t> ended{3000, 2900};
        chart.Reflect(history, &ended);
        QCOMPARE(Ys(chart.BotSeries()), (QList<qreal>{3000, 2900}));
        chart.Reflect(history, nullptr);
        QVERIFY(!chart.BotSeries().isVisible());
    }

    // The bot plays what `ridolt-sim run --strategy trend` plays.
    void theBotPlaysTheSimulatorsTrendRules() {
        TVxSimGame simulated(7, VxSimCreateStrategy("trend"));
        simulated.NewGame();
        std::vector<int64_t> fortunes{simulated.Fortune()};
        for (int month = 0; month < 24; ++month) {
            simulated.PlayMonth();
            fortunes.push_back(simulated.Fortune());
        }
        TVxTrendBot bot;
        bot.CatchUp(7, 13);
        QCOMPARE(bot.Fortunes().size(), size_t{13});
        bot.CatchUp(7, 25);
        QCOMPARE(bot.Fortunes(), fortunes);
        // Fewer months keep what was played; another seed starts over.
        bot.CatchUp(7, 3);
        QCOMPARE(bot.Fortunes().size(), size_t{25});
        bot.CatchUp(8, 3);
        QCOMPARE(bot.Fortunes().size(), size_t{3});
        QCOMPARE(bot.Seed(), std::optional<uint64_t>(8));
    }

    // Seed 7's trend game is won by a sale in 35年目9月 (month 416), before
    // that month's turn: its last fortune is that month's.
    void theBotStopsWhereItWins() {
        TVxTrendBot bot;
        bot.CatchUp(7, 1200);
        QVERIFY(bot.Ended());
        QVERIFY(bot.Won());
        QCOMPARE(bot.Fortunes().size(), size_t{417});
        QVERIFY(bot.Fortunes().back() >= GoalMoney);
    }
};

QTEST_MAIN(VxAssetChartTest)
#include "VxAssetChartTest.moc"
