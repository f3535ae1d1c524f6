#pragma once

// An action's category, as the window's design groups its actions: a
// property of that name on the action ("表示", "ロードセーブ", or the name of
// the list whose rows it works on).

#include <QAction>
#include <QString>

inline void SetActionCategory(QAction& action, const QString& category) {
    action.setProperty("Category", category);
}
