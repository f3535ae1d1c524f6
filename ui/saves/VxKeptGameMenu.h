#pragma once

// The kept games in the load menu, after the slots and a separator:
// - 前回の続き(R) (MIDataLoadResume) loads the kept game played most
//   recently, other than the one in the window, and shows where it stands
//   ("前回の続き(&R)  1年目8月 資金 2790万円");
// - the submenu 保存していないゲーム(K) (MIKeptGames) lists every kept game,
//   most recently played first, each with where it stands, when it was last
//   played and its seed ("1年目8月 資金 2790万円  2025/01/05 14:03  シード 7");
//   the game in the window carries a check mark.
// Choosing one loads it as a slot is loaded, all or nothing.  A kept file
// that would not load is a greyed item that says why; it stays until the
// ten-game limit removes it.  The items are read afresh each time the load
// menu opens, each file checked whole as a load would check it.

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class TVxGameKeeper;
class TVxSaveSlots;
struct TVxKeptGame;

class TVxKeptGameMenu : public QObject {
    Q_OBJECT
public:
    // Adds a separator, MIDataLoadResume and MIKeptGames to `loadMenu`,
    // after what the slots put there.
    TVxKeptGameMenu(TVxSaveSlots& saveSlots, const TVxGameKeeper& keeper, QMenu& loadMenu,
                    QObject* parent);

    // What the status bar says once at start while a game is kept: where
    // to find it.  Empty when no game is kept.
    static QString StartHint();

private:
    void ActMILoadExecute();
    void FillKeptGames(const QList<TVxKeptGame>& games);
    void LoadKeptGame(const QString& path);

    TVxSaveSlots& FSlots;
    const TVxGameKeeper& FKeeper;
    QAction* MIDataLoadResume;
    QMenu* MIKeptGames;
};
