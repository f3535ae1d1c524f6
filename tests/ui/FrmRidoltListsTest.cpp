// The market and holdings lists of the main window: cell texts, sorting by
// header clicks, selection across a re-sort, charting the selection, the
// trade commands with the trade dialog, clearing the selection and
// resetting column widths.

#include "FormTestSupport.h"

#include "ui/words/VxCompanyColumnText.h"

#include <QMenu>
#include <QTabWidget>
#include <QWindow>

#include <algorithm>

namespace {

QStringList CompanyRow(const TVxCompany& company) {
    QStringList texts;
    for (int code = 0; code < CompanyColumnCount; ++code)
        texts << CompanyColumnText(company, code);
    return texts;
}

QString ChartTitleOf(const TVxCompany& company) {
    return QString::asprintf("ID:%.3d 株価推移", int{company.ID});
}

// What a trade dialog was opened with.
struct TOpenedTrade {
    const TVxCompany* Company = nullptr;
    int Tag = -1;
};

} // namespace

class TFrmRidoltListsTest : public QObject {
    Q_OBJECT
private:
    TVxSeededRandom FRandom{2};
    TFormFixture F;

    // Runs `open` and closes the trade dialog it opens with `accept`;
    // Company stays none when no dialog opened.
    TOpenedTrade OpenTrade(const std::function<void()>& open, bool accept = false) {
        TOpenedTrade opened;
        TNextModal answer([&opened, accept](QDialog& dialog) {
            if (auto* trade = qobject_cast<TFormDlgTrade*>(&dialog)) {
                opened.Company = &trade->Company();
                opened.Tag = static_cast<int>(trade->Mode());
            }
            accept ? dialog.accept() : dialog.reject();
        });
        open();
        return opened;
    }

private slots:
    void init() {
        FRandom.Seed(2);
        QVERIFY(F.Start(&FRandom));
    }
    void cleanup() { F.Stop(); }

    void RowsShowTheirCompanies() {
        F.Game().MarketList.Items(0)->Reset();
        TVxCompany& held = *F.Game().MarketList.Items(7);
        F.Hold(held, 3000, 100);
        QCOMPARE(F.Row(F.Market(), 0), (QStringList{"000", "1000円", "0円", "0.00%", "100万円",
                                                    "100,000株", "", "", "", ""}));
        QCOMPARE(F.Row(F.Market(), 7), CompanyRow(held));
        QCOMPARE(F.Row(F.Owner(), 0), CompanyRow(held));
        QCOMPARE(F.Market().ItemText(7, 6), QStringLiteral("3,000株"));
        QCOMPARE(F.Market().ItemText(999, 0), QStringLiteral("999"));
    }

    void HeaderClicksSortTheGameListAndMoveTheMark() {
        TVxListView& market = F.Market();
        const auto prices = [this] {
            QList<int> values;
            for (int i = 0; i < F.Game().MarketList.Count(); ++i)
                values << F.Game().MarketList.Items(i)->StockPrice();
            return values;
        };

        F.ClickHeader(market, ccStockPrice);
        QCOMPARE(F.Captions(market).mid(0, 3), (QStringList{"ID", "▲株価", "前月比(円)"}));
        QList<int> ascending = prices();
        QVERIFY(std::is_sorted(ascending.begin(), ascending.end()));
        QCOMPARE(F.Row(market, 0), CompanyRow(*F.Game().MarketList.Items(0)));

        F.ClickHeader(market, ccStockPrice);
        QCOMPARE(F.Captions(market).mid(0, 2), (QStringList{"ID", "▼株価"}));
        QList<int> descending = prices();
        QVERIFY(std::is_sorted(descending.rbegin(), descending.rend()));
        QCOMPARE(F.Game().MarketList.SortColumn, 1);
        QVERIFY(F.Game().MarketList.SortDown);
        QCOMPARE(F.Row(market, 0), CompanyRow(*F.Game().MarketList.Items(0)));

        F.ClickHeader(market, ccID);
        QCOMPARE(F.Captions(market).mid(0, 2), (QStringList{"▲ID", "株価"}));
        for (int i = 0; i < F.Game().MarketList.Count(); ++i)
            QCOMPARE(int{F.Game().MarketList.Items(i)->ID}, i);

        // Each list keeps its own sort.
        QCOMPARE(F.Captions(F.Owner()).first(), QStringLiteral("▲ID"));
        QCOMPARE(F.Game().OwnerList.SortColumn, 0);
    }

    void SelectedCompanyStaysSelectedAcrossAHeaderClick() {
        TVxListView& market = F.Market();
        F.ClickRow(market, 3);
        TVxCompany* selected = F.Game().MarketList.Items(3);
        QCOMPARE(F.ChartTitle(), ChartTitleOf(*selected));

        F.ClickHeader(market, ccStockPrice);
        F.ClickHeader(market, ccStockPrice);
        const int row = F.Game().MarketList.IndexOf(selected);
        QVERIFY(row != 3);
        QCOMPARE(market.ItemIndex(), row);
        QCOMPARE(market.ItemFocused(), row);
        QVERIFY(F.RowOnScreen(market, row));
        QCOMPARE(F.ChartTitle(), ChartTitleOf(*selected));

        // No selection before: none after, and no focus either.
        market.ClearSelection();
        QVERIFY(market.ItemFocused() >= 0);
        F.ClickHeader(market, ccMonthDiff);
        QCOMPARE(market.ItemIndex(), -1);
        QCOMPARE(market.ItemFocused(), -1);
    }

    void ShownPageChartsItsOwnSelection() {
        auto& pages = F.Find<QTabWidget>("PageControl1");
        TVxCompany& held = *F.Game().MarketList.Items(20);
        F.Hold(held, 1000, 100);
        F.ClickRow(F.Market(), 4);
        TVxCompany& marketPick = *F.Game().MarketList.Items(4);
        QCOMPARE(F.ChartTitle(), ChartTitleOf(marketPick));

        pages.setCurrentIndex(1);
        QCOMPARE(F.ChartTitle(), ChartTitleOf(marketPick)); // nothing selected there
        F.ClickRow(F.Owner(), 0);
        QCOMPARE(F.ChartTitle(), ChartTitleOf(held));
        pages.setCurrentIndex(0);
        QCOMPARE(F.ChartTitle(), ChartTitleOf(marketPick));
        pages.setCurrentIndex(1);
        QCOMPARE(F.ChartTitle(), ChartTitleOf(held));
    }

    void TradeCommandsOpenTheDialogForTheFocusedRow_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("holdings");
        QTest::addColumn<int>("tag");
        QTest::newRow("market buy") << "ActVLVMarketBuyStock" << false << 0;
        QTest::newRow("market sell") << "ActVLVMarketSellStock" << false << 1;
        QTest::newRow("market buy all") << "ActVLVMarketBuyStockAll" << false << 2;
        QTest::newRow("market sell all") << "ActVLVMarketSellStockAll" << false << 3;
        QTest::newRow("holdings buy") << "ActVLVOwnerBuyStock" << true << 0;
        QTest::newRow("holdings sell") << "ActVLVOwnerSellStock" << true << 1;
        QTest::newRow("holdings buy all") << "ActVLVOwnerBuyStockAll" << true << 2;
        QTest::newRow("holdings sell all") << "ActVLVOwnerSellStockAll" << true << 3;
    }
    void TradeCommandsOpenTheDialogForTheFocusedRow() {
        QFETCH(QString, action);
        QFETCH(bool, holdings);
        QFETCH(int, tag);
        F.Hold(*F.Game().MarketList.Items(30), 2000, 200);
        F.Hold(*F.Game().MarketList.Items(31), 2000, 200);
        TVxListView& view = holdings ? F.Owner() : F.Market();
        const TVxCompanyList& companies = holdings ? F.Game().OwnerList : F.Game().MarketList;
        // The focused row decides, not the selected one.
        view.SelectAndFocus(0);
        view.SetItemFocused(1);
        const int32_t money = F.Game().Money;
        QAction& trade = F.Action(action.toLatin1().constData());
        const TOpenedTrade opened = OpenTrade([&trade] { trade.trigger(); });
        QCOMPARE(opened.Company, companies.Items(1));
        QCOMPARE(opened.Tag, tag);
        QCOMPARE(F.Game().Money, money); // cancelled

        view.SetItemFocused(-1);
        QCOMPARE(OpenTrade([&trade] { trade.trigger(); }).Company, nullptr);
    }

    void DoubleClickAndEnterOpenTheDialog() {
        TVxCompany& held = *F.Game().MarketList.Items(40);
        F.Hold(held, 1000, 100);
        TVxListView& market = F.Market();
        const auto doubleClick = [](TVxListView& view, QPoint at) {
            return [&view, at] {
                QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
            };
        };

        TOpenedTrade opened =
            OpenTrade(doubleClick(market, market.visualRect(market.model()->index(4, 0)).center()));
        QCOMPARE(opened.Company, F.Game().MarketList.Items(4));
        QCOMPARE(opened.Tag, 0);

        F.Find<QTabWidget>("PageControl1").setCurrentIndex(1);
        TVxListView& owner = F.Owner();
        opened =
            OpenTrade(doubleClick(owner, owner.visualRect(owner.model()->index(0, 0)).center()));
        QCOMPARE(opened.Company, &held);
        QCOMPARE(opened.Tag, 1);

        // Empty area without a focused row: nothing.
        owner.SetItemFocused(-1);
        const QPoint below(10, owner.viewport()->height() - 5);
        QCOMPARE(OpenTrade(doubleClick(owner, below)).Company, nullptr);

        // Enter on the focused row.
        F.Find<QTabWidget>("PageControl1").setCurrentIndex(0);
        market.setFocus();
        market.SelectAndFocus(9);
        opened = OpenTrade([&market] { QTest::keyClick(&market, Qt::Key_Return); });
        QCOMPARE(opened.Company, F.Game().MarketList.Items(9));
        QCOMPARE(opened.Tag, 0);

        // A disabled action makes the double-click do nothing.
        F.Game().GameEnd = true;
        QCOMPARE(
            OpenTrade(doubleClick(market, market.visualRect(market.model()->index(4, 0)).center()))
                .Company,
            nullptr);
    }

    void AcceptedPurchaseIsSettledAndShown() {
        TVxListView& market = F.Market();
        market.SelectAndFocus(12);
        TVxCompany& bought = *F.Game().MarketList.Items(12);
        const int32_t price = bought.StockPrice();
        const int32_t cost = (11 * price + 99) / 100; // one lot, fee included, rounded up
        OpenTrade([this] { F.Action("ActVLVMarketBuyStock").trigger(); }, true);
        QCOMPARE(F.Game().Money, 3000 - cost);
        QCOMPARE(bought.MyStockCount, 1000);
        QCOMPARE(F.Game().OwnerList.Count(), 1);
        QCOMPARE(F.Owner().ItemCount(), 1);
        QCOMPARE(market.ItemText(12, ccMyStockCount), QStringLiteral("1,000株"));
        QCOMPARE(F.Panel(3), QStringLiteral("所有銘柄数 1"));
        QVERIFY(F.Enabled("ActVLVOwnerSellStock"));
        QVERIFY(!F.Game().GameEnd);
    }

    void SaleThatReachesTheGoalEndsTheGame() {
        F.Hold(*F.Game().MarketList.Items(50), 1000, 100);
        F.Game().Money = 30000000 - 1;
        F.Owner().SelectAndFocus(0);
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        OpenTrade([this] { F.Action("ActVLVOwnerSellStockAll").trigger(); }, true);
        QVERIFY(F.Game().GameEnd);
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().back().Caption,
                 QStringLiteral("ゲームクリア"));
        QCOMPARE(F.Game().OwnerList.Count(), 0);
        QCOMPARE(F.Owner().ItemCount(), 0); // refreshed before the check
        QVERIFY(!F.Enabled("ActVLVMarketBuyStock"));
    }

    // Selling all of holdings row k moves the rows below it up: the player
    // must not find the next company selected, charted and one Enter away
    // from a trade.
    void ASaleOfEverythingLeavesNoSelectionInItsPlace() {
        for (const int index : {10, 20, 30})
            F.Hold(*F.Game().MarketList.Items(index), 1000, 110);
        TVxCompany& sold = *F.Game().OwnerList.Items(1);
        TVxListView& owner = F.Owner();
        F.ClickRow(F.Market(), 5);
        F.Find<QTabWidget>("PageControl1").setCurrentIndex(1);
        F.ClickRow(owner, 1);

        OpenTrade([this] { F.Action("ActVLVOwnerSellStockAll").trigger(); }, true);

        QCOMPARE(sold.MyStockCount, 0);
        QCOMPARE(owner.ItemCount(), 2);
        QCOMPARE(owner.ItemIndex(), -1);
        QCOMPARE(owner.ItemFocused(), -1);
        QCOMPARE(F.ChartTitle(), ChartTitleOf(sold));
        QCOMPARE(F.Market().ItemIndex(), 5); // the other list keeps its company
        QCOMPARE(OpenTrade([this] { F.Action("ActVLVOwnerSellStock").trigger(); }).Company,
                 nullptr);
    }

    void ATradeKeepsEachListsCompanySelected() {
        for (const int index : {10, 20})
            F.Hold(*F.Game().MarketList.Items(index), 2000, 220);
        TVxCompany& kept = *F.Game().OwnerList.Items(1);
        F.Owner().SelectAndFocus(1);
        F.Market().SelectAndFocus(3); // not held yet: bought, it joins the holdings
        TVxCompany& bought = *F.Game().MarketList.Items(3);

        OpenTrade([this] { F.Action("ActVLVMarketBuyStock").trigger(); }, true);

        QCOMPARE(bought.MyStockCount, 1000);
        QCOMPARE(F.Market().ItemIndex(), 3);
        QCOMPARE(F.Owner().ItemIndex(), F.Game().OwnerList.IndexOf(&kept));
        QCOMPARE(F.ChartTitle(), ChartTitleOf(bought));
    }

    // The right mouse button picks the row under it before the list's menu
    // opens, so the menu's trade is for the row the player pointed at.
    void ARightClickSelectsTheRowAndOpensItsListsMenu_data() {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("menu");
        QTest::newRow("market") << "VLVMarket"
                                << "PMMarket";
        QTest::newRow("holdings") << "VLVOwner"
                                  << "PMOwner";
    }
    void ARightClickSelectsTheRowAndOpensItsListsMenu() {
        QFETCH(QString, view);
        QFETCH(QString, menu);
        for (const int index : {10, 20, 30})
            F.Hold(*F.Game().MarketList.Items(index), 1000, 110);
        F.Find<QTabWidget>("PageControl1").setCurrentIndex(view == "VLVOwner" ? 1 : 0);
        auto& list = F.Find<TVxListView>(view.toLatin1().constData());
        auto& popup = F.Find<QMenu>(menu.toLatin1().constData());
        const QPoint at = list.visualRect(list.model()->index(2, 0)).center();
        // Through the window system, which turns the press into a context menu.
        QWindow* window = F.Form->windowHandle();
        const QPoint inWindow = list.viewport()->mapTo(F.Form.get(), at);
        QTest::mousePress(window, Qt::RightButton, {}, inWindow);
        QTest::mouseRelease(window, Qt::RightButton, {}, inWindow);

        QTRY_VERIFY(popup.isVisible());
        QCOMPARE(list.ItemIndex(), 2);
        QCOMPARE(list.ItemFocused(), 2);
        popup.close();
    }

    void ClearSelectionKeepsTheChart() {
        TVxListView& market = F.Market();
        F.ClickRow(market, 2);
        const QString title = F.ChartTitle();
        F.Action("ActVLVMarketClearSelection").trigger();
        QCOMPARE(market.ItemIndex(), -1);
        QCOMPARE(market.ItemFocused(), -1);
        QCOMPARE(F.ChartTitle(), title);
        QCOMPARE(F.Chart().Series().count(), 12);
    }

    void ResetColumnWidthsRestoresTheDesign_data() {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("action");
        QTest::newRow("market") << "VLVMarket"
                                << "ActVLVMarketResetColumnWidths";
        QTest::newRow("holdings") << "VLVOwner"
                                  << "ActVLVOwnerResetColumnWidths";
    }
    void ResetColumnWidthsRestoresTheDesign() {
        QFETCH(QString, view);
        QFETCH(QString, action);
        auto& list = F.Find<TVxListView>(view.toLatin1().constData());
        list.SetColumnWidth(ccStockPrice, 200);
        list.SetColumnWidth(ccMyStockPriceBuyingAverage, 20);
        F.Action(action.toLatin1().constData()).trigger();
        QCOMPARE(list.ColumnWidth(ccStockPrice), 85);
        QCOMPARE(list.ColumnWidth(ccMyStockPriceBuyingAverage), 110);
    }
};

QTEST_MAIN(TFrmRidoltListsTest)
#include "FrmRidoltListsTest.moc"
