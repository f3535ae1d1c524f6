#include "components/VxListHeader.h"

#include <QEvent>
#include <QIcon>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionHeader>

TVxListHeader::TVxListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    connect(this, &QHeaderView::sectionCountChanged, this, &TVxListHeader::ForgetSizeHint);
}

QSize TVxListHeader::sizeHint() const {
    if (FSizeHint.isValid())
        return FSizeHint;
    // count() lays out sections still pending, which forgets the measure.
    const int sections = count();
    QSize hint(0, 0);
    for (int section = 0; section < sections; ++section)
        if (!isSectionHidden(section))
            hint = hint.expandedTo(SectionSize(section));
    FSizeHint = hint;
    return FSizeHint;
}

QSize TVxListHeader::SectionSize(int logicalIndex) const {
    const QAbstractItemModel* const source = model();
    const QVariant hint = source->headerData(logicalIndex, orientation(), Qt::SizeHintRole);
    if (hint.isValid())
        return hint.toSize();
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = logicalIndex;
    const QVariant font = source->headerData(logicalIndex, orientation(), Qt::FontRole);
    option.fontMetrics =
        QFontMetrics(font.canConvert<QFont>() ? qvariant_cast<QFont>(font) : this->font());
    option.text = source->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    const QVariant decoration = source->headerData(logicalIndex, orientation(), Qt::DecorationRole);
    option.icon = qvariant_cast<QIcon>(decoration);
    if (option.icon.isNull())
        option.icon = qvariant_cast<QPixmap>(decoration);
    if (isSortIndicatorShown())
        option.sortIndicator = QStyleOptionHeader::SortDown;
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
}

void TVxListHeader::setModel(QAbstractItemModel* model) {
    if (QAbstractItemModel* old = this->model())
        disconnect(old, &QAbstractItemModel::headerDataChanged, this,
                   &TVxListHeader::ForgetSizeHint);
    QHeaderView::setModel(model);
    ForgetSizeHint();
    if (model)
        connect(model, &QAbstractItemModel::headerDataChanged, this,
                &TVxListHeader::ForgetSizeHint);
}

void TVxListHeader::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        ForgetSizeHint();
    QHeaderView::changeEvent(event);
}
