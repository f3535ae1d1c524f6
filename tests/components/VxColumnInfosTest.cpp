#include "components/VxColumnInfos.h"

#include <QTest>

#include <vector>

namespace {

void AddInfos(TVxColumnInfos& set, int count) {
    for (int i = 0; i < count; ++i)
        set.ColumnInfos().Add();
}

std::vector<int> Orders(const TVxListColumnInfos& infos) {
    std::vector<int> orders;
    for (int i = 0; i < infos.Count(); ++i)
        orders.push_back(infos.Items(i).Order());
    return orders;
}

std::vector<int> DisplayIndexes(const TVxListColumnInfos& infos) {
    std::vector<int> indexes;
    for (int i = 0; i < infos.Count(); ++i)
        indexes.push_back(infos.DisplayIndex(infos.Items(i)));
    return indexes;
}

} // namespace

class TVxColumnInfosTest : public QObject {
    Q_OBJECT
private slots:
    void NewDefinitionsTakeTheirIndexForOrderAndName() {
        TVxColumnInfos set;
        AddInfos(set, 3);
        const TVxListColumnInfo& info = set.ColumnInfos().Items(2);
        QCOMPARE(&set.ColumnInfos().Items(2).Collection(), &set.ColumnInfos());
        QCOMPARE(set.ColumnInfos().Owner(), &set);
        QCOMPARE(info.Index(), 2);
        QCOMPARE(info.Order(), 2);
        QCOMPARE(info.IdentName, QStringLiteral("VxListColumnInfo2"));
        QCOMPARE(info.Alignment, TVxAlignment::Left);
        QCOMPARE(info.AutoSize, false);
        QCOMPARE(info.Width, 50);
        QCOMPARE(info.DefaultWidth(), 50);
        QCOMPARE(info.MinWidth, 0);
        QCOMPARE(info.MaxWidth, 0);
        QVERIFY(info.Visible);
        QVERIFY(info.DefaultVisible());
    }

    void DefaultsAlsoSetTheCurrentValues() {
        TVxColumnInfos set;
        TVxListColumnInfo& info = set.ColumnInfos().Add();
        info.Width = 10;
        info.SetDefaultWidth(85);
        QCOMPARE(info.Width, 85);
        info.SetDefaultVisible(false);
        QVERIFY(!info.Visible);
        info.Visible = true;
        QVERIFY(!info.DefaultVisible());
    }

    void SetOrderExchangesOrders_data() {
        QTest::addColumn<int>("definition");
        QTest::addColumn<int>("order");
        QTest::addColumn<std::vector<int>>("expected");
        QTest::newRow("last to first") << 3 << 0 << std::vector<int>{3, 1, 2, 0};
        QTest::newRow("middle pair") << 1 << 2 << std::vector<int>{0, 2, 1, 3};
        QTest::newRow("own order") << 2 << 2 << std::vector<int>{0, 1, 2, 3};
        QTest::newRow("past the end") << 3 << 4 << std::vector<int>{0, 1, 2, 3};
        QTest::newRow("negative") << 0 << -1 << std::vector<int>{0, 1, 2, 3};
    }
    void SetOrderExchangesOrders() {
        QFETCH(int, definition);
        QFETCH(int, order);
        QFETCH(std::vector<int>, expected);
        TVxColumnInfos set;
        AddInfos(set, 4);
        set.ColumnInfos().Items(definition).SetOrder(order);
        QCOMPARE(Orders(set.ColumnInfos()), expected);
    }

    void HiddenDefinitionsHaveNoDisplayIndex() {
        TVxColumnInfos set;
        AddInfos(set, 4);
        TVxListColumnInfos& infos = set.ColumnInfos();
        infos.Items(1).Visible = false;
        QCOMPARE(infos.VisibleCount(), 3);
        QCOMPARE(DisplayIndexes(infos), (std::vector<int>{0, -1, 1, 2}));
        QCOMPARE(infos.InfoByDisplayIndex(0), &infos.Items(0));
        QCOMPARE(infos.InfoByDisplayIndex(1), &infos.Items(2));
        QCOMPARE(infos.InfoByDisplayIndex(2), &infos.Items(3));
        QCOMPARE(infos.InfoByDisplayIndex(3), nullptr);
        QCOMPARE(infos.InfoByDisplayIndex(-1), nullptr);
    }

    void DisplayIndexFollowsOrderNotCollection() {
        // Orders 2, 0, 3, 1 with the definition of order 0 hidden: the
        // hidden one is skipped in display order, not in collection order.
        TVxColumnInfos set;
        AddInfos(set, 4);
        TVxListColumnInfos& infos = set.ColumnInfos();
        infos.Items(1).SetOrder(0); // already 1 -> exchanges with 0
        infos.Items(0).SetOrder(2); // 0 <-> 2
        infos.Items(3).SetOrder(1);
        QCOMPARE(Orders(infos), (std::vector<int>{2, 0, 3, 1}));
        infos.Items(1).Visible = false;
        QCOMPARE(DisplayIndexes(infos), (std::vector<int>{1, -1, 2, 0}));
        QCOMPARE(infos.InfoByDisplayIndex(0), &infos.Items(3));
    }

    void ItemsOutsideTheCollectionThrow() {
        TVxColumnInfos set;
        AddInfos(set, 2);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, set.ColumnInfos().Items(2));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, set.ColumnInfos().Items(-1));
    }
};

QTEST_GUILESS_MAIN(TVxColumnInfosTest)
#include "VxColumnInfosTest.moc"
