#include "components/VxListItemDelegate.h"

QSize TVxListItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    if (FMeasuringWidths > 0 || index.column() < 0)
        return QStyledItemDelegate::sizeHint(option, index);
    const auto column = static_cast<size_t>(index.column());
    if (column >= FHeights.size())
        FHeights.resize(column + 1, 0);
    if (FHeights[column] == 0)
        FHeights[column] = QStyledItemDelegate::sizeHint(option, index).height();
    return {0, FHeights[column]};
}
