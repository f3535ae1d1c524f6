#include "ui/VxCompanyListModel.h"

#include "game/VxCompanyList.h"
#include "ui/VxCompanyColumnText.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

TVxCompanyListModel::TVxCompanyListModel(const TCustomVxCompanyList& companies, QObject* parent)
    : TVxListViewModel(parent), FCompanies(companies), FRows(Listed()) {}

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
    return found == FRows.end() || !company ? -1 : static_cast<int>(found - FRows.begin());
}

int TVxCompanyListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FRows.size());
}

QString TVxCompanyListModel::CellText(int row, int column) const {
    return CompanyColumnText(*FRows[static_cast<size_t>(row)], Column(column).Tag);
}

bool TVxCompanyListModel::Reflect() {
    const std::vector<TVxCompany*> listed = Listed();
    if (listed == FRows)
        return false;
    RemoveUnlisted(listed);
    Reorder(listed);
    InsertNew(listed);
    return true;
}

void TVxCompanyListModel::Reset() {
    beginResetModel();
    FRows = Listed();
    endResetModel();
}

void TVxCompanyListModel::RemoveUnlisted(const std::vector<TVxCompany*>& listed) {
    const std::unordered_set<const TVxCompany*> still(listed.begin(), listed.end());
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (still.count(FRows[static_cast<size_t>(row)]))
            continue;
        beginRemoveRows({}, row, row);
        FRows.erase(FRows.begin() + row);
        endRemoveRows();
    }
}

void TVxCompanyListModel::Reorder(const std::vector<TVxCompany*>& listed) {
    // The companies already on rows, in their new order.
    const std::unordered_set<const TVxCompany*> shown(FRows.begin(), FRows.end());
    std::vector<TVxCompany*> order;
    order.reserve(FRows.size());
    for (TVxCompany* company : listed)
        if (shown.count(company))
            order.push_back(company);
    if (order == FRows)
        return;

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::unordered_map<const TVxCompany*, int> newRow;
    for (size_t row = 0; row < order.size(); ++row)
        newRow.emplace(order[row], static_cast<int>(row));
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(
            createIndex(newRow.at(FRows[static_cast<size_t>(index.row())]), index.column()));
    FRows = std::move(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TVxCompanyListModel::InsertNew(const std::vector<TVxCompany*>& listed) {
    const std::unordered_set<const TVxCompany*> shown(FRows.begin(), FRows.end());
    // In increasing order, so every earlier row already holds its company.
    for (size_t row = 0; row < listed.size(); ++row) {
        if (shown.count(listed[row]))
            continue;
        const int at = static_cast<int>(row);
        beginInsertRows({}, at, at);
        FRows.insert(FRows.begin() + at, listed[row]);
        endInsertRows();
    }
}
