// The 資産推移 list over a history: months newest first with their cells
// written as the lists write money, a month played coming in at the top
// with the selection staying on its month, a trade changing only the
// newest row, and another game's history taken in afresh.

#include "ui/assets/VxAssetListModel.h"
#include "components/VxListView.h"
#include "game/VxGameHistory.h"
#include "tests/support/GameState.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

// A history of `count` months whose cash falls by 30万 a month.
TVxGameHistory History(int count) {
    TVxGameHistory history;
    history.Begin(7, TVxHistoryOrigin::NewGame, HistoryMonthAt(0, 3000, 0));
    for (int i = 1; i < count; ++i)
        history.Turn(HistoryMonthAt(i, 3000 - 30 * i, 0));
    return history;
}

} // namespace

class VxAssetListModelTest : public QObject {
    Q_OBJECT

    QStringList Row(const TVxListView& view, int row) const {
        QStringList texts;
        for (int column = 0; column < view.ColumnCount(); ++column)
            texts << view.ItemText(row, column);
        return texts;
    }

    // A view over a model of `history`, as the page builds it.
    std::unique_ptr<TVxListView> View(const TVxGameHistory& history) {
        auto view = std::make_unique<TVxListView>(new TVxAssetListModel(history));
        for (int column = 0; column < TVxAssetListModel::acColumnCount; ++column)
            view->AddColumn(TVxAssetListModel::Caption(column), 100, TVxAlignment::Right);
        new QAbstractItemModelTester(
            &view->Model(), QAbstractItemModelTester::FailureReportingMode::QtTest, view.get());
        return view;
    }

    static TVxAssetListModel& Model(const TVxListView& view) {
        return static_cast<TVxAssetListModel&>(view.Model());
    }

private slots:
    void rowsAreTheMonthsNewestFirst() {
        TVxGameHistory history = History(3);
        history.Trade(true, 1100, 1000000, 1870, 1000);
        const auto view = View(history);
        QCOMPARE(view->ItemCount(), 3);
        QStringList captions;
        for (int column = 0; column < view->ColumnCount(); ++column)
            captions << view->Column(column).Caption;
        QCOMPARE(captions, (QStringList{"年月", "資金", "株式評価額", "総資産", "前月比"}));
        QCOMPARE(Row(*view, 0),
                 (QStringList{"1年目3月", "1870万円", "1000万円", "2870万円", "-100万円"}));
        QCOMPARE(Row(*view, 1),
                 (QStringList{"1年目2月", "2970万円", "0円", "2970万円", "-30万円"}));
        // The first month has none before it.
        QCOMPARE(Row(*view, 2), (QStringList{"1年目1月", "3000万円", "0円", "3000万円", ""}));
        QCOMPARE(Model(*view).MonthIndex(0), 2);
        QCOMPARE(Model(*view).MonthIndex(2), 0);
        QCOMPARE(Model(*view).MonthIndex(3), -1);
    }

    void aMonthPlayedComesInAtTheTop() {
        TVxGameHistory history = History(5);
        const auto view = View(history);
        view->SelectAndFocus(1); // 1年目4月
        QSignalSpy inserted(&view->Model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(&view->Model(), &QAbstractItemModel::modelReset);

        history.Turn(HistoryMonthAt(5, 2850, 0));
        history.Turn(HistoryMonthAt(6, 2820, 0));
        Model(*view).Reflect();
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted[0][1].toInt(), 0);
        QCOMPARE(inserted[0][2].toInt(), 1);
        QCOMPARE(reset.size(), 0);
        QCOMPARE(view->ItemCount(), 7);
        QCOMPARE(view->ItemText(0, 0), QStringLiteral("1年目7月"));
        QCOMPARE(view->ItemIndex(), 3);
        QCOMPARE(view->ItemText(view->ItemIndex(), 0), QStringLiteral("1年目4月"));
    }

    void aTradeChangesTheNewestRowOnly() {
        TVxGameHistory history = History(4);
        const auto view = View(history);
        QSignalSpy changed(&view->Model(), &QAbstractItemModel::dataChanged);
        history.Trade(false, 500, 555556, 2410, 0);
        Model(*view).Reflect();
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex().row(), 0);
        QCOMPARE(changed[0][1].toModelIndex().row(), 0);
        QCOMPARE(Row(*view, 0).mid(1), (QStringList{"2410万円", "0円", "2410万円", "-530万円"}));
    }

    void anotherGamesHistoryIsTakenInAfresh() {
        TVxGameHistory history = History(6);
        const auto view = View(history);
        view->SelectAndFocus(2);
        history = History(2);
        // Rows the model has not taken in yet are never read past the
        // history's end.
        QCOMPARE(view->ItemText(0, 0), QString());
        Model(*view).Reflect();
        QCOMPARE(view->ItemCount(), 2);
        QCOMPARE(view->ItemIndex(), -1);
        QCOMPARE(view->ItemText(0, 0), QStringLiteral("1年目2月"));

        // A new game's history of as many months: Reset, not Reflect.
        history = History(2);
        history.Trade(true, 100, 90910, 2870, 90);
        Model(*view).Reset();
        QCOMPARE(view->ItemCount(), 0);
        Model(*view).Reflect();
        QCOMPARE(view->ItemText(0, 1), QStringLiteral("2870万円"));
    }

    void changeIsColouredByItsTrend() {
        TVxGameHistory history = History(2);
        history.Turn(HistoryMonthAt(2, 5000, 0));
        const auto view = View(history);
        const QAbstractItemModel& model = view->Model();
        const auto colour = [&](int row, int column) {
            return model.data(model.index(row, column), Qt::ForegroundRole);
        };
        QVERIFY(colour(0, TVxAssetListModel::acChange).isValid()); // a rise
        QVERIFY(colour(1, TVxAssetListModel::acChange).isValid()); // a fall
        QVERIFY(colour(0, TVxAssetListModel::acChange) != colour(1, TVxAssetListModel::acChange));
        QVERIFY(!colour(2, TVxAssetListModel::acChange).isValid()); // the first month
        QVERIFY(!colour(0, TVxAssetListModel::acTotal).isValid());
    }
};

QTEST_MAIN(VxAssetListModelTest)
#include "VxAssetListModelTest.moc"
