#pragma once

// Keeps every game played in the window, each in a kept file of its own
// (VxKeptGameFolder.h) for its whole life.  Only play makes a game worth
// keeping: a month played or a trade since it was started or loaded.  The
// game is written
// - once play has paused for QuietInterval;
// - during play that never pauses (months in a row, a held key, a timer),
//   as soon as LongestUnkeptPlay has passed since the first play not yet
//   written: from the month or the trade itself, whatever drives it, so a
//   crash or a kill loses at most that much play;
// - before it is replaced by a new game or a loaded one, at once;
// - when the window closes;
// each time only if it has been played since it was last written.
//
// Which file is the game's: a new game gets a new kept file when it is
// first written.  A loaded game goes on in the kept file that holds exactly
// what was loaded (VxHoldsKeptGame: the same save file, byte for byte but
// for the lists' order, and the same history): the kept game itself when
// one is loaded, or the kept game a slot was saved from when nothing has
// been played since.  Any other loaded game is a game of its own and gets a
// new file once played; a slot saved earlier in a game that has been played
// on since starts another road from that month, kept beside the first one,
// never over it.
//
// The keeper holds the lock of its game's file (VxKeptGameLock.h) for as
// long as the game stays in the window, so another copy of the program that
// loads the same kept game plays it on in a file of its own.
//
// A failed write never opens a box: it is printed on stderr and told
// through WriteFailed, once during play (again only after a write has
// succeeded) and every time the game is about to be replaced.  The close
// goes on, and so does the replacement.

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class QTimer;
class TVxGame;
class TVxKeptGameLock;
class TVxSaveSlots;

class TVxGameKeeper : public QObject {
    Q_OBJECT
public:
    // A player who presses 次の月へ again and again pauses for less than
    // this between months; a pause this long is the player reading the
    // lists or trading, when a write (about 12 ms) goes unnoticed.
    static constexpr std::chrono::milliseconds QuietInterval{3000};
    // The longest stretch of play that may go unwritten.
    static constexpr std::chrono::milliseconds LongestUnkeptPlay{30000};

    // Keeps `game`, writing it as the slots write a save file.  A resume.sav
    // left in the save folder by an earlier version becomes a kept game.
    TVxGameKeeper(TVxGame& game, TVxSaveSlots& saveSlots, QObject* parent);
    ~TVxGameKeeper() override;

    // The kept file of the game in the window; empty while it has none (a
    // new game not yet written, a loaded game not yet played).
    QString KeptPath() const;

    // The player has moved the game on.
    void GamePlayed();
    // The game is about to be replaced: written now if it has been played.
    void KeepBeforeReplace();
    // A new game is in the window.
    void GameStarted();
    // The game loaded from `path` is in the window, not yet played.
    void GameLoaded(const QString& path);
    // The window closes: the game is written now if it has been played
    // since the last write.  A failure is printed on stderr only.
    void WriteOnClose();

signals:
    // A write failed; `text` names the file and the reason.
    void WriteFailed(const QString& text);

private:
    // Writes the game if it has been played since the last write; the
    // failure's text, or an empty text.
    QString WriteIfPlayed();
    // A write while the game goes on: told once until a write succeeds.
    void WriteDuringPlay();
    // Nothing of the game in the window has been played.
    void Unplayed();
    // The kept file that holds exactly the game just loaded from `path`,
    // its lock taken; none when there is none.
    std::unique_ptr<TVxKeptGameLock> FindLoadedGame(const QString& path);

    TVxGame& FGame;
    TVxSaveSlots& FSlots;
    QTimer* FQuietTimer;
    // Runs from the first play not yet written; once it has run out, the
    // next month or trade writes the game.
    QTimer* FPlayTimer;
    std::unique_ptr<TVxKeptGameLock> FKeptFile;
    bool FPlayed = false;
    bool FFailureTold = false;
};
