#pragma once

// The game kept for 前回の続き: a save file named resume.sav in the save
// folder, beside the ten slots and never one of them, and its item at the
// end of the load menu.
//
// Only play makes the game worth keeping: a month played or a trade.  The
// game is written once play has paused for QuietInterval, and when the
// window closes, and only when it has been played since the last write or
// since it was started or loaded, so a new game at start-up (or one loaded
// from a slot) never replaces the game kept from the last session until it
// is played.  Crashes and power cuts lose at most what was played since the
// last pause.
//
// The file is written and loaded as a slot is (TVxSaveSlots): replaced
// only once the new file is complete, and loaded all or nothing, a damaged
// file refused in the slots' error box.  A failed write never opens a box:
// it is printed on stderr and, during play, told once through WriteFailed.

#include <QObject>
#include <QString>

#include <chrono>

class QAction;
class QMenu;
class QTimer;
class TVxSaveSlots;

class TVxResumeFile : public QObject {
    Q_OBJECT
public:
    // A player who presses 次の月へ again and again pauses for less than
    // this between months; a pause this long is the player reading the
    // lists or trading, when a write (a few milliseconds) goes unnoticed.
    static constexpr std::chrono::milliseconds QuietInterval{3000};

    // resume.sav in the save folder.
    static QString Path();

    // Adds a separator and the item MIDataLoadResume to `loadMenu`, after
    // what the slots put there.
    TVxResumeFile(TVxSaveSlots& saveSlots, QMenu& loadMenu, QObject* parent);

    // The player has moved the game on: it is written once play pauses.
    void GamePlayed();
    // A new or loaded game has taken the place of the one played: nothing
    // of it has been played yet, and what was played is given up with it.
    void GameReplaced();
    // The window closes: the game is written now if it has been played
    // since the last write.  A failure is printed on stderr only.
    void WriteOnClose();

signals:
    // A write during play failed; `text` names the file and the reason.
    // Raised once, and again only after a write has succeeded.
    void WriteFailed(const QString& text);

private:
    // Writes the game if it has been played since the last write; the
    // failure's text, or an empty text.
    QString WriteIfPlayed();
    void QuietTimerTimeout();
    void ActMILoadExecute();
    void ActDataLoadResumeExecute();

    TVxSaveSlots& FSlots;
    QAction* MIDataLoadResume;
    QTimer* FQuietTimer;
    bool FPlayed = false;
    bool FFailureTold = false;
};
