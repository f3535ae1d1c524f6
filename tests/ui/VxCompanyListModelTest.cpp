// The model behind the market and holdings lists: rows follow the game's
// list through sorts, sales and purchases, and the views' selection and
// focus stay with their companies.  QAbstractItemModelTester watches every
// change for a model that breaks Qt's rules.

#include "ui/lists/VxCompanyListModel.h"

#include "components/VxListView.h"
#include "tests/support/GameState.h"
#include "tests/support/QuietMarket.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QTest>

#include <vector>

class TVxCompanyListModelTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TQuietMarket> FMarket;
    std::unique_ptr<TVxListView> FView;
    TVxCompanyListModel* FModel = nullptr;

    TVxGame& Game() const { return FMarket->Game; }

    // A view over the holdings with one column per code, and companies 10,
    // 20, 30 and 40 held at prices 400, 300, 200 and 100.
    void ShowHoldings() {
        for (const int16_t id : {10, 20, 30, 40}) {
            SetPrices(FMarket->Company(id), std::vector<int32_t>(12, 500 - id * 10));
            Hold(Game(), FMarket->Company(id), 1000, 110);
        }
        FModel = new TVxCompanyListModel(Game().OwnerList);
        FView = std::make_unique<TVxListView>(FModel);
        new QAbstractItemModelTester(FModel, QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     FModel);
        for (int code = 0; code < CompanyColumnCount; ++code)
            FView->AddColumn(QString::number(code), 50, TVxAlignment::Right);
        for (int column = 0; column < CompanyColumnCount; ++column) {
            TVxListColumn value = FModel->Column(column);
            value.Tag = column;
            FModel->SetColumn(column, value);
        }
    }

    QList<int> ShownIDs() const {
        QList<int> ids;
        for (int row = 0; row < FModel->rowCount(); ++row)
            ids << FModel->CompanyAt(row)->ID;
        return ids;
    }

private slots:
    void init() { FMarket = std::make_unique<TQuietMarket>(); }
    void cleanup() {
        FView.reset();
        FMarket.reset();
    }

    void RowsShowTheirCompanies() {
        ShowHoldings();
        QCOMPARE(ShownIDs(), (QList<int>{10, 20, 30, 40}));
        QCOMPARE(FView->ItemText(2, ccID), QStringLiteral("030"));
        QCOMPARE(FView->ItemText(2, ccStockPrice), QStringLiteral("200円"));
        QCOMPARE(FModel->RowOf(&FMarket->Company(40)), 3);
        QCOMPARE(FModel->RowOf(&FMarket->Company(50)), -1);
        QCOMPARE(FModel->CompanyAt(4), nullptr);
        QCOMPARE(FModel->CompanyAt(-1), nullptr);
    }

    void ASortMovesSelectionAndFocusWithTheirCompany() {
        ShowHoldings();
        FView->SelectAndFocus(1); // company 20
        Game().OwnerList.SetSort(ccStockPrice, false);
        QVERIFY(FModel->Reflect());
        QCOMPARE(ShownIDs(), (QList<int>{40, 30, 20, 10}));
        QCOMPARE(FView->ItemIndex(), 2);
        QCOMPARE(FView->ItemFocused(), 2);
        QVERIFY(!FModel->Reflect()); // nothing moved since
    }

    // Until the model takes the change in, its rows show the companies they
    // showed: a view painting in between (under a month's message box)
    // never meets a row that has gone.
    void RowsStayUntilTheChangeIsTakenIn() {
        ShowHoldings();
        Hold(Game(), FMarket->Company(20), 0, 0);
        QCOMPARE(FModel->rowCount(), 4);
        QCOMPARE(FModel->CompanyAt(1), &FMarket->Company(20));
        QVERIFY(FModel->Reflect());
        QCOMPARE(ShownIDs(), (QList<int>{10, 30, 40}));
    }

    void ACompanyThatLeavesTakesItsSelectionAlong_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("the selected one") << 1 << 20 << -1;
        QTest::newRow("one above it") << 2 << 10 << 1;
        QTest::newRow("one below it") << 1 << 40 << 1;
    }
    void ACompanyThatLeavesTakesItsSelectionAlong() {
        QFETCH(int, selected);
        QFETCH(int, removed);
        QFETCH(int, selectedAfter);
        ShowHoldings();
        FView->SelectAndFocus(selected);
        TVxCompany* kept = FModel->CompanyAt(selected);
        Hold(Game(), FMarket->Company(static_cast<int16_t>(removed)), 0, 0);
        FModel->Reflect();
        QCOMPARE(FView->ItemIndex(), selectedAfter);
        QCOMPARE(FView->ItemFocused(), selectedAfter);
        if (selectedAfter >= 0)
            QCOMPARE(FModel->CompanyAt(selectedAfter), kept);
    }

    void ANewCompanyComesInAtItsPlace() {
        ShowHoldings();
        FView->SelectAndFocus(3); // company 40
        Game().OwnerList.SetSort(ccStockPrice, true);
        SetPrices(FMarket->Company(25), std::vector<int32_t>(12, 250));
        Hold(Game(), FMarket->Company(25), 1000, 110);
        Hold(Game(), FMarket->Company(30), 0, 0);
        Game().OwnerList.Sort();
        QVERIFY(FModel->Reflect());
        QCOMPARE(ShownIDs(), (QList<int>{10, 20, 25, 40}));
        QCOMPARE(FView->ItemIndex(), 3);
    }

    void AResetLeavesNothingSelected() {
        ShowHoldings();
        FView->SelectAndFocus(2);
        Game().NewGame();
        FModel->Reset();
        QCOMPARE(FModel->rowCount(), 0);
        QCOMPARE(FView->ItemIndex(), -1);
        QCOMPARE(FView->ItemFocused(), -1);
    }
};

QTEST_MAIN(TVxCompanyListModelTest)
#include "VxCompanyListModelTest.moc"
