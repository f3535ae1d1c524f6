#pragma once

// 自動進行: months that pass by themselves, at a speed the player chooses
// (1, 3 or 10 months a second, or 最速: each month as soon as the last one
// is painted).  The window's month timer carries them, so each tick is the
// window's month step itself, the very step 次の月へ plays.
//
// The player starts and stops it with 自動進行(A) (or its key, F5) and
// stops it with Esc; the window stops it (Stop) whenever something needs
// the player: a box, a held company gone bankrupt, a trade, a menu, a game
// replaced.  While it runs, the status bar says so (StatusText), and
// RunningChanged tells whoever speaks to the player that it started or
// stopped (Announcement).

#include <QObject>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;
class TVxTimer;

class TVxAutoPlay : public QObject {
    Q_OBJECT
public:
    enum class TSpeed { PerSecond1, PerSecond3, PerSecond10, Fastest };

    // Drives `timer`; the actions are `window`'s (Esc works wherever the
    // focus is in it).
    TVxAutoPlay(TVxTimer& timer, QWidget& window);

    // 自動進行(A): checked while it runs.
    QAction& ToggleAction() const { return *ActAutoPlay; }
    // 自動進行の速さ(P): one checked item per speed.
    QMenu& SpeedMenu() const { return *MIAutoPlaySpeed; }

    bool Running() const;
    TSpeed Speed() const { return FSpeed; }
    void SetSpeed(TSpeed speed);

    // Starting needs a game being played; the item is open only then.
    void SetPlayable(bool playable);
    void Start();
    void Stop();

    // What the status bar shows while it runs: "自動進行中 3 か月/秒
    // (Escで停止)"; empty while it is stopped.
    QString StatusText() const;
    // What to tell a player who cannot see the status bar, now that it
    // has started (the status text) or stopped.
    QString Announcement() const;

signals:
    void RunningChanged(bool running);

private:
    void SetRunning(bool running);
    void ApplySpeed();

    TVxTimer& FTimer;
    TSpeed FSpeed = TSpeed::PerSecond3;
    QAction* ActAutoPlay;
    QAction* ActAutoPlayStop;
    QMenu* MIAutoPlaySpeed;
    QActionGroup* FSpeedActions;
};
