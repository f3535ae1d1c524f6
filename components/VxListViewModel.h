#pragma once

// The item model behind a TVxListView.  It has two modes, like a report
// list view:
//  - owner data: the model keeps only the row count and asks the owner's
//    data handler for each cell when the view paints it, so a list of a
//    thousand companies holds no copy of them;
//  - items: the model keeps the texts of a few fixed rows itself.
// Besides the rows it keeps the built columns (caption, alignment, tag).
//
// A model that knows its rows itself derives from this one and supplies
// rowCount() and CellText(); the view's columns work the same over it.

#include "components/VxColumnInfos.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <vector>

// One column as built in the view.  `Tag` is free for the owner; columns
// built from a column set carry the collection index of their definition.
struct TVxListColumn {
    QString Caption;
    TVxAlignment Alignment = TVxAlignment::Left;
    bool AutoSize = false;
    int MinWidth = 0; // 0: no limit
    int MaxWidth = 0; // 0: no limit
    int Tag = 0;
};

// Text of the cell at `row` and screen column `column`.
using TVxListDataEvent = std::function<QString(int row, int column)>;

class TVxListViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TVxListViewModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Owner data while a handler is set; switching modes drops all rows.
    void SetOnData(TVxListDataEvent onData);
    bool OwnerData() const { return static_cast<bool>(FOnData); }

    // Owner data only: the number of rows.
    void SetRowCount(int count);

    // Items mode only.
    void ClearItems();
    int AddItem(const QStringList& texts);
    void SetItemText(int row, int column, const QString& text);

    const TVxListColumn& Column(int column) const;
    void SetColumnCount(int count);
    void SetColumn(int column, const TVxListColumn& value);
    void AddColumn(const TVxListColumn& value);

    // Tells the views that the cells of rows first..last may have changed.
    void RefreshRows(int first, int last);

protected:
    // The text of the cell at `row` and screen column `column`, both in
    // range.
    virtual QString CellText(int row, int column) const;

private:
    TVxListDataEvent FOnData;
    int FRowCount = 0;
    std::vector<QStringList> FItems;
    std::vector<TVxListColumn> FColumns;
};
