#include "ui/assets/VxAssetListModel.h"

#include "game/VxGameHistory.h"
#include "ui/lists/VxTrendColors.h"
#include "ui/words/VxAssetText.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxStatusTexts.h"

#include <algorithm>

namespace {

struct TColumnDefinition {
    const char* Caption;
    int Width;
};

constexpr TColumnDefinition Columns[TVxAssetListModel::acColumnCount] = {
    {QT_TRANSLATE_NOOP("VxAssetListModel", "年月"), 76},
    {QT_TRANSLATE_NOOP("VxAssetListModel", "資金"), 132},
    {QT_TRANSLATE_NOOP("VxAssetListModel", "株式評価額"), 132},
    {QT_TRANSLATE_NOOP("VxAssetListModel", "総資産"), 132},
    {QT_TRANSLATE_NOOP("VxAssetListModel", "前月比"), 120},
};

} // namespace

TVxAssetListModel::TVxAssetListModel(const TVxGameHistory& history, QObject* parent)
    : TVxListViewModel(parent), FHistory(history),
      FCount(static_cast<int>(history.Months().size())) {}

int TVxAssetListModel::DefaultWidth(int column) {
    return Columns[column].Width;
}

QString TVxAssetListModel::Caption(int column) {
    return QCoreApplication::translate("VxAssetListModel", Columns[column].Caption);
}

int TVxAssetListModel::MonthIndex(int row) const {
    if (row < 0 || row >= FCount)
        return -1;
    return FCount - 1 - row;
}

int TVxAssetListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FCount;
}

QString TVxAssetListModel::CellText(int row, int column) const {
    const std::vector<TVxHistoryMonth>& months = FHistory.Months();
    const auto index = static_cast<size_t>(MonthIndex(row));
    if (index >= months.size())
        return {}; // replaced by a shorter history not yet taken in
    const TVxHistoryMonth& month = months[index];
    switch (column) {
    case acMonth:
        return CalendarQText(month.Year, month.Month);
    case acCash:
        return MoneyText(month.Cash);
    case acValue:
        return MoneyText(month.Value);
    case acTotal:
        return MoneyText(month.Total());
    case acChange:
        return AssetMonthChangeText(month, index > 0 ? &months[index - 1] : nullptr);
    default:
        return {};
    }
}

QVariant TVxAssetListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::ForegroundRole)
        return TVxListViewModel::data(index, role);
    // 前月比 takes the colour of its rise or fall, as in the company lists.
    const auto month = static_cast<size_t>(MonthIndex(index.row()));
    const std::vector<TVxHistoryMonth>& months = FHistory.Months();
    if (index.column() != acChange || month == 0 || month >= months.size())
        return {};
    return TrendBrush(TrendOf(months[month].Total() - months[month - 1].Total()));
}

void TVxAssetListModel::Reflect() {
    const auto count = static_cast<int>(FHistory.Months().size());
    if (count < FCount)
        Reset();
    // New months come in at the top; the month that was newest (its
    // trades) may have changed since it was shown.
    const int added = count - FCount;
    if (added > 0) {
        beginInsertRows({}, 0, added - 1);
        FCount = count;
        endInsertRows();
    }
    if (FCount > 0)
        RefreshRows(0, std::min(added, FCount - 1));
}

void TVxAssetListModel::Reset() {
    // The months come in at the next Reflect.
    beginResetModel();
    FCount = 0;
    endResetModel();
}
