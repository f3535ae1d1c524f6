// The folder of kept games on its own, without a window: names that are
// never a slot's, listing by the time last played, the ten-game limit that
// spares a game another copy is playing, the lock that a killed copy leaves
// and a running one keeps, resume.sav moved in, and each kept file read
// whole as a load would read it.

#include "ui/saves/VxKeptGameFolder.h"
#include "game/VxCompanyColumn.h"
#include "game/VxGame.h"
#include "game/VxGameHistoryFile.h"
#include "tests/support/GameState.h"
#include "ui/saves/VxKeptGame.h"
#include "ui/saves/VxKeptGameLock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool SetLastPlayed(const QString& path, const QDateTime& time) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(time, QFileDevice::FileModificationTime);
}

QString History(const QString& path) {
    return path + QStringLiteral(".history");
}

// A pid no process has: that of one that has ended.
qint64 PidOfAnEndedProcess() {
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForStarted();
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

} // namespace

class TVxKeptGameFolderTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> FRoot;
    TVxSeededRandom FRandom{11};
    TVxGame FGame;

    QString Kept() const { return FRoot->path() + QStringLiteral("/kept/"); }
    TVxKeptGameFolder Folder() const { return TVxKeptGameFolder(Kept()); }

    // A kept game of its own name, saved with its history, last played at
    // `lastPlayed`.
    QString AddKept(const QString& name, const QDateTime& lastPlayed) {
        QDir().mkpath(Kept());
        const QString path = Kept() + name;
        FGame.SaveToFile(QFile::encodeName(path).toStdString());
        if (!SetLastPlayed(path, lastPlayed))
            qFatal("cannot date %s", qPrintable(path));
        return path;
    }

private slots:
    void init() {
        FRoot = std::make_unique<QTemporaryDir>();
        FRandom.Seed(11);
        FGame.SetRandom(&FRandom);
        FGame.NewGame();
        FGame.NextMonth();
    }

    void ANewFileHasANameOfItsOwnNeverASlots() {
        const QDateTime firstKept(QDate(2025, 1, 5), QTime(14, 3, 12));
        const std::unique_ptr<TVxKeptGameLock> first = Folder().NewFile(firstKept);
        const std::unique_ptr<TVxKeptGameLock> second = Folder().NewFile(firstKept);
        QVERIFY(first && second);
        QVERIFY(QFileInfo(Kept()).isDir()); // made when missing
        const QRegularExpression name(QStringLiteral("^20250105-140312-[0-9a-f]{8}\\.sav$"));
        for (const auto* lock : {first.get(), second.get()}) {
            QCOMPARE(QFileInfo(lock->Path()).absolutePath() + u'/', Kept());
            QVERIFY2(name.match(QFileInfo(lock->Path()).fileName()).hasMatch(),
                     qPrintable(lock->Path()));
            QVERIFY(!QFileInfo::exists(lock->Path())); // named, not written
            QVERIFY(Folder().Holds(lock->Path()));
            // Taken: no other copy can have the name.
            QVERIFY(!TVxKeptGameLock::TryTake(lock->Path()));
        }
        QVERIFY(first->Path() != second->Path());

        // Neither a slot nor a kept name elsewhere is one of the folder's.
        QVERIFY(!Folder().Holds(FRoot->path() + QStringLiteral("/0savedata.sav")));
        QVERIFY(!Folder().Holds(FRoot->path() + u'/' + QFileInfo(first->Path()).fileName()));
    }

    void NoFolderNoName() {
        QVERIFY(WriteAll(FRoot->path() + QStringLiteral("/kept"), "a file, not a folder"));
        try {
            Folder().NewFile(QDateTime::currentDateTime());
            QFAIL("a name in a folder that cannot be made");
        } catch (const std::system_error& error) {
            QVERIFY(QString::fromLocal8Bit(error.what()).startsWith(Kept()));
        }
    }

    void OnlyKeptGamesAreListedMostRecentFirst() {
        const QDateTime now = QDateTime::currentDateTime();
        const QString older =
            AddKept(QStringLiteral("20240101-000000-0000000a.sav"), now.addDays(-3));
        const QString newest = AddKept(QStringLiteral("20240102-000000-0000000b.sav"), now);
        const QString middle =
            AddKept(QStringLiteral("20240301-000000-0000000c.sav"), now.addSecs(-60));
        // The same moment: the name, the time first kept, decides.
        const QString twinA =
            AddKept(QStringLiteral("20230101-000000-0000000d.sav"), now.addDays(-9));
        const QString twinB =
            AddKept(QStringLiteral("20230202-000000-0000000e.sav"), now.addDays(-9));
        // What else may lie there: slots, histories, locks, a writer's
        // temporary file, a folder with a kept file's name.
        for (const char* name : {"0savedata.sav", "resume.sav", "20240101-000000-0000000f.sav.tmp",
                                 "20240101-000000-0000000a.sav.1234-1.tmp",
                                 "20240101-000000-0000000a.sav.lock", "2024-01-01.sav"})
            QVERIFY(WriteAll(Kept() + QLatin1String(name), "x"));
        QVERIFY(QDir().mkpath(Kept() + QStringLiteral("20240101-000000-00000010.sav")));

        QStringList listed;
        for (const TVxKeptGameFile& file : Folder().Files())
            listed << file.Path;
        QCOMPARE(listed, (QStringList{newest, middle, older, twinB, twinA}));
        QCOMPARE(Folder().Files().front().LastPlayed, QFileInfo(newest).lastModified());
    }

    void AnEmptyOrMissingFolderListsNothing() {
        QVERIFY(Folder().Files().isEmpty());
        QDir().mkpath(Kept());
        QVERIFY(Folder().Files().isEmpty());
    }

    // Eleven and twelve games: the ones played longest ago go with their
    // histories, except one another copy is playing.
    void TheGamesPlayedLongestAgoGoBeyondTen() {
        const QDateTime now = QDateTime::currentDateTime();
        QStringList byAge; // oldest first
        for (int i = 0; i < 12; ++i)
            byAge << AddKept(QStringLiteral("20240101-0000%1-000000%2.sav")
                                 .arg(i, 2, 10, QChar(u'0'))
                                 .arg(i, 2, 16, QChar(u'0')),
                             now.addSecs(-3600 + i * 60));
        const std::unique_ptr<TVxKeptGameLock> playedElsewhere = TVxKeptGameLock::TryTake(byAge[1]);
        QVERIFY(playedElsewhere);

        Folder().Prune();
        QCOMPARE(Folder().Files().size(), 10);
        for (int i = 0; i < 12; ++i) {
            const bool gone = i == 0 || i == 2;
            QCOMPARE(QFileInfo::exists(byAge[i]), !gone);
            QCOMPARE(QFileInfo::exists(History(byAge[i])), !gone);
        }
        // Nothing more goes while ten are kept.
        Folder().Prune();
        QCOMPARE(Folder().Files().size(), 10);
    }

    void ALockIsTakenOnlyFromACopyThatHasGone_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("taken");
        QTest::newRow("held by a running copy") << true << false;
        QTest::newRow("left by a copy that was killed") << false << true;
    }
    void ALockIsTakenOnlyFromACopyThatHasGone() {
        QFETCH(bool, running);
        QFETCH(bool, taken);
        QDir().mkpath(Kept());
        const QString path = Kept() + QStringLiteral("20240101-000000-00000001.sav");
        const QString lockFile = path + QStringLiteral(".lock");
        std::unique_ptr<TVxKeptGameLock> held;
        if (running) {
            held = TVxKeptGameLock::TryTake(path);
            QVERIFY(held);
        } else {
            QVERIFY(WriteAll(lockFile, QByteArray::number(PidOfAnEndedProcess()) + "\nridolt\n" +
                                           QSysInfo::machineHostName().toUtf8() + "\n"));
        }
        const std::unique_ptr<TVxKeptGameLock> lock = TVxKeptGameLock::TryTake(path);
        QCOMPARE(bool(lock), taken);
        if (lock)
            QCOMPARE(lock->Path(), path);
    }

    void TheLockGoesWithItsHolder() {
        QDir().mkpath(Kept());
        const QString path = Kept() + QStringLiteral("20240101-000000-00000001.sav");
        TVxKeptGameLock::TryTake(path); // taken and let go at once
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".lock")));
        QVERIFY(TVxKeptGameLock::TryTake(path));
    }

    void ResumeSavMovesInWithItsHistory() {
        const QString resume = FRoot->path() + QStringLiteral("/resume.sav");
        FGame.SaveToFile(QFile::encodeName(resume).toStdString());
        const QDateTime lastPlayed(QDate(2024, 12, 31), QTime(23, 59, 58));
        QVERIFY(SetLastPlayed(resume, lastPlayed));
        const QByteArray save = ReadAll(resume);
        const QByteArray history = ReadAll(History(resume));
        QVERIFY(!history.isEmpty());

        const QString kept = Folder().Adopt(resume);
        QVERIFY(QFileInfo(kept).fileName().startsWith(QStringLiteral("20241231-235958-")));
        QVERIFY(Folder().Holds(kept));
        QCOMPARE(ReadAll(kept), save);
        QCOMPARE(ReadAll(History(kept)), history);
        QVERIFY(!QFileInfo::exists(resume));
        QVERIFY(!QFileInfo::exists(History(resume)));
        QCOMPARE(Folder().Files().size(), 1);
        QCOMPARE(Folder().Files().front().LastPlayed, lastPlayed);
        QVERIFY(!QFileInfo::exists(kept + QStringLiteral(".lock")));

        // Moved already (by this copy or another): nothing more happens.
        QCOMPARE(Folder().Adopt(resume), QString());
        QCOMPARE(Folder().Files().size(), 1);
    }

    void OnlyAFileIsMovedIn() {
        const QString resume = FRoot->path() + QStringLiteral("/resume.sav");
        QVERIFY(QDir().mkpath(resume));
        QCOMPARE(Folder().Adopt(resume), QString());
        QVERIFY(QFileInfo(resume).isDir());
        QVERIFY(Folder().Files().isEmpty());
    }

    // Each kept file read whole, as loading it would read it.
    void AKeptFileIsReadAsALoadReadsIt_data() {
        QTest::addColumn<int>("cut");        // bytes cut off the end; -1 keeps the file whole
        QTest::addColumn<int>("spoil");      // offset of a byte set to 0x7f; -1 for none
        QTest::addColumn<QString>("damage"); // why it cannot be loaded; empty when it loads
        const QString cut = QStringLiteral("ファイルが途中で切れています。");
        QTest::newRow("whole") << -1 << -1 << QString();
        QTest::newRow("cut in the companies") << 1000 << -1 << cut;
        QTest::newRow("cut after the fields") << 62000 << -1 << cut;
        QTest::newRow("empty") << 62414 << -1 << cut;
        QTest::newRow("another program's")
            << -1 << 0
            << QStringLiteral("リドルトのセーブファイルではありません "
                              "(ほかのプログラムのファイルか、ほかの版のセーブファイルです)。");
        // The month, a 32-bit number after the header: 0x7f is no month.
        QTest::newRow("month 128")
            << -1 << 382 << QStringLiteral("セーブデータが不正です: Month = 127");
    }
    void AKeptFileIsReadAsALoadReadsIt() {
        QFETCH(int, cut);
        QFETCH(int, spoil);
        QFETCH(QString, damage);
        FGame.SetSeed(77);
        const QDateTime lastPlayed = QDateTime::currentDateTime().addDays(-1);
        const QString path = AddKept(QStringLiteral("20240101-000000-00000001.sav"), lastPlayed);
        QByteArray bytes = ReadAll(path);
        if (cut >= 0)
            bytes.chop(cut);
        if (spoil >= 0)
            bytes[spoil] = 0x7f;
        QVERIFY(WriteAll(path, bytes));

        const TVxKeptGame kept = VxReadKeptGame(path, lastPlayed);
        QCOMPARE(kept.Path, path);
        QCOMPARE(kept.LastPlayed, lastPlayed);
        QCOMPARE(kept.Damage, damage);
        if (damage.isEmpty()) {
            QCOMPARE(kept.Summary.Year, 0);
            QCOMPARE(kept.Summary.Month, 1);
            QCOMPARE(kept.Summary.Money, FGame.Money);
            QCOMPARE(kept.Seed, std::optional<uint64_t>(77));
        }
    }

    void WithoutItsHistoryAKeptGameLoadsWithNoSeed() {
        FGame.SetSeed(77);
        const QString path =
            AddKept(QStringLiteral("20240101-000000-00000001.sav"), QDateTime::currentDateTime());
        QVERIFY(QFile::remove(History(path)));
        const TVxKeptGame kept = VxReadKeptGame(path, QDateTime::currentDateTime());
        QCOMPARE(kept.Damage, QString());
        QCOMPARE(kept.Seed, std::nullopt);
    }

    void AFileThatCannotBeOpenedSaysWhy() {
        const QString path = Kept() + QStringLiteral("20240101-000000-00000001.sav");
        const TVxKeptGame kept = VxReadKeptGame(path, QDateTime::currentDateTime());
        QCOMPARE(kept.Damage,
                 QStringLiteral("ファイルまたはフォルダがありません。(No such file or directory)"));
    }

    // A loaded game is a kept one only when nothing tells them apart but
    // the order the lists were sorted in when each was saved.
    void ALoadedGameIsTheKeptGameThatHoldsItExactly_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("same");
        QTest::newRow("loaded from it") << 0 << true;
        QTest::newRow("its lists sorted another way") << 1 << true;
        QTest::newRow("one price apart") << 2 << false;
        QTest::newRow("a month on") << 3 << false;
        QTest::newRow("another history") << 4 << false;
    }
    void ALoadedGameIsTheKeptGameThatHoldsItExactly() {
        QFETCH(int, change);
        QFETCH(bool, same);
        FGame.SetSeed(5);
        const QString path =
            AddKept(QStringLiteral("20240101-000000-00000001.sav"), QDateTime::currentDateTime());
        TVxGame loaded;
        loaded.LoadFromFile(QFile::encodeName(path).toStdString());
        switch (change) {
        case 1:
            loaded.MarketList.SetSort(ccStockPrice, true);
            loaded.MarketList.Sort();
            break;
        case 2:
            loaded.MarketList.Items(500)->PriceHistory.Put(
                11, loaded.MarketList.Items(500)->StockPrice() + 1);
            break;
        case 3:
            loaded.NextMonth();
            break;
        case 4:
            loaded.RestartHistory(TVxHistoryOrigin::Loaded);
            break;
        default:
            break;
        }
        QCOMPARE(VxHoldsKeptGame(loaded, path), same);
    }
};

QTEST_MAIN(TVxKeptGameFolderTest)
#include "VxKeptGameFolderTest.moc"
