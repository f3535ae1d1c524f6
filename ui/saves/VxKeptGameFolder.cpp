#include "ui/saves/VxKeptGameFolder.h"

#include "app/VxAppPaths.h"
#include "game/VxGameHistoryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

// A kept file's name: the time its game was first kept and 32 random bits.
const QRegularExpression& KeptFileName() {
    static const QRegularExpression name(QStringLiteral("^\\d{8}-\\d{6}-[0-9a-f]{8}\\.sav$"));
    return name;
}

QString NewFileName(const QDateTime& firstKept) {
    return firstKept.toString(QStringLiteral("yyyyMMdd-HHmmss")) + u'-' +
           QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0')) +
           QStringLiteral(".sav");
}

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString HistoryPath(const QString& path) {
    return QFile::decodeName(VxHistoryPath(Native(path)).c_str());
}

// Names are random: a clash with a file or a lock of another copy is all
// but impossible, and another draw settles it.
constexpr int NameAttempts = 100;

} // namespace

TVxKeptGameFolder::TVxKeptGameFolder(QString path) : FPath(std::move(path)) {}

TVxKeptGameFolder TVxKeptGameFolder::InSaveFolder() {
    return TVxKeptGameFolder(GetSaveDataFolder() + QStringLiteral("kept/"));
}

bool TVxKeptGameFolder::Holds(const QString& path) const {
    const QString folder = QDir(FPath).canonicalPath();
    const QFileInfo file(path);
    return !folder.isEmpty() && file.absoluteDir().canonicalPath() == folder &&
           KeptFileName().match(file.fileName()).hasMatch();
}

QList<TVxKeptGameFile> TVxKeptGameFolder::Files() const {
    QList<TVxKeptGameFile> files;
    const QFileInfoList entries = QDir(FPath).entryInfoList(QDir::Files);
    for (const QFileInfo& entry : entries)
        if (KeptFileName().match(entry.fileName()).hasMatch())
            files.append({FPath + entry.fileName(), entry.lastModified()});
    // Files written in the same moment (a copied folder) fall back on their
    // names, which begin with the time each game was first kept.
    std::sort(files.begin(), files.end(), [](const TVxKeptGameFile& a, const TVxKeptGameFile& b) {
        return a.LastPlayed != b.LastPlayed ? a.LastPlayed > b.LastPlayed : a.Path > b.Path;
    });
    return files;
}

std::unique_ptr<TVxKeptGameLock> TVxKeptGameFolder::NewFile(const QDateTime& firstKept) const {
    std::error_code error;
    std::filesystem::create_directories(Native(FPath), error);
    if (error)
        throw std::system_error(error, Native(FPath));
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const QString path = FPath + NewFileName(firstKept);
        if (QFileInfo::exists(path))
            continue;
        QLockFile::LockError lockError = QLockFile::NoError;
        std::unique_ptr<TVxKeptGameLock> lock = TVxKeptGameLock::TryTake(path, &lockError);
        if (lockError == QLockFile::PermissionError || lockError == QLockFile::UnknownError)
            throw std::system_error(EACCES, std::generic_category(), Native(FPath));
        // Looked at again under the lock: another copy may have written the
        // file and let its lock go in between.
        if (lock && !QFileInfo::exists(path))
            return lock;
    }
    throw std::system_error(EEXIST, std::generic_category(), Native(FPath));
}

void TVxKeptGameFolder::Prune() const {
    const QList<TVxKeptGameFile> files = Files();
    qsizetype kept = files.size();
    for (qsizetype i = files.size() - 1; i >= 0 && kept > MaxGames; --i) {
        const std::unique_ptr<TVxKeptGameLock> lock = TVxKeptGameLock::TryTake(files[i].Path);
        if (!lock)
            continue; // another copy is playing it
        // The save first: once it is gone, so is the game.
        std::error_code error;
        std::filesystem::remove(Native(files[i].Path), error);
        if (error)
            continue;
        std::filesystem::remove(Native(HistoryPath(files[i].Path)), error);
        --kept;
    }
}

QString TVxKeptGameFolder::Adopt(const QString& path) const {
    const QFileInfo file(path);
    if (!file.isFile())
        return {};
    std::unique_ptr<TVxKeptGameLock> lock;
    try {
        lock = NewFile(file.lastModified());
    } catch (const std::system_error&) {
        return {};
    }
    // A rename, never a copy: the file moves whole or stays.  Only one of
    // two copies starting at once moves it; the other finds it gone.
    std::error_code error;
    std::filesystem::rename(Native(path), Native(lock->Path()), error);
    if (error)
        return {};
    const QString history = HistoryPath(path);
    if (QFileInfo(history).isFile())
        std::filesystem::rename(Native(history), Native(HistoryPath(lock->Path())), error);
    const QString kept = lock->Path();
    lock.reset();
    Prune();
    return kept;
}
