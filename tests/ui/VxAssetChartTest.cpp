// The 資産推移 chart over a history: its lines and log money axis with the
// stake and the goal marked, amounts of nothing below the bottom edge, a
// month played appended rather than drawn again, the year labels, and the
// trend rules' line played by the bot on the same market.  Its readout:
// the month under the pointer or moved to by the keys (a click gives them
// to the chart), with its dot on the 総資産 line, its months as list items
// the focus moves to, and where the readout stays as the game goes on.

#include "ui/assets/VxAssetChart.h"
#include "game/VxConsts.h"
#include "game/VxGameHistory.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimStrategy.h"
#include "tests/support/GameState.h"
#include "ui/assets/VxTrendBot.h"
#include "ui/charts/VxMonthChartAccessible.h"
#include "ui/words/VxAssetText.h"

#include <QAccessible>
#include <QCategoryAxis>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

// `count` months: 3000万 of cash, then shares bought with all but 100万 of
// it, whose value grows by 100万 a month.
TVxGameHistory History(int count) {
    TVxGameHistory history;
    history.Begin(7, TVxHistoryOrigin::NewGame, HistoryMonthAt(0, 3000, 0));
    for (int i = 1; i < count; ++i)
        history.Turn(HistoryMonthAt(i, 100, 2900 + 100 * i));
    return history;
}

QList<qreal> Ys(const QLineSeries& series) {
    QList<qreal> ys;
    for (const QPointF& point : series.points())
        ys << point.y();
    return ys;
}

// Where `point`, on the axes of `series`, is in the chart's viewport.
QPoint Position(const TVxAssetChart& chart, const QPointF& point, QXYSeries& series) {
    return chart.mapFromScene(chart.chart()->mapToPosition(point, &series));
}

// Where month `index` of the 総資産 line is in the chart's viewport.
QPoint MonthPosition(const TVxAssetChart& chart, int index) {
    return Position(chart, chart.TotalSeries().at(index), chart.TotalSeries());
}

} // namespace

class VxAssetChartTest : public QObject {
    Q_OBJECT

    // A window of 600 by 300 holding a line edit, which has the focus, and
    // under it the chart over `History`, laid out on screen.
    struct TShownChart {
        TVxGameHistory History;
        QWidget Window;
        QLineEdit* Other = new QLineEdit;
        TVxAssetChart* Chart = new TVxAssetChart;

        explicit TShownChart(TVxGameHistory history) : History(std::move(history)) {
            auto* layout = new QVBoxLayout(&Window);
            layout->addWidget(Other);
            layout->addWidget(Chart);
            Window.resize(600, 300);
            Chart->Reflect(History, nullptr);
            Window.show();
            Window.activateWindow();
            if (!QTest::qWaitForWindowActive(&Window))
                qFatal("the chart was never shown");
            Other->setFocus();
            QCoreApplication::processEvents();
        }

        // Another month played, taken in.
        void PlayMonth() {
            const auto index = static_cast<int32_t>(History.Months().size());
            History.Turn(HistoryMonthAt(index, 100, 2900 + 100 * index));
            Chart->Reflect(History, nullptr);
        }
    };

    // Month `index` is read out as `text`: by the chart, its tooltip and
    // its accessible value, with the dot drawn on the 総資産 line.
    static void VerifyReadout(const TVxAssetChart& chart, int index, const QString& text) {
        QCOMPARE(chart.Highlighted(), index);
        QCOMPARE(chart.Readout(), text);
        QCOMPARE(chart.MonthReadout(index), text);
        const QList<QPointF> dot = chart.Marker().points();
        QCOMPARE(dot, QList<QPointF>{chart.TotalSeries().at(index)});
        QCOMPARE(Position(chart, dot.first(), chart.Marker()), MonthPosition(chart, index));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), text);
        auto* accessible =
            QAccessible::queryAccessibleInterface(const_cast<TVxAssetChart*>(&chart));
        QCOMPARE(accessible->text(QAccessible::Value), text);
    }

private slots:
    void initTestCase() { InstallAccessibleMonthCharts(); }

    void init() {
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
    }

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

        // From the decade of the smallest amount to the one above the
        // largest, labelled at each decade; the stake where it lies, the
        // goal beyond the top.
        QCOMPARE(chart.MoneyAxis().min(), 100.0);
        QCOMPARE(chart.MoneyAxis().max(), 1e4);
        QCOMPARE(chart.MoneyLabels().categoriesLabels(),
                 (QStringList{"100万円", "1000万円", "1億円"}));
        QCOMPARE(chart.MoneyLabels().min(), 2.0);
        QCOMPARE(chart.MoneyLabels().max(), 4.0);
        QCOMPARE(chart.Marks().categoriesLabels(),
                 (QStringList{"元手 3000万円", "目標 3000億円 ↑"}));
        QCOMPARE(chart.Marks().endValue(QStringLiteral("元手 3000万円")), std::log10(3e3));
        QCOMPARE(chart.Marks().endValue(QStringLiteral("目標 3000億円 ↑")), 4.0);
        QVERIFY(!chart.BotSeries().isVisible());
        // 総資産 is drawn last, over the other lines, and thicker.
        const QList<QAbstractSeries*> series = chart.chart()->series();
        QCOMPARE(series.indexOf(&chart.TotalSeries()), series.size() - 2); // the dot over it
        QVERIFY(chart.TotalSeries().pen().widthF() > chart.CashSeries().pen().widthF());

        QCOMPARE(chart.MonthReadout(2),
                 AssetMonthReadout(history.Months()[2], &history.Months()[1]));
        QCOMPARE(chart.MonthReadout(0), AssetMonthReadout(history.Months()[0], nullptr));
        QCOMPARE(chart.accessibleName(), QStringLiteral("資産推移"));
        QCOMPARE(chart.accessibleDescription(),
                 QStringLiteral("1年目1月から1年目3月まで、総資産 3000万円から3200万円"));
    }

    void theMoneyAxisSpansTheDecadesShown_data() {
        QTest::addColumn<int>("cash");   // the first month's, nothing held
        QTest::addColumn<int>("cash2");  // the second month's
        QTest::addColumn<int>("value2"); // the holdings of the second month
        QTest::addColumn<double>("floor");
        QTest::addColumn<double>("top");
        QTest::addColumn<QStringList>("marks");
        QTest::newRow("the first months") << 3000 << 2900 << 200 << 100.0 << 1e4
                                          << QStringList{"元手 3000万円", "目標 3000億円 ↑"};
        QTest::newRow("1万円") << 3000 << 1 << 2990 << 1.0 << 1e4
                               << QStringList{"元手 3000万円", "目標 3000億円 ↑"};
        QTest::newRow("one decade at least") << 1000 << 1000 << 0 << 1000.0 << 1e4
                                             << QStringList{"元手 3000万円", "目標 3000億円 ↑"};
        QTest::newRow("cash below 0 is no amount")
            << 20000 << -50 << 20000 << 1e4 << 1e5
            << QStringList{"元手 3000万円 ↓", "目標 3000億円 ↑"};
        QTest::newRow("a game lost below the stake")
            << 500 << 100 << 0 << 100.0 << 1e3 << QStringList{"元手 3000万円・目標 3000億円 ↑"};
        QTest::newRow("past the goal") << 400000000 << 500000000 << 1000000000 << 1e8 << 1e10
                                       << QStringList{"元手 3000万円・目標 3000億円 ↓"};
    }
    void theMoneyAxisSpansTheDecadesShown() {
        QFETCH(int, cash);
        QFETCH(int, cash2);
        QFETCH(int, value2);
        TVxGameHistory history;
        history.Begin(std::nullopt, TVxHistoryOrigin::NewGame, HistoryMonthAt(0, cash, 0));
        history.Turn(HistoryMonthAt(1, cash2, value2));
        TVxAssetChart chart;
        chart.Reflect(history, nullptr);
        QTEST(chart.MoneyAxis().min(), "floor");
        QTEST(chart.MoneyAxis().max(), "top");
        QTEST(chart.Marks().categoriesLabels(), "marks");
    }

    void aMonthPlayedIsAppended() {
        TVxGameHistory history = History(24);
        TVxAssetChart chart;
        chart.Reflect(history, nullptr);
        QCOMPARE(chart.TotalSeries().count(), 24);
        QSignalSpy replacedWhole(&chart.TotalSeries(), &QXYSeries::pointsReplaced);
        QSignalSpy replacedOne(&chart.TotalSeries(), &QXYSeries::pointReplaced);

        history.Turn(HistoryMonthAt(24, 200, 5300));
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
        QTest::newRow("first month") << 1 << 12.0 << QStringList{"1年目", "2年目"};
        QTest::newRow("into the second year")
            << 14 << 24.0 << QStringList{"1年目", "2年目", "3年目"};
        QTest::newRow("ten years")
            << 120 << 120.0 << QStringList{"1年目", "2年目", "4年目", "6年目", "8年目", "10年目"};
        QTest::newRow("forty years")
            << 482 << 492.0 << QStringList{"1年目", "10年目", "20年目", "30年目", "40年目"};
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

    void pointerAndKeysReadOutAMonth() {
        // Two years: the month axis runs 0..24, some 20 pixels a month.
        TShownChart shown(History(24));
        TVxAssetChart& chart = *shown.Chart;
        QCOMPARE(chart.focusPolicy(), Qt::StrongFocus);
        QTest::mouseMove(chart.viewport(), MonthPosition(chart, 13) + QPoint(3, -40));
        VerifyReadout(chart, 13,
                      QStringLiteral("2年目2月 総資産 4300万円 (資金 100万円, 株式 4200万円, "
                                     "前月比 +100万円 +2.38%)"));
        QTest::mouseMove(chart.viewport(), QPoint(2, 10));
        VerifyReadout(chart, 0,
                      QStringLiteral("1年目1月 総資産 3000万円 (資金 3000万円, 株式 0円)"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&chart, &leave);
        QCOMPARE(chart.Highlighted(), -1);
        QCOMPARE(chart.Marker().count(), 0);

        chart.setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(chart.hasFocus());
        const QString first = QStringLiteral("1年目1月 総資産 3000万円 (資金 3000万円, 株式 0円)");
        const QString second = QStringLiteral(
            "1年目2月 総資産 3100万円 (資金 100万円, 株式 3000万円, 前月比 +100万円 +3.33%)");
        const QString latest = QStringLiteral(
            "2年目12月 総資産 5300万円 (資金 100万円, 株式 5200万円, 前月比 +100万円 +1.92%)");
        const QString beforeLatest = QStringLiteral(
            "2年目11月 総資産 5200万円 (資金 100万円, 株式 5100万円, 前月比 +100万円 +1.96%)");
        // The first key with nothing read out reads the latest month.
        for (const auto& [key, index, text] :
             {std::tuple{Qt::Key_Left, 23, latest}, std::tuple{Qt::Key_Left, 22, beforeLatest},
              std::tuple{Qt::Key_Right, 23, latest}, std::tuple{Qt::Key_Right, 23, latest},
              std::tuple{Qt::Key_Home, 0, first}, std::tuple{Qt::Key_Left, 0, first},
              std::tuple{Qt::Key_Right, 1, second}, std::tuple{Qt::Key_End, 23, latest}}) {
            QTest::keyClick(&chart, key);
            VerifyReadout(chart, index, text);
        }
    }

    void aClickGivesTheChartTheKeys() {
        TShownChart shown(History(24));
        TVxAssetChart& chart = *shown.Chart;
        QTest::mouseClick(chart.viewport(), Qt::LeftButton, {}, MonthPosition(chart, 6));
        QVERIFY(chart.hasFocus());
        QCOMPARE(chart.Highlighted(), 6);
        QTest::keyClick(&chart, Qt::Key_Left);
        VerifyReadout(chart, 5,
                      QStringLiteral("1年目6月 総資産 3500万円 (資金 100万円, 株式 3400万円, "
                                     "前月比 +100万円 +2.94%)"));
    }

    void monthsAreListItemsTheFocusMovesTo() {
        TShownChart shown(History(24));
        TVxAssetChart& chart = *shown.Chart;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&chart);
        QCOMPARE(accessible->role(), QAccessible::Chart);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("資産推移"));
        QCOMPARE(accessible->text(QAccessible::Description),
                 QStringLiteral("1年目1月から2年目12月まで、総資産 3000万円から5300万円"));
        QCOMPARE(accessible->childCount(), 24);
        for (int i = 0; i < 24; ++i) {
            QAccessibleInterface* month = accessible->child(i);
            QCOMPARE(month->role(), QAccessible::ListItem);
            QCOMPARE(month->text(QAccessible::Name),
                     AssetMonthReadout(shown.History.Months()[static_cast<size_t>(i)],
                                       i > 0 ? &shown.History.Months()[static_cast<size_t>(i - 1)]
                                             : nullptr));
            QVERIFY(!month->state().focused);
        }
        // Each month is where its point is.
        const QPoint tenth = chart.viewport()->mapToGlobal(MonthPosition(chart, 9));
        QVERIFY(accessible->child(9)->rect().contains(tenth));
        QCOMPARE(accessible->childAt(tenth.x(), tenth.y()), accessible->child(9));

        chart.setFocus(Qt::TabFocusReason);
        QCOMPARE(accessible->focusChild(), nullptr);
        for (const auto& [key, index] : {std::pair{Qt::Key_End, 23}, std::pair{Qt::Key_Left, 22},
                                         std::pair{Qt::Key_Home, 0}}) {
            QTest::keyClick(&chart, key);
            QCOMPARE(accessible->focusChild(), accessible->child(index));
            QCOMPARE(accessible->focusChild()->text(QAccessible::Name), chart.Readout());
            QVERIFY(accessible->child(index)->state().focused);
        }
        QAccessibleTextInterface* text = accessible->textInterface();
        QCOMPARE(text->text(0, text->characterCount()), chart.Readout());
    }

    void aNewMonthKeepsTheKeysOnTheirMonth() {
        TShownChart shown(History(24));
        TVxAssetChart& chart = *shown.Chart;
        chart.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&chart, Qt::Key_End);
        const QString latest = chart.Readout();
        shown.PlayMonth();
        QCOMPARE(chart.MonthCount(), 25);
        VerifyReadout(chart, 23, latest);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&chart);
        QCOMPARE(accessible->focusChild(), accessible->child(23));
        // The keys go on from there.
        QTest::keyClick(&chart, Qt::Key_Right);
        VerifyReadout(chart, 24, chart.MonthReadout(24));

        // Another game ends the readout.
        chart.Reset();
        QCOMPARE(chart.Highlighted(), -1);
        QCOMPARE(accessible->childCount(), 0);
    }

    // A resting pointer reads the month it points at once the chart has
    // taken the new month: the same month while the month axis keeps its
    // range, another once the axis grows by a year.
    void aNewMonthReadsTheMonthUnderARestingPointer_data() {
        QTest::addColumn<int>("months");
        QTest::addColumn<qreal>("at");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("on a month") << 20 << qreal(10) << 10 << 10;
        QTest::newRow("right of the line") << 20 << qreal(22) << 19 << 20;
        // The 26th month lies past the axis' 0..24, which becomes 0..36.
        QTest::newRow("a new year") << 25 << qreal(12) << 12 << 18;
    }
    void aNewMonthReadsTheMonthUnderARestingPointer() {
        QFETCH(int, months);
        QFETCH(qreal, at);
        QFETCH(int, before);
        QFETCH(int, after);
        TShownChart shown(History(months));
        TVxAssetChart& chart = *shown.Chart;
        const QPoint pointer =
            Position(chart, QPointF(at, 5000), chart.TotalSeries()) + QPoint(0, -20);
        QTest::mouseMove(chart.viewport(), pointer);
        VerifyReadout(chart, before, chart.MonthReadout(before));
        shown.PlayMonth();
        VerifyReadout(chart, after, chart.MonthReadout(after));
    }

    void aMonthOfNothingHasItsDotOnTheBottomEdge() {
        // The month a game is lost: cash below 0 and no holdings.
        TVxGameHistory history;
        history.Begin(std::nullopt, TVxHistoryOrigin::NewGame, HistoryMonthAt(0, 3000, 0));
        history.Turn(HistoryMonthAt(1, -50, 0));
        TShownChart shown(std::move(history));
        TVxAssetChart& chart = *shown.Chart;
        chart.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&chart, Qt::Key_End);
        QCOMPARE(chart.Readout(), QStringLiteral("1年目2月 総資産 -50万円 (資金 -50万円, 株式 0円, "
                                                 "前月比 -3050万円 -101.67%)"));
        QCOMPARE(chart.Marker().points(), QList<QPointF>{QPointF(1, chart.MoneyAxis().min())});
    }

    void theBotsLineGoesAsFarAsThePlayer() {
        const TVxGameHistory history = History(5);
        const std::vector<int64_t> bot{3000, 3100, 3300, 3600, 4000, 4500, 5100};
        TVxAssetChart chart;
        chart.Reflect(history, &bot);
        QVERIFY(chart.BotSeries().isVisible());
        // Dashed, and named for a player.
        QCOMPARE(chart.BotSeries().name(),
                 QStringLiteral("トレンド戦略 (同じ市場をコンピューターが売買)"));
        QCOMPARE(chart.BotSeries().pen().style(), Qt::DashLine);
        QCOMPARE(Ys(chart.BotSeries()), (QList<qreal>{3000, 3100, 3300, 3600, 4000}));
        // A month read out adds the bot's 総資産 of that month.
        QCOMPARE(chart.MonthReadout(3),
                 AssetMonthReadout(history.Months()[3], &history.Months()[2]) +
                     QStringLiteral(" トレンド戦略 3600万円"));
        // A bot whose game ended earlier stops there.
        const std::vector<int64_t> ended{3000, 2900};
        chart.Reflect(history, &ended);
        QCOMPARE(Ys(chart.BotSeries()), (QList<qreal>{3000, 2900}));
        chart.Reflect(history, nullptr);
        QVERIFY(!chart.BotSeries().isVisible());
    }

    // The bot plays what `ridolt-sim run --strategy trend` plays, and its
    // fortune of a month is that game's 総資産 at the end of the month, as
    // its history has it: the same play draws the same line as a player's.
    void theBotPlaysTheSimulatorsTrendRules() {
        TVxSimGame simulated(7, VxSimCreateStrategy("trend"));
        simulated.NewGame();
        for (int month = 0; month < 25; ++month)
            simulated.PlayMonth();
        std::vector<int64_t> fortunes;
        for (int month = 0; month < 25; ++month)
            fortunes.push_back(simulated.Game().History().Months()[size_t(month)].Total());
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
