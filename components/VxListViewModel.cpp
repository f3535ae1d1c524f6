#include "components/VxListViewModel.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

Qt::Alignment ToQtAlignment(TVxAlignment alignment) {
    switch (alignment) {
    case TVxAlignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case TVxAlignment::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case TVxAlignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

int TVxListViewModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return OwnerData() ? FRowCount : static_cast<int>(FItems.size());
}

int TVxListViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FColumns.size());
}

QVariant TVxListViewModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return CellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ToQtAlignment(Column(index.column()).Alignment));
    default:
        return {};
    }
}

QString TVxListViewModel::CellText(int row, int column) const {
    if (OwnerData())
        return FOnData(row, column);
    return FItems[static_cast<size_t>(row)].value(column);
}

QVariant TVxListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return Column(section).Caption;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ToQtAlignment(Column(section).Alignment));
    default:
        return {};
    }
}

Qt::ItemFlags TVxListViewModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void TVxListViewModel::SetOnData(TVxListDataEvent onData) {
    beginResetModel();
    FOnData = std::move(onData);
    FRowCount = 0;
    FItems.clear();
    endResetModel();
}

void TVxListViewModel::SetRowCount(int count) {
    if (!OwnerData())
        throw std::logic_error("the row count is set only for owner data");
    count = std::max(count, 0);
    // Rows come and go at the end, so a selection above them survives a
    // change of the count, as in a report list view.
    if (count > FRowCount) {
        beginInsertRows({}, FRowCount, count - 1);
        FRowCount = count;
        endInsertRows();
    } else if (count < FRowCount) {
        beginRemoveRows({}, count, FRowCount - 1);
        FRowCount = count;
        endRemoveRows();
    }
}

void TVxListViewModel::ClearItems() {
    if (FItems.empty())
        return;
    beginRemoveRows({}, 0, static_cast<int>(FItems.size()) - 1);
    FItems.clear();
    endRemoveRows();
}

int TVxListViewModel::AddItem(const QStringList& texts) {
    if (OwnerData())
        throw std::logic_error("an owner-data list keeps no items");
    const int row = static_cast<int>(FItems.size());
    beginInsertRows({}, row, row);
    FItems.push_back(texts);
    endInsertRows();
    return row;
}

void TVxListViewModel::SetItemText(int row, int column, const QString& text) {
    if (OwnerData() || row < 0 || row >= rowCount() || column < 0)
        throw std::out_of_range("no item at row " + std::to_string(row) + ", column " +
                                std::to_string(column));
    QStringList& texts = FItems[static_cast<size_t>(row)];
    while (texts.size() <= column)
        texts.append(QString());
    // Refreshes rewrite values that mostly stay the same.
    if (texts[column] == text)
        return;
    texts[column] = text;
    const QModelIndex cell = index(row, column);
    if (cell.isValid())
        emit dataChanged(cell, cell, {Qt::DisplayRole});
}

const TVxListColumn& TVxListViewModel::Column(int column) const {
    if (column < 0 || column >= columnCount())
        throw std::out_of_range("no column " + std::to_string(column));
    return FColumns[static_cast<size_t>(column)];
}

void TVxListViewModel::SetColumnCount(int count) {
    count = std::max(count, 0);
    const int current = columnCount();
    if (count > current) {
        beginInsertColumns({}, current, count - 1);
        FColumns.resize(static_cast<size_t>(count));
        endInsertColumns();
    } else if (count < current) {
        beginRemoveColumns({}, count, current - 1);
        FColumns.resize(static_cast<size_t>(count));
        endRemoveColumns();
    }
}

void TVxListViewModel::SetColumn(int column, const TVxListColumn& value) {
    Column(column); // range check
    FColumns[static_cast<size_t>(column)] = value;
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::TextAlignmentRole});
}

void TVxListViewModel::AddColumn(const TVxListColumn& value) {
    SetColumnCount(columnCount() + 1);
    SetColumn(columnCount() - 1, value);
}

void TVxListViewModel::RefreshRows(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, rowCount() - 1);
    if (first > last || columnCount() == 0)
        return;
    emit dataChanged(index(first, 0), index(last, columnCount() - 1), {Qt::DisplayRole});
}
