#pragma once

// The folder of kept games: every game played in the window is kept in a
// save file of its own in the folder kept/ of the save folder, with its
// history beside it ("<file>.history"), both written as a slot's are.  A
// kept file is named after the moment its game was first kept and a random
// number, "20250105-140312-3fa9c1d2.sav"; a slot is a digit and
// "savedata.sav" in the save folder itself, so neither is ever taken for
// the other.
//
// At most MaxGames games are kept.  When more are, the ones played longest
// ago go, save and history together: the time a kept file was last written
// is the time its game was last played.  A game that another copy of the
// program is playing (its lock taken, VxKeptGameLock.h) is never removed.
//
// The folder is read afresh at every call: another copy of the program may
// keep games in it too.

#include "ui/saves/VxKeptGameLock.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>

// A kept game's file as the folder lists it.
struct TVxKeptGameFile {
    QString Path;
    QDateTime LastPlayed;
};

class TVxKeptGameFolder {
public:
    static constexpr int MaxGames = 10;

    // The folder at `path`, which ends in "/"; it need not exist.
    explicit TVxKeptGameFolder(QString path);
    // kept/ in the save folder the slots use now.
    static TVxKeptGameFolder InSaveFolder();

    const QString& Path() const { return FPath; }
    // `path` names a kept file of this folder.
    bool Holds(const QString& path) const;

    // The kept games, most recently played first: the regular files of the
    // folder named as kept files are named, nothing else.
    QList<TVxKeptGameFile> Files() const;

    // A name for a game first kept at `firstKept`, not used by any file,
    // its lock taken; the folder is made when missing.  Throws
    // std::system_error naming the folder when it cannot be made or written.
    std::unique_ptr<TVxKeptGameLock> NewFile(const QDateTime& firstKept) const;

    // Removes the games played longest ago while more than MaxGames are
    // kept, skipping the ones whose lock another copy holds.
    void Prune() const;

    // Moves the save file at `path` and its history into the folder as a
    // kept game, named after the time the file was last written, and prunes.
    // The path of the kept file, or an empty text when there was no regular
    // file at `path` (another copy may have moved it first) or it could not
    // be moved.
    QString Adopt(const QString& path) const;

private:
    QString FPath;
};
