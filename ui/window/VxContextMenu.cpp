#include "ui/window/VxContextMenu.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QMenu>

TVxContextMenu::TVxContextMenu(QWidget& owner, QWidget& area, QMenu& menu,
                               std::function<void()> beforeShow)
    : QObject(&owner), FOwner(owner), FMenu(menu), FBeforeShow(std::move(beforeShow)) {
    owner.installEventFilter(this);
    if (&area != &owner)
        area.installEventFilter(this);
}

bool TVxContextMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu)
        return QObject::eventFilter(watched, event);
    const auto* request = static_cast<QContextMenuEvent*>(event);
    FBeforeShow();
    FMenu.popup(request->reason() == QContextMenuEvent::Mouse ? request->globalPos()
                                                              : KeyboardPoint());
    return true;
}

QPoint TVxContextMenu::KeyboardPoint() const {
    if (const auto* list = qobject_cast<const QAbstractItemView*>(&FOwner)) {
        const QRect row = list->visualRect(list->currentIndex());
        if (row.isValid() && list->viewport()->rect().intersects(row))
            return list->viewport()->mapToGlobal(row.bottomLeft());
    }
    return FOwner.mapToGlobal(QPoint(0, 0));
}
