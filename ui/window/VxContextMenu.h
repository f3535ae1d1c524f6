#pragma once

// A pop-up menu for a widget, opened by the right mouse button at the
// pointer, or by the keyboard (the Menu key) at the focused row of a list
// (or at the widget's corner), where a keyboard user is looking.
// `beforeShow` runs first, so the menu's items are up to date.

#include <QObject>

#include <functional>

class QMenu;
class QWidget;

class TVxContextMenu : public QObject {
    Q_OBJECT
public:
    // Opens `menu` for requests on `owner` (the keyboard's) and on `area`,
    // the part of it that the mouse clicks land on (a list's viewport).
    TVxContextMenu(QWidget& owner, QWidget& area, QMenu& menu, std::function<void()> beforeShow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint KeyboardPoint() const;

    QWidget& FOwner;
    QMenu& FMenu;
    std::function<void()> FBeforeShow;
};
