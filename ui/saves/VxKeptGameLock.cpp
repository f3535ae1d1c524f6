#include "ui/saves/VxKeptGameLock.h"

TVxKeptGameLock::TVxKeptGameLock(const QString& path)
    : FPath(path), FLock(path + QStringLiteral(".lock")) {
    // Held for as long as a game stays in the window: only a lock whose
    // process is gone is stale, never one that is merely old (which Qt
    // would otherwise take where the system's own lock does not hold, as
    // on some network file systems).
    FLock.setStaleLockTime(0);
}

std::unique_ptr<TVxKeptGameLock> TVxKeptGameLock::TryTake(const QString& path,
                                                          QLockFile::LockError* error) {
    std::unique_ptr<TVxKeptGameLock> lock(new TVxKeptGameLock(path));
    const bool taken = lock->FLock.tryLock(0);
    if (error)
        *error = lock->FLock.error();
    if (!taken)
        return nullptr;
    return lock;
}
