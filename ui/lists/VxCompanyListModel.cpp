#include "ui/lists/VxCompanyListModel.h"

#include "game/VxCompanyList.h"
#include "ui/lists/VxTrendColors.h"
#include "ui/words/VxCompanyColumnText.h"

#include <algorithm>

TVxCompanyListModel::TVxCompanyListModel(const TCustomVxCompanyList& companies, THint hint,
                                         QObject* parent)
    : TVxListViewModel(parent), FCompanies(companies), FHint(std::move(hint)), FRows(Listed()) {}

std::vector<TVxCompany*> TVxCompanyListModel::Listed() const {
    std::vector<TVxCompany*> listed;
    listed.reserve(static_cast<size_t>(FCompanies.Count()));
    for (int32_t i = 0; i < FCompanies.Count(); ++i)
        listed.push_back(FCompanies.Items(i));
    return listed;
}

TVxCompany* TVxCompanyListModel::CompanyAt(int row) const {
    if (row < 0 || row >= rowCount())
        return nullptr;
    return FRows[static_cast<size_t>(row)];
}

int TVxCompanyListModel::RowOf(const TVxCompany* company) const {
    const auto found = std::find(FRows.begin(), FRows.end(), company);
    return found == FRows.end() ? -1 : static_cast<int>(found - FRows.begin());
}

int TVxCompanyListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FRows.size());
}

QString TVxCompanyListModel::CellText(int row, int column) const {
    return CompanyColumnText(*FRows[static_cast<size_t>(row)], Column(column).Tag);
}

QVariant TVxCompanyListModel::data(const QModelIndex& index, int role) const {
    const TVxCompany* company = index.isValid() ? CompanyAt(index.row()) : nullptr;
    if (!company || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return FHint ? QVariant(FHint(*company)) : QVariant();
    case Qt::ForegroundRole:
        return TrendBrush(CompanyColumnTrend(*company, Column(index.column()).Tag));
    default:
        return TVxListViewModel::data(index, role);
    }
}

bool TVxCompanyListModel::Reflect() {
    const std::vector<TVxCompany*> listed = Listed();
    if (listed == FRows)
        return false;
    RemoveUnlisted(TVxCompanySet(listed));
    const TVxCompanySet shown(FRows);
    Reorder(listed, shown);
    InsertNew(listed, shown);
    return true;
}

void TVxCompanyListModel::Reset() {
    beginResetModel();
    FRows = Listed();
    endResetModel();
}

void TVxCompanyListModel::RemoveUnlisted(const TVxCompanySet& listed) {
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (listed.Contains(FRows[static_cast<size_t>(row)]))
            continue;
        beginRemoveRows({}, row, row);
        FRows.erase(FRows.begin() + row);
        endRemoveRows();
    }
}

void TVxCompanyListModel::Reorder(const std::vector<TVxCompany*>& listed,
                                  const TVxCompanySet& shown) {
    // The companies already on rows, in their new order.
    std::vector<TVxCompany*> order;
    order.reserve(FRows.size());
    for (TVxCompany* company : listed)
        if (shown.Contains(company))
            order.push_back(company);
    if (order == FRows)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Only the few rows a view holds on to (selection, focus) are moved.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const auto moved =
            std::find(order.begin(), order.end(), FRows[static_cast<size_t>(index.row())]);
        after.append(createIndex(static_cast<int>(moved - order.begin()), index.column()));
    }
    FRows = std::move(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TVxCompanyListModel::InsertNew(const std::vector<TVxCompany*>& listed,
                                    const TVxCompanySet& shown) {
    // In increasing order, so every earlier row already holds its company.
    for (size_t row = 0; row < listed.size(); ++row) {
        if (shown.Contains(listed[row]))
            continue;
        const int at = static_cast<int>(row);
        beginInsertRows({}, at, at);
        FRows.insert(FRows.begin() + at, listed[row]);
        endInsertRows();
    }
}
