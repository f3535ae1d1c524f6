// The month step of the main window, the price chart, the balance pages and
// the month timer.

#include "FormTestSupport.h"

#include "ui/words/VxCompanyColumnText.h"

#include <QCategoryAxis>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QValueAxis>

namespace {

QStringList MonthLabels(int firstMonth) {
    QStringList labels;
    for (int i = 0; i < 12; ++i)
        labels << QStringLiteral("%1月").arg((firstMonth - 1 + i) % 12 + 1);
    return labels;
}

QList<qreal> HistoryOf(const TVxCompany& company) {
    QList<qreal> prices;
    for (int32_t price : company.PriceHistory.Values())
        prices << price;
    return prices;
}

} // namespace

class TFrmRidoltMonthTest : public QObject {
    Q_OBJECT
private:
    TVxSeededRandom FRandom{3};
    TFormFixture F;

    QList<qreal> ChartValues() const {
        QList<qreal> values;
        for (const QPointF& point : F.Chart().Series().points())
            values << point.y();
        return values;
    }

    QStringList BalanceValues(const char* view) const {
        const auto& list = F.Find<TVxListView>(view);
        QStringList values;
        for (int row = 0; row < list.ItemCount(); ++row)
            values << list.ItemText(row, 1);
        return values;
    }

    QTabWidget& Pages() const { return F.Find<QTabWidget>("PageControl1"); }

private slots:
    void init() {
        FRandom.Seed(3);
        QVERIFY(F.Start(&FRandom));
    }
    void cleanup() { F.Stop(); }

    void MonthKeepsTheSelectionAndTheChartedCompany() {
        TVxListView& market = F.Market();
        F.ClickHeader(market, ccMonthDiffPercent); // an order that every month changes
        F.ClickRow(market, 10);
        TVxCompany* selected = F.Game().MarketList.Items(10);
        const int32_t oldPrice = selected->StockPrice();
        QCOMPARE(F.Chart().MonthAxis().categoriesLabels(), MonthLabels(2)); // January: 2月 .. 1月

        F.NextMonth();
        QCOMPARE(F.Panel(1), QStringLiteral("1年目2月"));
        QCOMPARE(F.Panel(2), QStringLiteral("資金 2970万円"));
        const int row = F.Game().MarketList.IndexOf(selected);
        QCOMPARE(market.ItemIndex(), row);
        QCOMPARE(market.ItemFocused(), row);
        QVERIFY(F.RowOnScreen(market, row));
        QCOMPARE(F.Row(market, row).first(), QString::asprintf("%.3d", int{selected->ID}));
        // The line moved one month left with the new price at the right end.
        QCOMPARE(F.ChartTitle(), QString::asprintf("ID:%.3d 株価推移", int{selected->ID}));
        QCOMPARE(F.Chart().MonthAxis().categoriesLabels(), MonthLabels(3));
        QCOMPARE(ChartValues(), HistoryOf(*selected));
        QCOMPARE(ChartValues().at(10), qreal(oldPrice));
    }

    void MonthKeepsTheChartWhileReselectingTheOtherList() {
        // Selected in the market, then charted from the holdings page and
        // left for a balance page: the month re-selects the market company
        // at its new row, which charts it for a moment, but the chart must
        // stay with the holding.
        TVxListView& market = F.Market();
        F.ClickHeader(market, ccMonthDiffPercent);
        F.ClickRow(market, 500);
        TVxCompany* marketPick = F.Game().MarketList.Items(500);
        TVxCompany& held = *F.Game().MarketList.Items(10);
        F.Hold(held, 1000, 100);
        Pages().setCurrentIndex(1);
        F.ClickRow(F.Owner(), 0);
        QCOMPARE(F.ChartTitle(), QString::asprintf("ID:%.3d 株価推移", int{held.ID}));
        Pages().setCurrentIndex(2);

        F.NextMonth();
        QVERIFY(F.Game().MarketList.IndexOf(marketPick) != 500);
        QCOMPARE(market.ItemIndex(), F.Game().MarketList.IndexOf(marketPick));
        QCOMPARE(F.Owner().ItemIndex(), 0);
        QCOMPARE(F.ChartTitle(), QString::asprintf("ID:%.3d 株価推移", int{held.ID}));
        QCOMPARE(ChartValues(), HistoryOf(held));
    }

    void ChartShowsTheChartedCompany() {
        QCOMPARE(F.ChartTitle(), QStringLiteral("株価推移"));
        QCOMPARE(F.Chart().Series().count(), 0);

        TVxCompany& fresh = *F.Game().MarketList.Items(7);
        fresh.Reset();
        F.Game().Month = 3;
        F.ClickRow(F.Market(), 7);
        QCOMPARE(F.ChartTitle(), QStringLiteral("ID:007 株価推移"));
        QCOMPARE(ChartValues(), QList<qreal>(12, 1000));
        QCOMPARE(F.Chart().MonthAxis().categoriesLabels(), MonthLabels(5)); // 5月 .. 4月
        QVERIFY(F.Chart().PriceAxis().min() < 1000);
        QVERIFY(F.Chart().PriceAxis().max() > 1000);
        QCOMPARE(F.Chart().Series().pen().color(), QColor(Qt::red));
        QVERIFY(!F.Chart().Series().pointsVisible());

        fresh.SetStockPrice(25000);
        F.Form->ActDataReflect();
        QVERIFY(F.Chart().PriceAxis().max() >= 25000);

        // A new game charts nothing until a row is selected, even with a
        // row selected before it.
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Action("ActGameNew").trigger();
        QCOMPARE(F.ChartTitle(), QStringLiteral("株価推移"));
        QCOMPARE(F.Chart().Series().count(), 0);
    }

    void BankruptHoldingLeavesTheListAndItsSelection() {
        TDownByTwoRandom down;
        F.Game().SetRandom(&down);
        TVxCompany& doomed = *F.Game().MarketList.Items(5);
        doomed.SetStockPrice(2);
        F.Hold(doomed, 1000, 1);
        Pages().setCurrentIndex(1);
        F.ClickRow(F.Owner(), 0);
        QCOMPARE(F.ChartTitle(), QStringLiteral("ID:005 株価推移"));

        F.NextMonth();
        QCOMPARE(F.Game().OwnerList.Count(), 0);
        QCOMPARE(F.Owner().ItemCount(), 0);
        QCOMPARE(F.Owner().ItemIndex(), -1);
        QCOMPARE(F.Owner().ItemFocused(), -1);
        QCOMPARE(F.Panel(3), QStringLiteral("所有銘柄数 0"));
        auto& log = F.Find<QPlainTextEdit>("RichEditMessage");
        QCOMPARE(
            log.document()->lastBlock().text(),
            QStringLiteral("1年目2月 ID:5の会社は倒産しました。所有株の価値は無くなりました。"));
        // Still charted, now as the fresh company of the same number.
        QCOMPARE(F.ChartTitle(), QStringLiteral("ID:005 株価推移"));
        QCOMPARE(ChartValues(), QList<qreal>(12, 1000));
    }

    void RefusedMonthChangesNothing() {
        F.Hold(*F.Game().MarketList.Items(3), 1000, 100);
        F.Game().Money = 10;
        F.Form->ActDataReflect();
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.NextMonth();
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().back().Caption, QStringLiteral("警告"));
        QCOMPARE(
            TVxQtMessageBox::AnsweredRequests().back().Text,
            QStringLiteral(
                "このままでは破産してしまいます。\n所有株を売却して、資金を用意してください。"));
        QCOMPARE(F.Game().Month, 0);
        QCOMPARE(F.Panel(1), QStringLiteral("1年目1月"));
        QCOMPARE(F.Panel(2), QStringLiteral("資金 10万円"));
    }

    void BalancePagesShowTheTotals_data() {
        QTest::addColumn<int>("income");
        QTest::addColumn<int>("expense");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("new game") << 0 << 0
                                  << QStringList{"0円", "0円", "-", "0円", "0円", "-", "0円"};
        QTest::newRow("bought for 3000")
            << 0 << 3000
            << QStringList{"0円", "3000万円", "-", "-3000万円", "0円", "-", "-3000万円"};
        QTest::newRow("profit 12345")
            << 12345 << 0
            << QStringList{"1億2345万円", "0円", "-", "1億2345万円", "2469万円", "-", "9876万円"};
    }
    void BalancePagesShowTheTotals() {
        QFETCH(int, income);
        QFETCH(int, expense);
        QFETCH(QStringList, values);
        F.Game().SetIncome(income);
        F.Game().SetExpense(expense);
        // Switching to the page fills it at once.
        Pages().setCurrentIndex(2);
        QCOMPARE(BalanceValues("VLVNowBalance"), values);
        F.Game().PushIncome(0);
        F.Game().PushExpense(0);
        Pages().setCurrentIndex(3);
        QCOMPARE(BalanceValues("VLVPreBalance"), values);
        QCOMPARE(F.Find<TVxListView>("VLVPreBalance").ItemText(6, 0), QStringLiteral("税引き利益"));
    }

    void ShownBalancePageFollowsEveryRefresh() {
        Pages().setCurrentIndex(2);
        F.Game().SetExpense(111);
        F.Form->ActDataReflect();
        QCOMPARE(BalanceValues("VLVNowBalance").at(1), QStringLiteral("111万円"));
        // The other page is filled only when it is shown.
        QCOMPARE(BalanceValues("VLVPreBalance").at(1), QString());
    }

    void YearChangeMovesTheTotalsToLastYear() {
        F.Game().Month = 11;
        F.Game().SetIncome(100);
        F.Action("ActMessageClear").trigger();
        Pages().setCurrentIndex(2);
        QCOMPARE(BalanceValues("VLVNowBalance"),
                 (QStringList{"100万円", "0円", "-", "100万円", "20万円", "-", "80万円"}));

        F.NextMonth();
        QCOMPARE(F.Panel(1), QStringLiteral("2年目1月"));
        QCOMPARE(F.Panel(2), QStringLiteral("資金 2950万円"));
        QCOMPARE(BalanceValues("VLVNowBalance"),
                 (QStringList{"0円", "0円", "-", "0円", "0円", "-", "0円"}));
        Pages().setCurrentIndex(3);
        QCOMPARE(BalanceValues("VLVPreBalance"),
                 (QStringList{"100万円", "0円", "-", "100万円", "20万円", "-", "80万円"}));
        QCOMPARE(F.Log(), QStringLiteral("2年目1月 20万円の税を納めました。"));
    }

    void TimerRunsMonthsUntilStopped() {
        // A 1 ms timer runs many months before the test looks again: enough
        // cash that none of them ends the game.
        F.Game().Money = 1000000;
        QAction& toggle = F.Action("ActTimerEnabled");
        toggle.trigger();
        QCOMPARE(toggle.text(), QStringLiteral("停止する"));
        QTRY_VERIFY(F.Game().Year > 0 || F.Game().Month >= 2);
        toggle.trigger();
        QCOMPARE(toggle.text(), QStringLiteral("再開する"));
        const int32_t months = F.Game().Year * 12 + F.Game().Month;
        QCOMPARE(F.Panel(1),
                 QString::asprintf("%d年目%d月", F.Game().Year + 1, F.Game().Month + 1));
        QTest::qWait(30);
        QCOMPARE(F.Game().Year * 12 + F.Game().Month, months);
    }
};

QTEST_MAIN(TFrmRidoltMonthTest)
#include "FrmRidoltMonthTest.moc"
