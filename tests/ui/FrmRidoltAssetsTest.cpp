// The page 資産推移 in the main window: refreshed only while it is shown,
// a month added at the top, the turn to it when a game is won or lost, a
// new game's new history, the seed item, and a seeded game that plays the
// simulator's market month for month and goes on after a save and a load
// as if never stopped.  Its figures, chart and list are reached by Tab, a
// click gives the chart the keys, and what the keys read out stays on its
// month as the game goes on.

#include "FormTestSupport.h"

#include "game/VxConsts.h"
#include "game/VxTrade.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimStrategy.h"
#include "ui/assets/VxAssetChart.h"
#include "ui/assets/VxAssetListModel.h"
#include "ui/assets/VxAssetPage.h"
#include "ui/assets/VxTrendBot.h"
#include "ui/dialogs/VxSeedDialog.h"
#include "ui/saves/VxRecordsFile.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QLineSeries>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <map>

namespace {

// Every company's price by ID.
std::map<int16_t, int32_t> PricesByID(const TVxGame& game) {
    std::map<int16_t, int32_t> prices;
    for (int32_t i = 0; i < game.MarketList.Count(); ++i)
        prices[game.MarketList.Items(i)->ID] = game.MarketList.Items(i)->StockPrice();
    return prices;
}

} // namespace

class TFrmRidoltAssetsTest : public QObject {
    Q_OBJECT

    TDownByTwoRandom FRandom;
    TFormFixture F;

    QTabWidget& Pages() const { return F.Find<QTabWidget>("PageControl1"); }
    TVxAssetPage& Page() const { return F.Find<TVxAssetPage>("TabSheet5"); }
    TVxListView& Assets() const { return F.Find<TVxListView>("VLVAssets"); }
    QString Figure(const char* name) const { return F.Find<QLabel>(name).text(); }
    void ShowPage() const { Pages().setCurrentWidget(&Page()); }

    // シード指定ニューゲーム answered with `seed` and OK.
    void NewGameOfSeed(uint64_t seed) const {
        TVxSeedDialog::SetNextAnswer(seed);
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Action("ActGameNewSeed").trigger();
    }

private slots:
    void init() { QVERIFY(F.Start(&FRandom)); }
    void cleanup() {
        F.Stop();
        TVxSeedDialog::ClearNextAnswers();
    }

    void ThePageComesAfterTheFourAndIsFilledOnlyWhenShown() {
        QCOMPARE(Pages().count(), 5);
        QCOMPARE(Pages().tabText(4), QStringLiteral("資産推移"));
        QCOMPARE(Pages().widget(4), &Page());
        QCOMPARE(Pages().currentIndex(), 0);
        for (int month = 0; month < 3; ++month)
            F.NextMonth();
        // Hidden, the page took in nothing of the game.
        QCOMPARE(Assets().ItemCount(), 0);
        QCOMPARE(Page().Chart().MonthCount(), 0);

        ShowPage();
        QCOMPARE(Assets().ItemCount(), 4);
        QCOMPARE(F.Row(Assets(), 0),
                 (QStringList{"1年目4月", "2910万円", "0円", "2910万円", "-30万円"}));
        QCOMPARE(Page().Chart().MonthCount(), 4);
        QCOMPARE(Figure("LblAssetElapsed"), QStringLiteral("経過 3か月"));
        QCOMPARE(Figure("LblAssetTotal"), QStringLiteral("総資産 2910万円 (元手×1.0)"));
        QCOMPARE(Figure("LblAssetPeak"), QStringLiteral("最高 3000万円 (1年目1月)"));
        QCOMPARE(Figure("LblAssetTrades"), QStringLiteral("取引回数 0回"));
        QCOMPARE(Figure("LblAssetFees"), QStringLiteral("手数料 0円"));
        QCOMPARE(Figure("LblAssetTax"), QStringLiteral("税 0円"));
        // A game drawing from a test's script has no seed, and no bot.
        QCOMPARE(Figure("LblAssetSeed"), QStringLiteral("シード なし"));
        QVERIFY(!F.Find<QLabel>("LblAssetBot").isVisibleTo(&Page()));
        QVERIFY(!F.Find<QLabel>("LblAssetEnd").isVisibleTo(&Page()));
    }

    void AMonthAndATradeOnThePageShowAtOnce() {
        ShowPage();
        F.NextMonth();
        Assets().SelectAndFocus(1); // 1年目1月
        F.NextMonth();
        QCOMPARE(Assets().ItemCount(), 3);
        QCOMPARE(Assets().ItemText(0, 0), QStringLiteral("1年目3月"));
        QCOMPARE(Assets().ItemText(Assets().ItemIndex(), 0), QStringLiteral("1年目1月"));
        QCOMPARE(Page().Chart().TotalSeries().count(), 3);

        // A purchase through the trade dialog: the newest month's row and
        // the figures follow.
        F.Market().SelectAndFocus(0);
        TNextModal trade([](QDialog& dialog) { dialog.accept(); });
        F.Action("ActVLVMarketBuyStock").trigger();
        QVERIFY(trade.Answered);
        ShowPage();
        QCOMPARE(Figure("LblAssetTrades"), QStringLiteral("取引回数 1回"));
        QCOMPARE(Assets().ItemText(0, 1), MoneyText(F.Game().Money));
        QVERIFY(Figure("LblAssetFees") != QStringLiteral("手数料 0円"));
    }

    void AWinningSaleTurnsToThePage() {
        TVxCompany& company = *F.Game().MarketList.Items(0);
        F.Game().Money = GoalMoney - 50;
        F.Hold(company, 2000, 220);
        F.Owner().SelectAndFocus(0);
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok); // the game's own box
        TNextModal trade([](QDialog& dialog) { dialog.accept(); });
        F.Action("ActVLVOwnerSellStockAll").trigger();
        QVERIFY(trade.Answered);
        QVERIFY(F.Game().GameEnd);
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().back().Caption,
                 QStringLiteral("ゲームクリア"));
        QCOMPARE(Pages().currentWidget(), &Page());
        QCOMPARE(Figure("LblAssetEnd"), QStringLiteral("3000億円まで 0か月"));
        QVERIFY(F.Find<QLabel>("LblAssetEnd").isVisible());
        QCOMPARE(Figure("LblAssetTrades"), QStringLiteral("取引回数 1回"));

        // The game is kept in 記録, once.
        const std::vector<TVxGameRecord> records = TVxRecordsFile::Read().Records;
        QCOMPARE(records.size(), size_t{1});
        const TVxHistorySummary summary = VxSummarize(F.Game().History());
        QCOMPARE(records[0].End, (TVxGameEnd{TVxGameOutcome::Won, 0, 0}));
        QCOMPARE(records[0].Total, summary.Total);
        QCOMPARE(records[0].FeesYen, summary.FeesYen);
        QCOMPARE(records[0].Trades, 1);
        QCOMPARE(records[0].Seed, std::nullopt);
        QCOMPARE(records[0].BotTotal, std::nullopt); // a market drawn from a script
        F.Form->ActDataReflect();
        QCOMPARE(TVxRecordsFile::Read().Records.size(), size_t{1});
    }

    void AMonthThatLosesTurnsToThePage() {
        F.NextMonth();
        F.NextMonth();
        F.Game().Money = 10; // the living cost takes it below 0
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.NextMonth();
        QVERIFY(F.Game().GameEnd);
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().back().Caption,
                 QStringLiteral("ゲームオーバー"));
        QCOMPARE(Pages().currentWidget(), &Page());
        QCOMPARE(Figure("LblAssetEnd"), QStringLiteral("1年目4月に破産"));
        const std::vector<TVxGameRecord> records = TVxRecordsFile::Read().Records;
        QCOMPARE(records.size(), size_t{1});
        QCOMPARE(records[0].End, (TVxGameEnd{TVxGameOutcome::Lost, 0, 3}));
        QCOMPARE(records[0].Total, -20);
        QCOMPARE(F.Row(Assets(), 0).mid(0, 2), (QStringList{"1年目4月", "-20万円"}));

        // A new game starts a new history; the page stays and shows it.
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Action("ActGameNew").trigger();
        QCOMPARE(Assets().ItemCount(), 1);
        QCOMPARE(Page().Chart().MonthCount(), 1);
        QCOMPARE(Figure("LblAssetElapsed"), QStringLiteral("経過 0か月"));
        QVERIFY(!F.Find<QLabel>("LblAssetEnd").isVisible());
    }

    // A game of seed 7 played 410 months by the trend rules, amounts in 兆,
    // in the window at its default 1000×720.
    void ThePageHasTheWindowsCentralArea() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("late.sav"));
        TVxSimGame simulated(7, VxSimCreateStrategy("trend"));
        simulated.NewGame();
        for (int month = 0; month < 410; ++month)
            simulated.PlayMonth();
        simulated.Save(path.toStdString());
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Form->CopyDataReceived(1, path);
        QTRY_COMPARE(F.Game().History().Months().size(), size_t{411});
        QCOMPARE(F.Form->size(), QSize(TFormRidolt::DefaultWidth, TFormRidolt::DefaultHeight));
        auto& log = F.Find<QPlainTextEdit>("RichEditMessage");
        const int chartHeight = F.Chart().height();
        const int logHeight = log.height();

        ShowPage();
        QCoreApplication::processEvents();
        QVERIFY(!F.Chart().isVisible());
        QVERIFY(!log.isVisible());
        QVERIFY(F.Action("ActChartVisible").isChecked());
        QVERIFY(F.Action("ActMessageVisible").isChecked());
        const TVxAssetChart& chart = Page().Chart();
        QVERIFY2(chart.width() * 2 >= TFormRidolt::DefaultWidth,
                 qPrintable(QString::number(chart.width())));
        QVERIFY2(chart.height() * 100 >= TFormRidolt::DefaultHeight * 45,
                 qPrintable(QString::number(chart.height())));
        // Every column fits its widest amount, and they fill the list.
        TVxListView& list = Assets();
        int widths = 0;
        for (int column = 0; column < list.ColumnCount(); ++column) {
            int widest = 0;
            for (int row = 0; row < list.ItemCount(); ++row)
                widest = std::max(widest,
                                  list.fontMetrics().horizontalAdvance(list.ItemText(row, column)));
            QVERIFY2(list.ColumnWidth(column) > widest, qPrintable(list.Column(column).Caption));
            widths += list.ColumnWidth(column);
        }
        QCOMPARE(widths, list.viewport()->width());
        QVERIFY(list.ItemText(0, TVxAssetListModel::acTotal).contains(u'兆'));

        // The 表示 menu's marks stay the player's: hidden and shown again
        // while the page is up, the chart waits for another page.
        F.Action("ActChartVisible").trigger();
        F.Action("ActChartVisible").trigger();
        QVERIFY(!F.Chart().isVisible());
        Pages().setCurrentIndex(0);
        QCoreApplication::processEvents();
        QVERIFY(F.Chart().isVisible());
        QVERIFY(log.isVisible());
        QCOMPARE(F.Chart().height(), chartHeight);
        QCOMPARE(log.height(), logHeight);
    }

    void TheChartAndTheListTakeTheKeys() {
        ShowPage();
        F.NextMonth();
        F.NextMonth();
        TVxAssetChart& chart = Page().Chart();
        // Tab goes from the page tabs to the figures shown, in the order
        // they are read, then to the chart and to the list.
        Pages().tabBar()->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int step = 0; step < 9; ++step) {
            QTest::keyClick(F.Form->windowHandle(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"LblAssetElapsed", "LblAssetTotal", "LblAssetPeak",
                                       "LblAssetTrades", "LblAssetFees", "LblAssetTax",
                                       "LblAssetSeed", "Chart", "VLVAssets"}));

        // A click on the chart gives it the keys, from the month clicked.
        QCoreApplication::processEvents();
        QLineSeries& total = chart.TotalSeries();
        const QPointF first = chart.chart()->mapToPosition(total.at(0), &total);
        QTest::mouseClick(chart.viewport(), Qt::LeftButton, {},
                          chart.mapFromScene(first) + QPoint(2, 0));
        QVERIFY(chart.hasFocus());
        QCOMPARE(chart.Highlighted(), 0);
        QTest::keyClick(&chart, Qt::Key_Right);
        QCOMPARE(chart.Readout(),
                 QStringLiteral("1年目2月 総資産 2970万円 (資金 2970万円, 株式 0円, "
                                "前月比 -30万円 -1.00%)"));

        // Alt+N leaves the keys with the chart, and the month with them.
        QTest::keyClick(&chart, Qt::Key_End);
        const QString latest = chart.Readout();
        QVERIFY(latest.startsWith(QStringLiteral("1年目3月 ")));
        F.Action("ActNextMonth").trigger();
        QCOMPARE(chart.MonthCount(), 4);
        QVERIFY(chart.hasFocus());
        QCOMPARE(chart.Highlighted(), 2);
        QCOMPARE(chart.Readout(), latest);
        QTest::keyClick(&chart, Qt::Key_Right);
        QVERIFY(chart.Readout().startsWith(QStringLiteral("1年目4月 総資産 2910万円 ")));
    }

    void TheSeedItemAsksForASeedThenConfirms() {
        const std::vector<uint8_t> before = SaveBytes(F.Game());
        // Cancelled at the seed, then at the question: nothing changes.
        TVxSeedDialog::SetNextAnswer(std::nullopt);
        F.Action("ActGameNewSeed").trigger();
        TVxSeedDialog::SetNextAnswer(7);
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Cancel);
        F.Action("ActGameNewSeed").trigger();
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().back().Text,
                 QStringLiteral("新しくゲームを始めます。よろしいですか？"));
        QCOMPARE(SaveBytes(F.Game()), before);
        QCOMPARE(F.Game().Seed(), std::nullopt);

        NewGameOfSeed(7);
        QCOMPARE(F.Game().Seed(), std::optional<uint64_t>(7));
        ShowPage();
        QCOMPARE(Figure("LblAssetSeed"), QStringLiteral("シード 7"));
        QVERIFY(F.Find<QLabel>("LblAssetSeed").textInteractionFlags() &
                Qt::TextSelectableByKeyboard);

        // ニューゲーム draws a seed of its own for a seeded game.
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Action("ActGameNew").trigger();
        QVERIFY(F.Game().Seed().has_value());
        QVERIFY(F.Game().Seed() != std::optional<uint64_t>(7));
        QCOMPARE(Figure("LblAssetSeed"), QStringLiteral("シード %1").arg(*F.Game().Seed()));
    }

    // The window's game of seed 7 sees the prices of `ridolt-sim run --seed
    // 7 --strategy idle`, whatever column its market is sorted by.
    void ASeededGamePlaysTheSimulatorsMarket() {
        NewGameOfSeed(7);
        TVxSimGame simulated(7, VxSimCreateStrategy("idle"));
        simulated.NewGame();
        QCOMPARE(PricesByID(F.Game()), PricesByID(simulated.Game()));
        for (int month = 0; month < 24; ++month) {
            if (month == 5)
                F.ClickHeader(F.Market(), 3); // 前月比(%)
            if (month == 15)
                F.ClickHeader(F.Market(), 1); // 株価
            F.NextMonth();
            simulated.PlayMonth();
            QCOMPARE(PricesByID(F.Game()), PricesByID(simulated.Game()));
        }
        QCOMPARE(F.Panel(1), QStringLiteral("3年目1月"));
    }

    // Saved and loaded in the window, a seeded game goes on with the same
    // market and history, and the trend rules' line with it.
    void ALoadedGameGoesOnAsIfNeverStopped() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("game.sav"));
        NewGameOfSeed(7);
        F.Market().SelectAndFocus(0);
        TNextModal trade([](QDialog& dialog) { dialog.accept(); });
        F.Action("ActVLVMarketBuyStock").trigger();
        QVERIFY(trade.Answered);
        for (int month = 0; month < 6; ++month)
            F.NextMonth();
        F.Game().SaveToFile(path.toStdString());

        const auto playOn = [this] {
            for (int month = 0; month < 6; ++month)
                F.NextMonth();
            return std::pair(PricesByID(F.Game()), F.Game().History().Months());
        };
        const auto uninterrupted = playOn();

        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Form->CopyDataReceived(1, path);
        QTRY_COMPARE(F.Game().History().Months().size(), size_t{7});
        QCOMPARE(F.Game().Seed(), std::optional<uint64_t>(7));
        QCOMPARE(playOn(), uninterrupted);

        ShowPage();
        QCOMPARE(Assets().ItemCount(), 13);
        QCOMPARE(Figure("LblAssetTrades"), QStringLiteral("取引回数 1回"));
        TVxSimGame simulated(7, VxSimCreateStrategy("trend"));
        simulated.NewGame();
        // The trades of the 13th month close 2年目1月.
        for (int month = 0; month < 13; ++month)
            simulated.PlayMonth();
        const int64_t january = simulated.Game().History().Months()[12].Total();
        // The bot catches up when the event loop next runs.
        QTRY_COMPARE(Page().Chart().BotSeries().count(), 13);
        const QLineSeries& bot = Page().Chart().BotSeries();
        QVERIFY(bot.isVisible());
        QCOMPARE(static_cast<int64_t>(bot.at(12).y()), january);
        QCOMPARE(Figure("LblAssetBot"),
                 QStringLiteral("トレンド戦略 総資産 ") + MoneyText(january));
    }
};

QTEST_MAIN(TFrmRidoltAssetsTest)
#include "FrmRidoltAssetsTest.moc"
