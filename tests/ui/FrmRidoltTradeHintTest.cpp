// What the market and holdings rows tell a player resting the pointer on
// them, or a screen reader reading their description: what a trade of the
// row's company would bring now, figure for figure what the trade dialog
// offers; and the colours of rises and falls in the lists.

#include "FormTestSupport.h"

#include "ui/lists/VxTrendColors.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QComboBox>
#include <QHelpEvent>
#include <QToolTip>

#include <vector>

namespace {

// The choices a trade dialog offered: lot counts and their amounts, as the
// dialog shows them.
struct TOffered {
    QStringList Lots;
    QStringList Money;
};

QStringList Items(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

QString Shares(const QString& lots) {
    return GroupedText(lots.toInt() * 1000) + QStringLiteral("株");
}

} // namespace

class TFrmRidoltTradeHintTest : public QObject {
    Q_OBJECT
private:
    TVxSeededRandom FRandom{3};
    TFormFixture F;

    // Company 5 at `price` yen for a year, `shares` of it held for `cost`,
    // and `money` in cash; the row of company 5 in `view`.
    int Situation(TVxListView& view, int32_t price, int32_t shares, int32_t cost, int32_t money) {
        TVxCompany& company = CompanyByID(F.Game(), 5);
        SetPrices(company, std::vector<int32_t>(12, price));
        F.Game().Money = money;
        F.Hold(company, shares, cost);
        const TVxCompanyList& list = &view == &F.Owner() ? F.Game().OwnerList : F.Game().MarketList;
        const int row = list.IndexOf(&company);
        F.ClickRow(view, row);
        return row;
    }

    // Opens the trade dialog of `action` on the focused row and reads its
    // offers.
    TOffered Offered(const char* action) {
        TOffered offered;
        TNextModal answer([&offered](QDialog& dialog) {
            offered.Lots = Items(*dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxStock")));
            offered.Money = Items(*dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxMoney")));
            dialog.reject();
        });
        F.Action(action).trigger();
        return offered;
    }

    // The tooltip the view shows when the pointer rests on `row`.
    static QString ShownToolTip(TVxListView& view, int row) {
        const QModelIndex cell = view.model()->index(row, ccStockPrice);
        const QPoint at = view.visualRect(cell).center();
        QHelpEvent help(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(view.viewport(), &help);
        const QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        return shown;
    }

    // What a screen reader reads as the description of a cell of `row`.
    static QString ReadDescription(TVxListView& view, int row) {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
        QAccessibleInterface* cell = list->tableInterface()->cellAt(row, ccStockPrice);
        return cell ? cell->text(QAccessible::Description) : QString();
    }

    void CheckHint(TVxListView& view, int row, const QString& expected) {
        QCOMPARE(view.model()->index(row, 0).data(Qt::ToolTipRole).toString(), expected);
        QCOMPARE(ShownToolTip(view, row), expected);
        QCOMPARE(ReadDescription(view, row), expected);
    }

private slots:
    void init() {
        FRandom.Seed(3);
        QVERIFY(F.Start(&FRandom));
        F.Form->activateWindow();
    }
    void cleanup() { F.Stop(); }

    void HeldRowsTellWhatSellingEverythingBrings_data() {
        QTest::addColumn<int>("price");
        QTest::addColumn<int>("shares");
        QTest::addColumn<int>("cost");
        QTest::addColumn<QString>("hint");
        QTest::newRow("gain") << 1000 << 5000 << 400
                              << "全5,000株を売ると 450万円 (手数料差引後)\n"
                                 "損益 +50万円 +12.50% (購入額 400万円)";
        QTest::newRow("loss") << 800 << 3000 << 330
                              << "全3,000株を売ると 216万円 (手数料差引後)\n"
                                 "損益 -114万円 -34.55% (購入額 330万円)";
        QTest::newRow("even") << 1000 << 1000 << 90
                              << "全1,000株を売ると 90万円 (手数料差引後)\n"
                                 "損益 0円 0.00% (購入額 90万円)";
        QTest::newRow("large") << 123456 << 10000 << 100000
                               << "全10,000株を売ると 11億1110万円 (手数料差引後)\n"
                                  "損益 +1億1110万円 +11.11% (購入額 10億円)";
        QTest::newRow("no sale offered")
            << 5 << 2000 << 2 << "売却できません (手数料を引くと1万円に届きません)\n購入額 2万円";
    }
    void HeldRowsTellWhatSellingEverythingBrings() {
        QFETCH(int, price);
        QFETCH(int, shares);
        QFETCH(int, cost);
        QFETCH(QString, hint);
        F.Form->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
        const int row = Situation(F.Owner(), price, shares, cost, 3000);
        CheckHint(F.Owner(), row, hint);

        // The figures are the dialog's own: its largest sale is all the
        // lots for the amount the hint names.
        const TOffered offered = Offered("ActVLVOwnerSellStockAll");
        if (offered.Lots.isEmpty()) {
            QVERIFY(hint.startsWith(QStringLiteral("売却できません")));
            return;
        }
        QVERIFY(hint.startsWith(QStringLiteral("全%1を売ると %2円 ")
                                    .arg(Shares(offered.Lots.last()), offered.Money.last())));
        QCOMPARE(offered.Lots.last().toInt() * 1000, shares);
    }

    void MarketRowsTellWhatALotCostsAndWhatTheCashBuys_data() {
        QTest::addColumn<int>("price");
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("money");
        QTest::addColumn<QString>("hint");
        QTest::newRow("affordable") << 1000 << 0 << 3000
                                    << "1,000株 110万円 (手数料込み)\n"
                                       "資金で買えるのは最大 27,000株 (2970万円)";
        QTest::newRow("every share on sale")
            << 10 << 0 << 3000
            << "1,000株 2万円 (手数料込み)\n資金で買えるのは最大 100,000株 (110万円)";
        QTest::newRow("too dear") << 1000 << 0 << 100
                                  << "1,000株 110万円 (手数料込み)\n資金では1,000株も買えません";
        QTest::newRow("every share held")
            << 1000 << 100000 << 3000 << "売りに出ている株がありません";
    }
    void MarketRowsTellWhatALotCostsAndWhatTheCashBuys() {
        QFETCH(int, price);
        QFETCH(int, held);
        QFETCH(int, money);
        QFETCH(QString, hint);
        const int row = Situation(F.Market(), price, held, held / 10, money);
        CheckHint(F.Market(), row, hint);

        const TOffered offered = Offered("ActVLVMarketBuyStock");
        if (offered.Lots.isEmpty()) {
            QVERIFY(!hint.contains(QStringLiteral("資金で買える")));
            return;
        }
        QVERIFY(hint.startsWith(QStringLiteral("1,000株 %1円 ").arg(offered.Money.first())));
        QVERIFY(hint.endsWith(QStringLiteral("最大 %1 (%2円)")
                                  .arg(Shares(offered.Lots.last()), offered.Money.last())));
    }

    void AHintFollowsTheCash() {
        const int row = Situation(F.Market(), 1000, 0, 0, 3000);
        F.Game().Money = 220;
        QVERIFY(F.Market()
                    .model()
                    ->index(row, 0)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .endsWith(QStringLiteral("最大 2,000株 (220万円)")));
    }

    // 前月比(円), 前月比(%) and 現在/購入時 are red above the month before (or
    // the buying price) and blue below it; unchanged figures and the other
    // columns keep the view's text colour.
    void RisesAndFallsHaveTheirColours_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("now");
        QTest::addColumn<int>("trend");
        QTest::newRow("rise") << 1000 << 1015 << int(TVxTrend::Rise);
        QTest::newRow("fall") << 1000 << 990 << int(TVxTrend::Fall);
        QTest::newRow("unchanged") << 1000 << 1000 << int(TVxTrend::None);
    }
    void RisesAndFallsHaveTheirColours() {
        QFETCH(int, before);
        QFETCH(int, now);
        QFETCH(int, trend);
        TVxCompany& company = CompanyByID(F.Game(), 5);
        std::vector<int32_t> prices(12, before);
        prices.back() = now;
        SetPrices(company, prices);
        // Bought at the price of the month before: 1000 shares for 100万円.
        F.Hold(company, 1000, before / 10);
        const QPalette palette = QApplication::palette("QAbstractItemView");
        const QVariant expected =
            trend == int(TVxTrend::None)
                ? QVariant()
                : QVariant(QBrush(TrendColor(static_cast<TVxTrend>(trend), palette)));
        for (TVxListView* view : {&F.Market(), &F.Owner()}) {
            const int row =
                (view == &F.Owner() ? F.Game().OwnerList : F.Game().MarketList).IndexOf(&company);
            for (const int code : {ccMonthDiff, ccMonthDiffPercent, ccMyStockPriceRatio}) {
                const QVariant colour = view->model()->index(row, code).data(Qt::ForegroundRole);
                QCOMPARE(colour, expected);
            }
            for (const int code : {ccID, ccStockPrice, ccMyStockValue})
                QVERIFY(!view->model()->index(row, code).data(Qt::ForegroundRole).isValid());
        }
        if (trend == int(TVxTrend::Rise))
            QCOMPARE(expected.value<QBrush>().color(), QColor(0xC0, 0x00, 0x00));
        if (trend == int(TVxTrend::Fall))
            QCOMPARE(expected.value<QBrush>().color(), QColor(0x00, 0x40, 0xC0));
    }
};

QTEST_MAIN(TFrmRidoltTradeHintTest)
#include "FrmRidoltTradeHintTest.moc"
