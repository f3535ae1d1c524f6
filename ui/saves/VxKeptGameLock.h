#pragma once

// The lock of one kept game's file (VxKeptGameFolder.h): a copy of the game
// writes a kept file, or removes it, only while it holds this lock, so two
// copies running at once over one save folder never write the same game's
// file, and neither removes the file of a game the other is playing.
//
// The lock is the file "<kept file>.lock" made by QLockFile.  It names the
// process that holds it; a lock whose process has gone (a copy killed or
// crashed) is taken over at once, however old it is, and a lock held by a
// running copy is never taken, however long it has been held.

#include <QLockFile>
#include <QString>

#include <memory>

class TVxKeptGameLock {
public:
    // The lock of the kept file at `path`, taken for this process; none
    // while another copy holds it, or when it cannot be made (no folder,
    // no right to write there), which `error` tells when given.
    static std::unique_ptr<TVxKeptGameLock> TryTake(const QString& path,
                                                    QLockFile::LockError* error = nullptr);

    // The kept file this lock is for.
    const QString& Path() const { return FPath; }

private:
    explicit TVxKeptGameLock(const QString& path);

    QString FPath;
    QLockFile FLock;
};
