#include "ui/saves/VxGameKeeper.h"

#include "app/VxAppPaths.h"
#include "game/VxGame.h"
#include "ui/saves/VxKeptGame.h"
#include "ui/saves/VxKeptGameFolder.h"
#include "ui/saves/VxKeptGameLock.h"
#include "ui/saves/VxSaveFileSummary.h"
#include "ui/saves/VxSaveSlots.h"
#include "ui/words/VxFileErrorText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <exception>

namespace {

// The path, the slots' own words for a failed save and why it failed.
QString FailureText(const QString& path) {
    return QCoreApplication::translate("VxGameKeeper", "%1: ファイルを作成できませんでした。 (%2)")
        .arg(path, SaveFailureReason(path, std::current_exception()));
}

} // namespace

TVxGameKeeper::TVxGameKeeper(TVxGame& game, TVxSaveSlots& saveSlots, QObject* parent)
    : QObject(parent), FGame(game), FSlots(saveSlots), FQuietTimer(new QTimer(this)),
      FPlayTimer(new QTimer(this)) {
    FQuietTimer->setObjectName(QStringLiteral("KeptGameQuietTimer"));
    FQuietTimer->setSingleShot(true);
    FQuietTimer->setInterval(QuietInterval);
    connect(FQuietTimer, &QTimer::timeout, this, &TVxGameKeeper::WriteDuringPlay);
    FPlayTimer->setObjectName(QStringLiteral("KeptGamePlayTimer"));
    FPlayTimer->setSingleShot(true);
    FPlayTimer->setInterval(LongestUnkeptPlay);
    connect(FPlayTimer, &QTimer::timeout, this, &TVxGameKeeper::WriteDuringPlay);
    // Whatever ends the event loop without closing the window first.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            &TVxGameKeeper::WriteOnClose);

    // The one game an earlier version kept, as "resume.sav".
    TVxKeptGameFolder::InSaveFolder().Adopt(GetSaveDataFolder() + QStringLiteral("resume.sav"));
}

TVxGameKeeper::~TVxGameKeeper() = default;

QString TVxGameKeeper::KeptPath() const {
    return FKeptFile ? FKeptFile->Path() : QString();
}

void TVxGameKeeper::GamePlayed() {
    FPlayed = true;
    if (!FPlayTimer->isActive())
        FPlayTimer->start();
    // Months played back to back may keep the event loop from ever running
    // the timer: the month itself looks at it.
    if (FPlayTimer->remainingTime() == 0) {
        WriteDuringPlay();
        return;
    }
    FQuietTimer->start();
}

void TVxGameKeeper::KeepBeforeReplace() {
    const QString failure = WriteIfPlayed();
    if (failure.isEmpty())
        return;
    qWarning("%s", qPrintable(failure));
    emit WriteFailed(failure);
}

void TVxGameKeeper::GameStarted() {
    Unplayed();
    FKeptFile.reset();
}

void TVxGameKeeper::GameLoaded(const QString& path) {
    Unplayed();
    FKeptFile = FindLoadedGame(path);
}

void TVxGameKeeper::WriteOnClose() {
    const QString failure = WriteIfPlayed();
    if (!failure.isEmpty())
        qWarning("%s", qPrintable(failure));
}

void TVxGameKeeper::WriteDuringPlay() {
    const QString failure = WriteIfPlayed();
    if (failure.isEmpty()) {
        FFailureTold = false;
        return;
    }
    // Tried again after the next pause, or after as much play again.
    FPlayTimer->start();
    qWarning("%s", qPrintable(failure));
    if (!FFailureTold) {
        FFailureTold = true;
        emit WriteFailed(failure);
    }
}

QString TVxGameKeeper::WriteIfPlayed() {
    FQuietTimer->stop();
    FPlayTimer->stop();
    if (!FPlayed)
        return {};
    const TVxKeptGameFolder folder = TVxKeptGameFolder::InSaveFolder();
    try {
        if (!FKeptFile)
            FKeptFile = folder.NewFile(QDateTime::currentDateTime());
    } catch (const std::exception&) {
        return FailureText(folder.Path());
    }
    const QString path = FKeptFile->Path();
    const bool added = !QFileInfo::exists(path);
    try {
        FSlots.WriteGameFile(path);
    } catch (const std::exception&) {
        return FailureText(path);
    }
    FPlayed = false;
    // One more game kept: one too many, perhaps.
    if (added)
        folder.Prune();
    return {};
}

void TVxGameKeeper::Unplayed() {
    FPlayed = false;
    FQuietTimer->stop();
    FPlayTimer->stop();
}

std::unique_ptr<TVxKeptGameLock> TVxGameKeeper::FindLoadedGame(const QString& path) {
    // Still the game's own file: reloaded, perhaps, after it was written.
    if (FKeptFile && VxHoldsKeptGame(FGame, FKeptFile->Path()))
        return std::move(FKeptFile);
    FKeptFile.reset();

    const TVxKeptGameFolder folder = TVxKeptGameFolder::InSaveFolder();
    QStringList candidates;
    if (folder.Holds(path))
        candidates.append(path);
    for (const TVxKeptGameFile& file : folder.Files())
        if (!candidates.contains(file.Path))
            candidates.append(file.Path);
    for (const QString& candidate : candidates) {
        // A quick look first: only a file at the game's month and cash can
        // hold it.
        const std::optional<TVxSaveFileSummary> summary = ReadSaveFileSummary(candidate);
        if (!summary || summary->Year != FGame.Year || summary->Month != FGame.Month ||
            summary->Money != FGame.Money)
            continue;
        // Compared under the lock: another copy writes the file only while
        // it holds it.
        std::unique_ptr<TVxKeptGameLock> lock = TVxKeptGameLock::TryTake(candidate);
        if (lock && VxHoldsKeptGame(FGame, candidate))
            return lock;
    }
    return nullptr;
}
