// What a screen reader gets of the main window and the trade dialog, read
// through Qt's accessibility interfaces (the ones the desktop's bridge
// passes on): names, roles, states and texts.  The developer menu is in no
// part of the tree, tab lists are named and their tabs say which one is
// shown, the trade dialog's lists carry their labels and describe the
// choice, the chart reads its title and its months, the month read out
// having the focus, and a month played is a notification in the window.

#include "FormTestSupport.h"

#include "game/VxTrade.h"
#include "game/VxUtils.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxTradeHint.h"

#include <QAccessible>
#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>

#include <functional>

namespace {

QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// The names of every menu and menu item in the accessible tree below
// `root`, depth first.
// The names of the notifications shown in the accessible tree below `root`.
void CollectNotifications(QAccessibleInterface* root, QStringList& names, int depth = 0) {
    if (!root || depth > 40)
        return;
    if (root->role() == QAccessible::Notification && !root->state().invisible)
        names << root->text(QAccessible::Name);
    for (int i = 0; i < root->childCount(); ++i)
        CollectNotifications(root->child(i), names, depth + 1);
}

void CollectMenuNames(QAccessibleInterface* root, QStringList& names, int depth = 0) {
    if (!root || depth > 40)
        return;
    if (root->role() == QAccessible::MenuItem || root->role() == QAccessible::PopupMenu)
        names << root->text(QAccessible::Name);
    for (int i = 0; i < root->childCount(); ++i)
        CollectMenuNames(root->child(i), names, depth + 1);
}

struct TTab {
    QString Name;
    bool Selected;
    bool Selectable;
};

QList<TTab> Tabs(QTabBar& bar) {
    QAccessibleInterface* list = Accessible(&bar);
    QList<TTab> tabs;
    if (!list || list->role() != QAccessible::PageTabList)
        return tabs;
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface* tab = list->child(i);
        if (tab->role() == QAccessible::PageTab)
            tabs.append({tab->text(QAccessible::Name), bool(tab->state().selected),
                         bool(tab->state().selectable)});
    }
    return tabs;
}

QStringList SelectedTabs(QTabBar& bar) {
    QStringList names;
    for (const TTab& tab : Tabs(bar))
        if (tab.Selected)
            names << tab.Name;
    return names;
}

} // namespace

class TFrmRidoltAccessibilityTest : public QObject {
    Q_OBJECT
private:
    TVxSeededRandom FRandom{8};
    TFormFixture F;

    QAccessibleInterface* Chart() const { return Accessible(&F.Chart()); }

    // The chart's months as a screen reader reads them: "2月 1000円", ...
    QStringList ChartMonths() const {
        const QString description = Chart()->text(QAccessible::Description);
        return description.section(u'。', 0, 0).split(QStringLiteral("、"), Qt::SkipEmptyParts);
    }

    QStringList ExpectedMonths(const TVxCompany& company) const {
        QStringList months;
        for (int i = 0; i < company.PriceHistory.Count(); ++i)
            months << QStringLiteral("%1月 %2円")
                          .arg((F.Game().Month + i + 1) % 12 + 1)
                          .arg(QString::fromStdString(
                              IntToKanjiStr(company.PriceHistory.Get(i), false)));
        return months;
    }

private slots:
    void init() {
        FRandom.Seed(8);
        QVERIFY(F.Start(&FRandom));
    }
    void cleanup() { F.Stop(); }

    // The developer menu and its commands are in no build a player gets:
    // neither on screen nor in what a screen reader can reach.
    void NoDeveloperMenuAnywhere() {
        QStringList names;
        CollectMenuNames(Accessible(F.Form.get()), names);
        QVERIFY2(names.contains(QStringLiteral("ヘルプ(H)")), qPrintable(names.join(u'|')));
        for (const char* developer : {"Test", "001", "002"})
            QVERIFY2(!names.contains(QString::fromLatin1(developer)), developer);
        for (QAction* action : F.Form->findChildren<QAction*>())
            for (const char* developer : {"Test", "001", "002"})
                QVERIFY2(action->text() != QString::fromLatin1(developer), developer);
    }

    void PageTabsSayWhichOneIsShown() {
        auto& pages = F.Find<QTabWidget>("PageControl1");
        QTabBar& bar = *pages.tabBar();
        QCOMPARE(Accessible(&bar)->text(QAccessible::Name), QStringLiteral("ページ"));
        const QList<TTab> tabs = Tabs(bar);
        QCOMPARE(tabs.size(), 5);
        QStringList names;
        for (const TTab& tab : tabs) {
            names << tab.Name;
            QVERIFY(tab.Selectable);
        }
        QCOMPARE(names,
                 (QStringList{"市場銘柄", "所有銘柄", "本年度収支予想", "前年度収支", "資産推移"}));
        QCOMPARE(SelectedTabs(bar), QStringList{"市場銘柄"});
        pages.setCurrentIndex(2);
        QCOMPARE(SelectedTabs(bar), QStringList{"本年度収支予想"});

        // A screen reader's "press" on a tab shows that page.
        QAccessibleInterface* tab = Accessible(&bar)->child(1);
        tab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(pages.currentIndex(), 1);
        QCOMPARE(SelectedTabs(bar), QStringList{"所有銘柄"});
    }

    void TheTradeDialogNamesItsListsAndTabs() {
        F.Market().SelectAndFocus(5);
        QStringList stock, money, tabs, switchedTabs, names, described;
        QString stockValue;
        TNextModal answer([&](QDialog& dialog) {
            auto* lots = dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxStock"));
            auto* amounts = dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxMoney"));
            for (auto [combo, read] : {std::pair{lots, &stock}, std::pair{amounts, &money}}) {
                QAccessibleInterface* list = Accessible(combo);
                *read << QString::number(list->role());
                // Announced with the label that names it.
                for (const auto& [label, relation] : list->relations(QAccessible::Label))
                    *read << label->text(QAccessible::Name);
            }
            stockValue = Accessible(lots)->text(QAccessible::Value);
            for (QComboBox* combo : {lots, amounts})
                described << Accessible(combo)->text(QAccessible::Description);
            // The tab lists and the list of the company are named.
            for (QWidget* named :
                 {static_cast<QWidget*>(
                      dialog.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->tabBar()),
                  static_cast<QWidget*>(dialog.findChild<QTabBar*>(QStringLiteral("TabControl1"))),
                  static_cast<QWidget*>(
                      dialog.findChild<TVxListView*>(QStringLiteral("VxListView1")))})
                names << QString::number(Accessible(named)->role()) + u' ' +
                             Accessible(named)->text(QAccessible::Name);
            auto* bar = dialog.findChild<QTabBar*>(QStringLiteral("TabControl1"));
            tabs = SelectedTabs(*bar);
            bar->setCurrentIndex(1);
            switchedTabs = SelectedTabs(*bar);
            dialog.reject();
        });
        F.Action("ActVLVMarketBuyStock").trigger();
        QVERIFY(answer.Answered);
        const QString comboRole = QString::number(QAccessible::ComboBox);
        QCOMPARE(stock, (QStringList{comboRole, "株数"}));
        QCOMPARE(money, (QStringList{comboRole, "金額(手数料計算済み)"}));
        QCOMPARE(stockValue, QStringLiteral("1"));
        const TVxCompany& company = *F.Game().MarketList.Items(5);
        const QString choice =
            QStringLiteral("買い 1,000株 %1円 %2")
                .arg(QString::fromStdString(ManToKanjiStr(
                         static_cast<int32_t>(TradeBuyCost(1, company.StockPrice())), false)),
                     PricePerShareText(static_cast<int32_t>(TradeBuyCost(1, company.StockPrice())),
                                       1));
        QCOMPARE(described, (QStringList{choice, choice}));
        QCOMPARE(tabs, QStringList{"買い"});
        QCOMPARE(switchedTabs, QStringList{"売り"});
        QCOMPARE(names, (QStringList{QStringLiteral("%1 銘柄").arg(QAccessible::PageTabList),
                                     QStringLiteral("%1 売買").arg(QAccessible::PageTabList),
                                     QStringLiteral("%1 銘柄情報").arg(QAccessible::Tree)}));
    }

    // What a month played brings is told away from the focus: a
    // notification of the window, named by the month and the cash.
    void AMonthIsANotificationOfTheWindow() {
        const auto notifications = [this] {
            QStringList shown;
            CollectNotifications(Accessible(F.Form.get()), shown);
            return shown;
        };
        QCOMPARE(notifications(), QStringList());
        F.NextMonth();
        QTRY_COMPARE(notifications(), QStringList{QStringLiteral("1年目2月 %1").arg(F.Panel(2))});
    }

    void TheChartReadsItsTitleAndMonths() {
        QAccessibleInterface* chart = Chart();
        QCOMPARE(chart->role(), QAccessible::Chart);
        QCOMPARE(chart->text(QAccessible::Name), QStringLiteral("株価推移"));
        QCOMPARE(chart->text(QAccessible::Description), QString());
        QVERIFY(!chart->state().focusable); // nothing to read: Tab passes it by

        F.ClickRow(F.Market(), 5);
        const TVxCompany& company = *F.Game().MarketList.Items(5);
        QCOMPARE(chart->text(QAccessible::Name), QStringLiteral("ID:005 株価推移"));
        QCOMPARE(ChartMonths(), ExpectedMonths(company));
        QVERIFY(chart->text(QAccessible::Description)
                    .endsWith(QStringLiteral("最新の株価 %1円")
                                  .arg(QString::fromStdString(
                                      IntToKanjiStr(company.StockPrice(), false)))));
        QVERIFY(chart->state().focusable);

        F.NextMonth();
        QCOMPARE(chart->text(QAccessible::Name), QStringLiteral("ID:005 株価推移"));
        QCOMPARE(ChartMonths(), ExpectedMonths(company));
        QCOMPARE(ChartMonths().size(), 12);
        QCOMPARE(ChartMonths().last().section(u' ', 0, 0), QStringLiteral("2月"));
    }

    void AClickGivesTheChartTheKeys() {
        // The market list has the keys, with company 5 selected...
        TVxListView& market = F.Market();
        F.ClickRow(market, 5);
        QVERIFY(market.hasFocus());
        // ...until a click on the chart's latest month gives them to the
        // chart, whose month read out has the focus.
        TVxPriceChart& chart = F.Chart();
        const QPointF latest = chart.Series().at(11);
        QTest::mouseClick(
            chart.viewport(), Qt::LeftButton, {},
            chart.mapFromScene(chart.chart()->mapToPosition(latest, &chart.Series())));
        QVERIFY(chart.hasFocus());
        QCOMPARE(chart.Highlighted(), 11);
        // Left moves the chart's month, not the list's row.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(chart.Highlighted(), 10);
        QCOMPARE(market.ItemIndex(), 5);
        QCOMPARE(market.ItemFocused(), 5);
        QCOMPARE(Chart()->focusChild(), Chart()->child(10));
        QCOMPARE(Chart()->focusChild()->text(QAccessible::Name), chart.Readout());
        QVERIFY(chart.Readout().startsWith(ExpectedMonths(*F.Game().MarketList.Items(5))[10]));
    }
};

QTEST_MAIN(TFrmRidoltAccessibilityTest)
#include "FrmRidoltAccessibilityTest.moc"
