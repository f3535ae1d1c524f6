#include "components/VxListHeader.h"

#include <QEvent>

TVxListHeader::TVxListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    connect(this, &QHeaderView::sectionCountChanged, this, &TVxListHeader::ForgetSizeHint);
}

QSize TVxListHeader::sizeHint() const {
    if (!FSizeHint.isValid())
        FSizeHint = QHeaderView::sizeHint();
    return FSizeHint;
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
