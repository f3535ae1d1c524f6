#pragma once

// A report-style list view whose columns can be built from a column set
// (TVxColumnInfos).  It shows the sort mark ("▲" ascending, "▼" descending)
// in front of the caption of the column the owner's data is sorted by, flips
// the direction when that header is clicked again, resets column widths to
// their defaults and redraws only the rows on screen after the owner has
// changed its data.
//
// Selection and focus are kept apart: the focused row is the view's current
// index, the selected rows are its selection.  Qt's own sort indicator is
// off, so the caption mark is the only one.

#include "components/VxColumnInfos.h"
#include "components/VxListItemDelegate.h"
#include "components/VxListViewModel.h"

#include <QTreeView>

class TVxListView : public QTreeView {
    Q_OBJECT
public:
    static inline const QString DefaultSortMarkUp = QStringLiteral("▲");
    static inline const QString DefaultSortMarkDown = QStringLiteral("▼");

    // Collection index of the definition the data is sorted by.
    int SortColumnIndex = 0;
    bool SortDown = false;
    QString SortMarkUp = DefaultSortMarkUp;
    QString SortMarkDown = DefaultSortMarkDown;
    bool SortMarkUse = true;

    explicit TVxListView(QWidget* parent = nullptr);
    // A view over a model of its owner's (that knows its rows itself); the
    // view takes the model over.
    explicit TVxListView(TVxListViewModel* model, QWidget* parent = nullptr);

    TVxListViewModel& Model() const { return *FModel; }

    // The column set the columns are built from; not owned, may be none.
    TVxColumnInfos* ColumnInfos() const { return FColumnInfos; }
    void SetColumnInfos(TVxColumnInfos* columnInfos) { FColumnInfos = columnInfos; }

    // Owner data: cells come from `onData`, the view keeps only the count.
    void SetOnData(TVxListDataEvent onData) { FModel->SetOnData(std::move(onData)); }
    void SetItemCount(int count) { FModel->SetRowCount(count); }
    int ItemCount() const { return FModel->rowCount(); }
    QString ItemText(int row, int column) const;

    // Columns without a column set, for lists with fixed columns.
    void AddColumn(const QString& caption, int width, TVxAlignment alignment);
    int ColumnCount() const { return FModel->columnCount(); }
    const TVxListColumn& Column(int column) const { return FModel->Column(column); }
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);

    // Whether header clicks emit ColumnClick.
    void SetColumnClick(bool enabled);
    void SetMultiSelect(bool enabled);

    // Builds the visible columns from the column set, in display order.
    void UpdateColumns();
    // Moves or flips the sort mark for a click on screen column `column`.
    void ColumnSortClick(int column);
    QString SortMarkText() const;
    // Fetches the rows on screen again from the owner's data.
    void RefreshVisibleRows();
    void ResetColumnWidths();
    // Deselects every selected row; the focused row stays.
    void ClearSelection();

    // First selected row, or -1.
    int ItemIndex() const;
    // The focused row, or -1.
    int ItemFocused() const;
    void SetItemFocused(int row);
    // Focuses and selects `row` alone and scrolls it fully into view.
    void SelectAndFocus(int row);

    // Measures the cells of `column` whole (the view keeps only their
    // heights otherwise, see TVxListItemDelegate).
    int sizeHintForColumn(int column) const override;

signals:
    void ColumnClick(int column);
    // A row gained (`selected`) or lost the selection.
    void SelectItem(int row, bool selected);
    // A double-click anywhere in the rows, or Enter on a focused row (only
    // while something is connected: otherwise Enter goes on to the dialog).
    void DblClick();

protected:
    void changeEvent(QEvent* event) override;
    // Coming into the list by the keyboard, a screen reader hears the row
    // it comes in at, not the list's name alone.
    void focusInEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    void ApplyColumnWidthLimits(int column, int oldWidth, int newWidth);
    TVxListColumnInfos& Infos() const;
    void SetColumnCaption(int column, const QString& caption);
    // Tells assistive technology that the focused row's first cell has the
    // focus.
    void ReportFocusedRow();

    TVxListViewModel* FModel;
    TVxListItemDelegate* FDelegate;
    TVxColumnInfos* FColumnInfos = nullptr;
};
