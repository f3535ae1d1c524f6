#include "components/VxListView.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTest>

#include <memory>

namespace {

// A view over four definitions A..D (default widths 30, 40, 50, 60) whose
// owner data answers "row:tag" and counts the cells it was asked for.
struct TListFixture {
    TVxColumnInfos Set;
    TVxListView View;
    int DataRequests = 0;

    TListFixture() {
        const char* captions[] = {"A", "B", "C", "D"};
        for (int i = 0; i < 4; ++i) {
            TVxListColumnInfo& info = Set.ColumnInfos().Add();
            info.Caption = QString::fromLatin1(captions[i]);
            info.Alignment = TVxAlignment::Right;
            info.SetDefaultWidth(30 + 10 * i);
        }
        View.SetColumnInfos(&Set);
        View.SetOnData([this](int row, int column) {
            ++DataRequests;
            return QStringLiteral("%1:%2").arg(row).arg(View.Column(column).Tag);
        });
    }

    QStringList Captions() const {
        QStringList captions;
        for (int i = 0; i < View.ColumnCount(); ++i)
            captions << View.Column(i).Caption;
        return captions;
    }

    QList<int> Tags() const {
        QList<int> tags;
        for (int i = 0; i < View.ColumnCount(); ++i)
            tags << View.Column(i).Tag;
        return tags;
    }

    void Show(int rows) {
        View.UpdateColumns();
        View.SetItemCount(rows);
        View.resize(400, 300);
        View.show();
        QVERIFY(QTest::qWaitForWindowExposed(&View));
    }
};

QPoint RowCenter(const TVxListView& view, int row) {
    return view.visualRect(view.model()->index(row, 0)).center();
}

} // namespace

class TVxListViewTest : public QObject {
    Q_OBJECT
private slots:
    void ModelPassesTheModelTester() {
        TListFixture list;
        QAbstractItemModelTester tester(list.View.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.View.UpdateColumns();
        list.View.SetItemCount(1000);
        list.View.SetItemCount(10);
        list.Set.ColumnInfos().Items(2).Visible = false;
        list.View.UpdateColumns();
        list.View.RefreshVisibleRows();
        list.View.SetItemCount(0);

        list.View.SetOnData({});
        list.View.Model().AddItem({QStringLiteral("x"), QStringLiteral("y")});
        list.View.Model().SetItemText(0, 1, QStringLiteral("z"));
        QCOMPARE(list.View.ItemText(0, 1), QStringLiteral("z"));
        list.View.Model().ClearItems();
        QCOMPARE(list.View.ItemCount(), 0);
    }

    void OwnerDataIsAskedOnlyForCellsOnScreen() {
        TListFixture list;
        list.Show(1000);
        QCOMPARE(list.View.ItemText(123, 3), QStringLiteral("123:3"));
        // A page of about a dozen rows, not a thousand.
        QVERIFY(list.DataRequests > 0);
        QVERIFY2(list.DataRequests < 4 * 100, qPrintable(QString::number(list.DataRequests)));
    }

    void UpdateColumnsBuildsVisibleColumnsInDisplayOrder() {
        TListFixture list;
        TVxListColumnInfos& infos = list.Set.ColumnInfos();
        list.View.UpdateColumns();
        QCOMPARE(list.Captions(), (QStringList{"▲A", "B", "C", "D"}));
        QCOMPARE(list.Tags(), (QList<int>{0, 1, 2, 3}));
        QCOMPARE(list.View.ColumnWidth(3), 60);
        QCOMPARE(list.View.Column(1).Alignment, TVxAlignment::Right);

        infos.Items(1).Visible = false;
        infos.Items(3).SetOrder(0);
        list.View.UpdateColumns();
        QCOMPARE(list.Captions(), (QStringList{"D", "C", "▲A"}));
        QCOMPARE(list.Tags(), (QList<int>{3, 2, 0}));
        QCOMPARE(list.View.ColumnWidth(0), 60);

        infos.Items(1).Visible = true;
        list.View.UpdateColumns();
        QCOMPARE(list.Tags(), (QList<int>{3, 1, 2, 0}));
    }

    void ColumnSortClickMovesAndFlipsTheMark_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("sortColumnIndex");
        QTest::addColumn<bool>("sortDown");
        QTest::newRow("no click") << QList<int>{} << QStringList{"▲A", "B", "C", "D"} << 0 << false;
        QTest::newRow("sort column again")
            << QList<int>{0} << QStringList{"▼A", "B", "C", "D"} << 0 << true;
        QTest::newRow("another column")
            << QList<int>{0, 1} << QStringList{"A", "▲B", "C", "D"} << 1 << false;
        QTest::newRow("another column twice")
            << QList<int>{1, 1} << QStringList{"A", "▼B", "C", "D"} << 1 << true;
        QTest::newRow("three times flips back")
            << QList<int>{3, 3, 3} << QStringList{"A", "B", "C", "▲D"} << 3 << false;
    }
    void ColumnSortClickMovesAndFlipsTheMark() {
        QFETCH(QList<int>, clicks);
        QFETCH(QStringList, captions);
        QFETCH(int, sortColumnIndex);
        QFETCH(bool, sortDown);
        TListFixture list;
        list.View.UpdateColumns();
        for (int column : clicks)
            list.View.ColumnSortClick(column);
        QCOMPARE(list.Captions(), captions);
        QCOMPARE(list.View.SortColumnIndex, sortColumnIndex);
        QCOMPARE(list.View.SortDown, sortDown);
    }

    void SortIndexIsTheDefinitionNotTheScreenPosition() {
        TListFixture list;
        list.Set.ColumnInfos().Items(0).Visible = false;
        list.View.UpdateColumns();
        list.View.ColumnSortClick(2); // screen column 2 shows D
        QCOMPARE(list.View.SortColumnIndex, 3);
        QCOMPARE(list.Captions(), (QStringList{"B", "C", "▲D"}));
    }

    void WithoutMarksOnlyTheSortStateChanges() {
        TListFixture list;
        list.View.SortMarkUse = false;
        list.View.UpdateColumns();
        list.View.ColumnSortClick(0);
        list.View.ColumnSortClick(2);
        list.View.ColumnSortClick(2);
        QCOMPARE(list.Captions(), (QStringList{"A", "B", "C", "D"}));
        QCOMPARE(list.View.SortColumnIndex, 2);
        QCOMPARE(list.View.SortDown, true);
        QCOMPARE(list.View.SortMarkText(), QString());
    }

    void HeaderClicksReportTheColumn() {
        TListFixture list;
        list.Show(5);
        QHeaderView* header = list.View.header();
        QSignalSpy clicks(&list.View, &TVxListView::ColumnClick);
        const QPoint onC(header->sectionViewportPosition(2) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onC);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(0).toInt(), 2);
        // Qt's own indicator stays off; the caption carries the only mark.
        QVERIFY(!header->isSortIndicatorShown());

        list.View.SetColumnClick(false);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onC);
        QCOMPARE(clicks.count(), 1);
    }

    void ResetColumnWidthsRestoresTheDefaults() {
        TListFixture list;
        list.View.UpdateColumns();
        list.View.SetColumnWidth(1, 200);
        list.Set.ColumnInfos().Items(2).Width = 99; // a width set in the set
        list.View.ResetColumnWidths();
        QCOMPARE(list.View.ColumnWidth(1), 40);
        QCOMPARE(list.View.ColumnWidth(2), 50);
        QCOMPARE(list.Set.ColumnInfos().Items(2).Width, 50);
    }

    void WidthLimitsHoldWhenResizing() {
        TListFixture list;
        list.Set.ColumnInfos().Items(0).MinWidth = 35;
        list.Set.ColumnInfos().Items(0).MaxWidth = 80;
        list.View.UpdateColumns();
        list.View.SetColumnWidth(0, 5);
        QCOMPARE(list.View.ColumnWidth(0), 35);
        list.View.SetColumnWidth(0, 300);
        QCOMPARE(list.View.ColumnWidth(0), 80);
        list.View.SetColumnWidth(1, 300); // no limits
        QCOMPARE(list.View.ColumnWidth(1), 300);
    }

    void RefreshVisibleRowsCoversThePageOnScreen() {
        TListFixture list;
        list.Show(1000);
        list.View.scrollTo(list.View.model()->index(500, 0), QAbstractItemView::PositionAtTop);
        QSignalSpy changes(list.View.model(), &QAbstractItemModel::dataChanged);
        list.View.RefreshVisibleRows();
        QCOMPARE(changes.count(), 1);
        const auto topLeft = changes.at(0).at(0).value<QModelIndex>();
        const auto bottomRight = changes.at(0).at(1).value<QModelIndex>();
        QCOMPARE(topLeft.row(), 500);
        QCOMPARE(topLeft.column(), 0);
        QCOMPARE(bottomRight.column(), 3);
        // The last row reaches the bottom of the viewport, one page on.
        const int lastOnScreen =
            list.View.indexAt(QPoint(1, list.View.viewport()->height() - 1)).row();
        QVERIFY(bottomRight.row() >= lastOnScreen);
        QVERIFY(bottomRight.row() <= lastOnScreen + 1);

        list.View.scrollToBottom();
        changes.clear();
        list.View.RefreshVisibleRows();
        QCOMPARE(changes.at(0).at(1).value<QModelIndex>().row(), 999);
    }

    void RefreshOfAnEmptyListTouchesNoItems() {
        TListFixture list;
        list.Show(0);
        QSignalSpy changes(list.View.model(), &QAbstractItemModel::dataChanged);
        list.DataRequests = 0;
        list.View.RefreshVisibleRows();
        QCOMPARE(changes.count(), 0);
        QCOMPARE(list.DataRequests, 0);
    }

    void SelectionAndFocusAreSeparate() {
        TListFixture list;
        list.Show(20);
        QSignalSpy selects(&list.View, &TVxListView::SelectItem);
        list.View.SelectAndFocus(5);
        QCOMPARE(list.View.ItemIndex(), 5);
        QCOMPARE(list.View.ItemFocused(), 5);
        list.View.SelectAndFocus(7);
        QCOMPARE(list.View.ItemIndex(), 7);
        QCOMPARE(selects.count(), 3);
        QCOMPARE(selects.at(1), (QList<QVariant>{5, false}));
        QCOMPARE(selects.at(2), (QList<QVariant>{7, true}));

        list.View.ClearSelection();
        QCOMPARE(list.View.ItemIndex(), -1);
        QCOMPARE(list.View.ItemFocused(), 7);
        list.View.SetItemFocused(-1);
        QCOMPARE(list.View.ItemFocused(), -1);
    }

    void SelectAndFocusScrollsTheRowIntoView() {
        TListFixture list;
        list.Show(1000);
        list.View.SelectAndFocus(800);
        const QRect row = list.View.visualRect(list.View.model()->index(800, 0));
        QVERIFY(list.View.viewport()->rect().contains(row));
    }

    void ShrinkingTheCountKeepsTheSelectionAboveTheCut() {
        TListFixture list;
        list.Show(20);
        list.View.SelectAndFocus(4);
        list.View.SetItemCount(10);
        QCOMPARE(list.View.ItemIndex(), 4);
        QSignalSpy selects(&list.View, &TVxListView::SelectItem);
        list.View.SetItemCount(3);
        QCOMPARE(list.View.ItemIndex(), -1);
        QCOMPARE(list.View.ItemFocused(), -1);
        for (const QList<QVariant>& select : selects) // no neighbour picked in its place
            QCOMPARE(select.at(1).toBool(), false);
    }

    void DoubleClickAndEnterOpenTheFocusedRow() {
        TListFixture list;
        list.Show(20);
        QSignalSpy opens(&list.View, &TVxListView::DblClick);
        list.View.SetItemFocused(-1);
        QTest::keyClick(&list.View, Qt::Key_Return);
        QCOMPARE(opens.count(), 0); // no focused row yet

        QTest::mouseDClick(list.View.viewport(), Qt::LeftButton, {}, RowCenter(list.View, 3));
        QCOMPARE(opens.count(), 1);
        QCOMPARE(list.View.ItemFocused(), 3);

        QTest::keyClick(&list.View, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(opens.count(), 2);
    }

    void ColumnOperationsNeedAColumnSet() {
        TVxListView view;
        QVERIFY_THROWS_EXCEPTION(std::logic_error, view.UpdateColumns());
        QVERIFY_THROWS_EXCEPTION(std::logic_error, view.ResetColumnWidths());
    }

    void FixedColumnsAndItemsWithoutAColumnSet() {
        TVxListView view;
        QAbstractItemModelTester tester(view.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        view.AddColumn(QStringLiteral("項目"), 150, TVxAlignment::Left);
        view.AddColumn(QStringLiteral("値"), 150, TVxAlignment::Right);
        view.Model().AddItem({QStringLiteral("収入")});
        view.Model().SetItemText(0, 1, QStringLiteral("0円"));
        QCOMPARE(view.ItemCount(), 1);
        QCOMPARE(view.ItemText(0, 0), QStringLiteral("収入"));
        QCOMPARE(view.ItemText(0, 1), QStringLiteral("0円"));
        QCOMPARE(view.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("値"));
        QCOMPARE(view.model()->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignRight | Qt::AlignVCenter);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range,
                                 view.Model().SetItemText(1, 0, QStringLiteral("x")));
    }

    // Rows and the header keep their measured heights while rows change
    // order, and are measured again when the font changes; fitting a
    // column to its contents still measures every cell.
    void HeightsAreKeptUntilTheFontChanges() {
        TListFixture list;
        list.Show(50);
        const QModelIndex first = list.View.model()->index(0, 0);
        QStyleOptionViewItem option;
        option.initFrom(&list.View);
        const int qtRowHeight = QStyledItemDelegate().sizeHint(option, first).height();
        QCOMPARE(list.View.visualRect(first).height(), qtRowHeight);
        const int headerHeight = list.View.header()->height();

        QFont big = list.View.font();
        big.setPixelSize(QFontInfo(big).pixelSize() * 3);
        list.View.setFont(big);
        list.View.header()->setFont(big);
        list.View.doItemsLayout();
        QVERIFY(list.View.visualRect(first).height() > qtRowHeight * 2);
        QTRY_VERIFY(list.View.header()->height() > headerHeight * 2);
    }

    // The header measures its captions in its own font, where Qt's header
    // measures them in bold; the height the view gives it is the same.
    void HeaderHeightIsQtsMeasure_data() {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<bool>("sortMark");
        const QStringList japanese{"銘柄名", "株価", "前月比", "保有数"};
        QTest::newRow("latin") << QStringList{"A", "B", "C", "D"} << false;
        QTest::newRow("japanese") << japanese << false;
        QTest::newRow("mixed") << QStringList{"ID", "株価(円)", "前月比 %", "g"} << false;
        QTest::newRow("sort mark") << japanese << true;
    }
    void HeaderHeightIsQtsMeasure() {
        QFETCH(QStringList, captions);
        QFETCH(bool, sortMark);
        TListFixture list;
        for (int i = 0; i < captions.size(); ++i)
            list.Set.ColumnInfos().Items(i).Caption = captions[i];
        list.View.header()->setSortIndicatorShown(sortMark);
        list.Show(5);
        QHeaderView& header = *list.View.header();
        const int qtHeight = header.QHeaderView::sizeHint().height();
        QCOMPARE(header.sizeHint().height(), qtHeight);
        QCOMPARE(header.height(), qtHeight);
    }

    void FittingAColumnMeasuresItsCells() {
        TListFixture list;
        list.View.SetOnData([](int row, int) {
            return row == 3 ? QStringLiteral("a much longer text than the rest") : QString();
        });
        list.Show(10);
        list.View.resizeColumnToContents(0);
        QVERIFY(list.View.ColumnWidth(0) >=
                list.View.fontMetrics().horizontalAdvance(list.View.ItemText(3, 0)));
    }
};

QTEST_MAIN(TVxListViewTest)
#include "VxListViewTest.moc"
