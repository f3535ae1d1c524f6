// Every game played in the window is kept, each in a file of its own in
// kept/ of the save folder: written when the window closes, once play
// pauses, during play that never pauses, and before anything replaces the
// game; only after play, never over a slot and never with a box.  The load
// menu's 前回の続き(R) and 保存していないゲーム(K) offer the kept games and
// load them all or nothing; a kept game played on stays in its own file;
// ten are kept at most; resume.sav of an earlier version moves in; two
// windows over one save folder keep their games apart.

#include "FormTestSupport.h"
#include "app/VxActns.h"
#include "game/VxGameHistoryFile.h"
#include "ui/dialogs/VxSeedDialog.h"
#include "ui/saves/VxKeptGameFolder.h"
#include "ui/saves/VxKeptGameLock.h"
#include "ui/window/VxGameStatusBar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using TCloseWay = std::function<void(TFormRidolt&)>;

QByteArray Bytes(const std::vector<uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

QString HistoryOf(const QString& path) {
    return path + QStringLiteral(".history");
}

// The road of `game`'s history as a history file holds it: the road that
// names the save file `game` is written as.
QByteArray HistoryText(TVxGame& game) {
    const TVxHistoryRoad road{VxSaveDigest(SaveBytes(game)), game.History()};
    return QByteArray::fromStdString(VxHistoryText({&road, 1}));
}

// The road that the history beside the save file at `path` holds for it;
// empty when it holds none.
QByteArray KeptRoad(const QString& path) {
    const QByteArray save = ReadFile(path);
    const TVxSaveDigest digest = VxSaveDigest(
        {reinterpret_cast<const uint8_t*>(save.constData()), static_cast<size_t>(save.size())});
    for (const TVxHistoryRoad& road : VxReadHistoryFile(ReadFile(HistoryOf(path)).toStdString()))
        if (road.Save == digest)
            return QByteArray::fromStdString(VxHistoryText({&road, 1}));
    return {};
}

bool SetLastPlayed(const QString& path, const QDateTime& time) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(time, QFileDevice::FileModificationTime);
}

} // namespace

class TFrmRidoltKeptTest;
// What a row does to the window.
using TKeptAct = std::function<void(TFrmRidoltKeptTest&)>;

Q_DECLARE_METATYPE(TCloseWay)
Q_DECLARE_METATYPE(TKeptAct)

class TFrmRidoltKeptTest : public QObject {
    Q_OBJECT
private:
    TVxSeededRandom FRandom{5};
    TFormFixture F;
    std::unique_ptr<TSaveFolder> FFolder;
    // A game of the test's own, to make files that no window wrote.
    TVxSeededRandom FScratchRandom{9};
    TVxGame FScratch;

    QString SaveFolder() const { return FFolder->Path(); }
    QString Kept() const { return SaveFolder() + QStringLiteral("kept/"); }
    QString Slot(int slot) const {
        return SaveFolder() + QStringLiteral("%1savedata.sav").arg(slot);
    }

    // The kept files, most recently played first.
    QStringList KeptFiles() const {
        QStringList paths;
        for (const TVxKeptGameFile& file : TVxKeptGameFolder(Kept()).Files())
            paths << file.Path;
        return paths;
    }
    // The one kept file; fails the test unless there is exactly one.
    QString OnlyKeptFile() const {
        const QStringList files = KeptFiles();
        if (files.size() != 1)
            qFatal("%d kept files", int(files.size()));
        return files.front();
    }

    QMenu& LoadMenu() const { return F.Find<QMenu>("MILoad"); }
    QAction& ResumeItem() const { return F.Action("MIDataLoadResume"); }
    QMenu& KeptMenu() const { return F.Find<QMenu>("MIKeptGames"); }
    QTimer& QuietTimer() const { return F.Find<QTimer>("KeptGameQuietTimer"); }
    QTimer& PlayTimer() const { return F.Find<QTimer>("KeptGamePlayTimer"); }

    static QString Shown(const QAction& item) {
        return item.text() + (item.isEnabled() ? QString() : QStringLiteral(" (off)")) +
               (item.isChecked() ? QStringLiteral(" (checked)") : QString());
    }
    // 前回の続き as the player sees it when the load menu opens.
    QString ResumeCaption() const {
        emit LoadMenu().aboutToShow();
        return Shown(ResumeItem());
    }
    // 保存していないゲーム's items as the player sees them.
    QStringList KeptItems() const {
        emit LoadMenu().aboutToShow();
        QStringList items;
        for (const QAction* item : KeptMenu().actions())
            items << Shown(*item);
        return items;
    }
    void ChooseResume() const {
        emit LoadMenu().aboutToShow();
        ResumeItem().trigger();
    }
    void ChooseKept(int index) const {
        emit LoadMenu().aboutToShow();
        KeptMenu().actions().at(index)->trigger();
    }
    void Choose(const char* menu, int slot) const {
        emit F.Find<QMenu>(menu).aboutToShow();
        F.Find<QMenu>(menu).actions().at(slot)->trigger();
    }

    // The window closed and started anew over the same save folder: the
    // next session.
    void Restart() {
        if (F.Form)
            F.Form->close();
        F.Stop();
        FRandom.Seed(5);
        QVERIFY(F.Start(&FRandom));
    }

    // Writes the played game now, through the pause in play.
    void Pause() const {
        QuietTimer().setInterval(1);
        QTRY_VERIFY(!QuietTimer().isActive());
    }

    // The bytes of a save file of a real game standing at the given month
    // and cash.
    QByteArray GameFile(int32_t year, int32_t month, int32_t money) {
        FScratch.Year = year;
        FScratch.Month = month;
        FScratch.Money = money;
        return Bytes(SaveBytes(FScratch));
    }
    // A kept file of the given bytes, no history, last played `ago` seconds
    // before now.
    QString WriteKept(const QString& name, const QByteArray& bytes, int ago = 60) const {
        QDir().mkpath(Kept());
        const QString path = Kept() + name;
        if (!WriteFile(path, bytes) ||
            !SetLastPlayed(path, QDateTime::currentDateTime().addSecs(-ago)))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    // The scratch game of `seed` after `months`, kept with its history.
    QString KeepScratchGame(const QString& name, uint64_t seed, int months,
                            const QDateTime& lastPlayed) {
        FScratch.SetSeed(seed);
        FScratch.NewGame();
        for (int month = 0; month < months; ++month)
            FScratch.NextMonth();
        QDir().mkpath(Kept());
        const QString path = Kept() + name;
        FScratch.SaveToFile(QFile::encodeName(path).toStdString());
        if (!SetLastPlayed(path, lastPlayed))
            qFatal("cannot date %s", qPrintable(path));
        return path;
    }

    // Buys one lot of the company in the market list's first row.
    void BuyOneLot() const {
        F.Market().SelectAndFocus(0);
        TNextModal ok([](QDialog& dialog) { dialog.accept(); });
        F.Action("ActVLVMarketBuyStock").trigger();
        QVERIFY(ok.Answered);
    }

    void NewGame(TVxMsgResult answer = TVxMsgResult::Ok) const {
        TVxQtMessageBox::SetNextAnswer(answer);
        F.Action("ActGameNew").trigger();
    }
    void NewGameOfSeed(uint64_t seed) const {
        TVxSeedDialog::SetNextAnswer(seed);
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Action("ActGameNewSeed").trigger();
    }

private slots:
    void init() {
        FFolder = std::make_unique<TSaveFolder>(QStringLiteral("/savedata/"));
        FRandom.Seed(5);
        FScratchRandom.Seed(9);
        FScratch.SetRandom(&FScratchRandom);
        FScratch.NewGame();
        QVERIFY(F.Start(&FRandom));
    }
    void cleanup() {
        F.Stop();
        TVxSeedDialog::ClearNextAnswers();
        FFolder.reset();
    }

    void TheResumeItemShowsTheLastGamesMonthAndCash_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("money");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("spoil"); // a byte set to 'X' at this offset; -1 for none
        QTest::addColumn<QString>("caption");
        const QString plain = QStringLiteral("前回の続き(&R)");
        const QString cannot = plain + QStringLiteral("  開けません: ");
        QTest::newRow("none") << 0 << 0 << 0 << 0 << -1 << plain + QStringLiteral(" (off)");
        QTest::newRow("a whole file") << 2 << 4 << 12000 << 62414 << -1
                                      << plain + QStringLiteral("  3年目5月 資金 1億2000万円");
        QTest::newRow("December, no cash")
            << 0 << 11 << 0 << 62414 << -1 << plain + QStringLiteral("  1年目12月 資金 0円");
        QTest::newRow("in debt") << 0 << 0 << -20 << 62414 << -1
                                 << plain + QStringLiteral("  1年目1月 資金 -20万円");
        // Checked whole, as a load checks it: damage anywhere shows.
        QTest::newRow("cut inside the companies")
            << 1 << 0 << 3000 << 30000 << -1
            << cannot + QStringLiteral("ファイルが途中で切れています。 (off)");
        QTest::newRow("cut inside the fields")
            << 1 << 0 << 3000 << 390 << -1
            << cannot + QStringLiteral("ファイルが途中で切れています。 (off)");
        QTest::newRow("month 13") << 0 << 12 << 3000 << 62414 << -1
                                  << cannot +
                                         QStringLiteral("セーブデータが不正です: Month = 12 (off)");
        QTest::newRow("negative year")
            << -1 << 0 << 3000 << 62414 << -1
            << cannot + QStringLiteral("セーブデータが不正です: Year = -1 (off)");
        QTest::newRow("another program's file")
            << 0 << 0 << 3000 << 62414 << 0
            << cannot + QStringLiteral(
                            "リドルトのセーブファイルではありません "
                            "(ほかのプログラムのファイルか、ほかの版のセーブファイルです)。 (off)");
    }
    void TheResumeItemShowsTheLastGamesMonthAndCash() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, money);
        QFETCH(int, size);
        QFETCH(int, spoil);
        QFETCH(QString, caption);
        if (size > 0) {
            QByteArray file = GameFile(year, month, money);
            file.resize(size);
            if (spoil >= 0)
                file[spoil] = 'X';
            WriteKept(QStringLiteral("20240101-000000-00000001.sav"), file);
        }
        QCOMPARE(ResumeCaption(), caption);
    }

    // Only files: a folder named like a kept game is none.
    void AFolderInThePlaceOfAKeptFileIsNoGame() {
        QVERIFY(QDir().mkpath(Kept() + QStringLiteral("20240101-000000-00000001.sav")));
        QCOMPARE(ResumeCaption(), QStringLiteral("前回の続き(&R) (off)"));
        QCOMPARE(KeptItems(), QStringList());
        QVERIFY(!KeptMenu().isEnabled());
    }

    // The item follows the files: a game kept while the menu is closed
    // shows when it next opens, in the next session; the game in the
    // window is never its own 前回の続き.
    void TheResumeItemIsTheLastGameButTheOneInTheWindow() {
        QCOMPARE(ResumeCaption(), QStringLiteral("前回の続き(&R) (off)"));
        F.NextMonth();
        F.Form->close();
        QCOMPARE(KeptFiles().size(), 1);
        QCOMPARE(ResumeCaption(), QStringLiteral("前回の続き(&R) (off)"));
        Restart();
        QCOMPARE(ResumeCaption(), QStringLiteral("前回の続き(&R)  1年目2月 資金 2970万円"));
        // Played on, the new game is kept too; the first is still the one
        // to go back to.
        F.NextMonth();
        F.NextMonth();
        Pause();
        QCOMPARE(KeptFiles().size(), 2);
        QCOMPARE(ResumeCaption(), QStringLiteral("前回の続き(&R)  1年目2月 資金 2970万円"));
    }

    void LoadingTheKeptGameShowsIt() {
        for (int month = 0; month < 4; ++month)
            F.NextMonth();
        const std::vector<uint8_t> kept = SaveBytes(F.Game());
        F.Form->close();
        QCOMPARE(ReadFile(OnlyKeptFile()), Bytes(kept));

        // The next session, over a new game played on.
        Restart();
        F.NextMonth();
        F.ClickRow(F.Market(), 3);
        F.Game().GameEnd = true;

        ChooseResume();
        QVERIFY(SaveBytes(F.Game()) == kept);
        QVERIFY(!F.Game().GameEnd);
        QCOMPARE(F.Log(), QString());
        QCOMPARE(F.ChartTitle(), QStringLiteral("株価推移"));
        QCOMPARE(F.Panel(1), QStringLiteral("1年目5月"));
        QCOMPARE(F.Panel(2), QStringLiteral("資金 2880万円"));
    }

    // Damaged after the menu opened: refused in the slots' box, the game
    // as it was.
    void AKeptGameDamagedMeanwhileIsRefusedWithABox() {
        const QString path =
            WriteKept(QStringLiteral("20240101-000000-00000001.sav"), GameFile(1, 0, 3000));
        F.NextMonth();
        const std::vector<uint8_t> before = SaveBytes(F.Game());
        const QString log = F.Log();

        emit LoadMenu().aboutToShow();
        QVERIFY(ResumeItem().isEnabled());
        QVERIFY(WriteFile(path, GameFile(1, 0, 3000).left(30000)));
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        ResumeItem().trigger();

        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t(1));
        const TVxMessageBoxRequest& box = TVxQtMessageBox::AnsweredRequests().front();
        QCOMPARE(box.Caption, QStringLiteral("エラー"));
        QCOMPARE(box.Text, path + QStringLiteral("\nファイルを開けませんでした。\n"
                                                 "ファイルが途中で切れています。"));
        QCOMPARE(box.Icon, TVxMsgIcon::Error);
        QVERIFY(SaveBytes(F.Game()) == before);
        QCOMPARE(F.Log(), log);
        QCOMPARE(F.Panel(1), QStringLiteral("1年目2月"));
        // The damaged file stays, greyed, until ten newer games push it out.
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(
            ResumeCaption(),
            QStringLiteral("前回の続き(&R)  開けません: ファイルが途中で切れています。 (off)"));
    }

    // Gone since the menu opened: nothing happens, as with a slot.
    void AKeptGameRemovedMeanwhileLoadsNothing() {
        const QString path =
            WriteKept(QStringLiteral("20240101-000000-00000001.sav"), GameFile(1, 0, 3000));
        emit LoadMenu().aboutToShow();
        QVERIFY(QFile::remove(path));
        F.NextMonth();
        const std::vector<uint8_t> before = SaveBytes(F.Game());
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok); // should a box wrongly come
        ResumeItem().trigger();
        KeptMenu().actions().at(0)->trigger();
        QVERIFY(TVxQtMessageBox::AnsweredRequests().empty());
        QVERIFY(SaveBytes(F.Game()) == before);
    }

    void ClosingTheWindowKeepsThePlayedGame_data() {
        QTest::addColumn<TCloseWay>("close");
        QTest::newRow("the window system (close box, logout)") << TCloseWay([](TFormRidolt& form) {
            // What a window manager's close request comes in as.
            form.windowHandle()->close();
        });
        QTest::newRow("終了") << TCloseWay([](TFormRidolt& form) {
            form.findChild<TVxExitAction*>(QStringLiteral("VxExitAction1"))->trigger();
        });
    }
    void ClosingTheWindowKeepsThePlayedGame() {
        QFETCH(TCloseWay, close);
        // Two slots of the player's, which the close must leave alone.
        for (const int slot : {0, 7}) {
            F.NextMonth();
            Choose("MISave", slot);
        }
        const QStringList slotNames{"0savedata.sav", "0savedata.sav.history", "7savedata.sav",
                                    "7savedata.sav.history"};
        QCOMPARE(QDir(SaveFolder()).entryList(QDir::Files), slotNames);
        QList<QByteArray> slotBytes;
        for (const QString& name : slotNames)
            slotBytes << ReadFile(SaveFolder() + name);
        F.NextMonth();
        const std::vector<uint8_t> played = SaveBytes(F.Game());
        QVERIFY(QuietTimer().isActive()); // not written yet

        close(*F.Form);
        QVERIFY(!F.Form->isVisible());
        QVERIFY(!QuietTimer().isActive());
        const QString kept = OnlyKeptFile();
        QCOMPARE(ReadFile(kept), Bytes(played));
        QCOMPARE(KeptRoad(kept), HistoryText(F.Game()));
        // Only the kept game was added, in kept/; nothing half-written was
        // left, and its lock goes with the window.
        QCOMPARE(QDir(SaveFolder()).entryList(QDir::Files), slotNames);
        const QString name = QFileInfo(kept).fileName();
        QCOMPARE(QDir(Kept()).entryList(QDir::Files),
                 (QStringList{name, name + ".history", name + ".lock"}));
        F.Stop();
        QCOMPARE(QDir(Kept()).entryList(QDir::Files), (QStringList{name, name + ".history"}));
        for (int i = 0; i < slotNames.size(); ++i)
            QCOMPARE(ReadFile(SaveFolder() + slotNames[i]), slotBytes[i]);
    }

    // A new game, a loaded slot or kept game, or a refused month holds
    // nothing worth keeping: no file is added, and the kept game of the
    // last session stays as it was.  Play is kept in a file of its own.
    void OnlyPlayedGamesAreKept_data() {
        QTest::addColumn<TKeptAct>("act");
        QTest::addColumn<bool>("played");
        using TAct = TKeptAct;
        QTest::newRow("nothing") << TAct([](TFrmRidoltKeptTest&) {}) << false;
        QTest::newRow("a new game")
            << TAct([](TFrmRidoltKeptTest& test) { test.NewGame(); }) << false;
        QTest::newRow("a slot loaded") << TAct([](TFrmRidoltKeptTest& test) {
            test.F.Game().SaveToFile(QFile::encodeName(test.Slot(2)).toStdString());
            test.Choose("MILoad", 2);
        }) << false;
        QTest::newRow("the kept game loaded")
            << TAct([](TFrmRidoltKeptTest& test) { test.ChooseResume(); }) << false;
        QTest::newRow("a refused month") << TAct([](TFrmRidoltKeptTest& test) {
            test.F.Hold(*test.F.Game().MarketList.Items(0), 1000, 100);
            test.F.Game().Money = 10;
            TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok); // the turn's warning
            test.F.NextMonth();
            QCOMPARE(test.F.Game().Month, 0);
        }) << false;
        QTest::newRow("a month") << TAct([](TFrmRidoltKeptTest& test) { test.F.NextMonth(); })
                                 << true;
        QTest::newRow("a trade") << TAct([](TFrmRidoltKeptTest& test) { test.BuyOneLot(); })
                                 << true;
    }
    void OnlyPlayedGamesAreKept() {
        QFETCH(TKeptAct, act);
        QFETCH(bool, played);
        const QByteArray lastSession = GameFile(4, 7, 54321);
        const QString kept = WriteKept(QStringLiteral("20240101-000000-00000001.sav"), lastSession);
        const QDateTime lastPlayed = QFileInfo(kept).lastModified();
        act(*this);
        QCOMPARE(QuietTimer().isActive(), played);
        const std::vector<uint8_t> now = SaveBytes(F.Game());
        F.Form->close();
        QCOMPARE(ReadFile(kept), lastSession);
        QCOMPARE(QFileInfo(kept).lastModified(), lastPlayed);
        QCOMPARE(KeptFiles().size(), played ? 2 : 1);
        if (played)
            QCOMPARE(ReadFile(KeptFiles().front()), Bytes(now));
    }

    // Whatever replaces a game played, the game is written first, at once,
    // and the replacement goes on as it always has.
    void APlayedGameIsKeptBeforeItIsReplaced_data() {
        QTest::addColumn<TKeptAct>("replace");
        using TAct = TKeptAct;
        QTest::newRow("ニューゲーム") << TAct([](TFrmRidoltKeptTest& test) { test.NewGame(); });
        QTest::newRow("シード指定ニューゲーム")
            << TAct([](TFrmRidoltKeptTest& test) { test.NewGameOfSeed(7); });
        QTest::newRow("a slot loaded")
            << TAct([](TFrmRidoltKeptTest& test) { test.Choose("MILoad", 3); });
        QTest::newRow("a file dropped") << TAct([](TFrmRidoltKeptTest& test) {
            QMimeData files;
            files.setUrls({QUrl::fromLocalFile(test.Slot(3))});
            QVERIFY(DropOn(*test.F.Form, files));
        });
        QTest::newRow("a file handed over by a second start") << TAct(
            [](TFrmRidoltKeptTest& test) { test.F.Form->CopyDataReceived(1, test.Slot(3)); });
        QTest::newRow("前回の続き") << TAct([](TFrmRidoltKeptTest& test) { test.ChooseResume(); });
        QTest::newRow("a kept game from 保存していないゲーム")
            << TAct([](TFrmRidoltKeptTest& test) { test.ChooseKept(0); });
    }
    void APlayedGameIsKeptBeforeItIsReplaced() {
        QFETCH(TKeptAct, replace);
        // What may replace the game: a slot and a kept game of another game.
        const QByteArray other = GameFile(6, 2, 4321);
        QDir().mkpath(SaveFolder());
        QVERIFY(WriteFile(Slot(3), other));
        WriteKept(QStringLiteral("20240101-000000-00000001.sav"), other, 3600);

        F.NextMonth();
        BuyOneLot();
        const std::vector<uint8_t> played = SaveBytes(F.Game());
        const QByteArray history = HistoryText(F.Game());
        QVERIFY(QuietTimer().isActive()); // not written by the pause

        replace(*this);
        QVERIFY(SaveBytes(F.Game()) != played); // replaced
        const QStringList kept = KeptFiles();
        QCOMPARE(kept.size(), 2);
        QCOMPARE(ReadFile(kept.front()), Bytes(played));
        QCOMPARE(KeptRoad(kept.front()), history);
        QVERIFY(!QuietTimer().isActive());
        QVERIFY(!PlayTimer().isActive());
        QVERIFY(TVxQtMessageBox::AnsweredRequests().size() <= 1); // the new game's question
        // The replacing game, unplayed, is not kept on closing.
        F.Form->close();
        QCOMPARE(KeptFiles(), kept);
    }

    void ACancelledNewGameKeepsNothingYet() {
        F.NextMonth();
        NewGame(TVxMsgResult::Cancel);
        QCOMPARE(F.Game().Month, 1);
        QVERIFY(QuietTimer().isActive());
        QVERIFY(KeptFiles().isEmpty());
    }

    // A kept game played on, whether loaded as the kept game or from a slot
    // saved from it with nothing played since, stays in its one file.  A
    // slot saved before the game was played on is another road from that
    // month: kept beside it, never over it.
    void AKeptGamePlayedOnStaysInItsOwnFile_data() {
        QTest::addColumn<TKeptAct>("reload");
        QTest::addColumn<bool>("sameFile");
        using TAct = TKeptAct;
        QTest::newRow("前回の続き")
            << TAct([](TFrmRidoltKeptTest& test) { test.ChooseResume(); }) << true;
        QTest::newRow("from 保存していないゲーム")
            << TAct([](TFrmRidoltKeptTest& test) { test.ChooseKept(0); }) << true;
        QTest::newRow("a slot saved when it was last kept")
            << TAct([](TFrmRidoltKeptTest& test) { test.Choose("MILoad", 5); }) << true;
        QTest::newRow("a file dropped, saved when it was last kept")
            << TAct([](TFrmRidoltKeptTest& test) {
                   QMimeData files;
                   files.setUrls({QUrl::fromLocalFile(test.Slot(5))});
                   QVERIFY(DropOn(*test.F.Form, files));
               })
            << true;
        QTest::newRow("a slot saved before it was played on")
            << TAct([](TFrmRidoltKeptTest& test) { test.Choose("MILoad", 4); }) << false;
    }
    void AKeptGamePlayedOnStaysInItsOwnFile() {
        QFETCH(TKeptAct, reload);
        QFETCH(bool, sameFile);
        F.NextMonth();
        Choose("MISave", 4);
        F.NextMonth();
        // Sorted another way after it was kept: still the same game.
        Pause();
        F.ClickHeader(F.Market(), 1);
        Choose("MISave", 5);
        const QString kept = OnlyKeptFile();
        const QByteArray keptBytes = ReadFile(kept);

        Restart();
        reload(*this);
        F.NextMonth();
        const std::vector<uint8_t> played = SaveBytes(F.Game());
        F.Form->close();
        if (sameFile) {
            QCOMPARE(KeptFiles(), QStringList{kept});
            QCOMPARE(ReadFile(kept), Bytes(played));
            QCOMPARE(KeptRoad(kept), HistoryText(F.Game()));
        } else {
            QCOMPARE(KeptFiles().size(), 2);
            QCOMPARE(ReadFile(kept), keptBytes);
            QCOMPARE(ReadFile(KeptFiles().front()), Bytes(played));
        }
        // Played on and loaded again in the same window: still one file.
        emit LoadMenu().aboutToShow();
        const qsizetype files = KeptFiles().size();
        ChooseKept(0);
        F.NextMonth();
        Pause();
        QCOMPARE(KeptFiles().size(), files);
    }

    void TenGamesAreKeptAtMost() {
        const QDateTime now = QDateTime::currentDateTime();
        QStringList byAge; // oldest first
        for (int i = 0; i < 10; ++i)
            byAge << KeepScratchGame(QStringLiteral("20240101-0000%1-000000%2.sav")
                                         .arg(i, 2, 10, QChar(u'0'))
                                         .arg(i, 2, 16, QChar(u'0')),
                                     100 + i, 1, now.addSecs(-3600 + i * 60));
        F.NextMonth();
        F.Form->close();
        QCOMPARE(KeptFiles().size(), 10);
        QVERIFY(!QFileInfo::exists(byAge[0]));
        QVERIFY(!QFileInfo::exists(HistoryOf(byAge[0])));
        QStringList newestFirst = byAge.mid(1);
        std::reverse(newestFirst.begin(), newestFirst.end());
        QCOMPARE(KeptFiles().mid(1), newestFirst);
        QCOMPARE(ReadFile(KeptFiles().front()), Bytes(SaveBytes(F.Game())));
    }

    void EveryKeptGameIsListedMostRecentFirst() {
        QVERIFY(!KeptMenu().isEnabled());
        QCOMPARE(KeptMenu().title(), QStringLiteral("保存していないゲーム(&K)"));
        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime dayBefore(now.date().addDays(-1), QTime(21, 5));
        const QDateTime weekBefore(now.date().addDays(-7), QTime(9, 30));
        const QString seven =
            KeepScratchGame(QStringLiteral("20240101-000000-00000007.sav"), 7, 7, dayBefore);
        const std::vector<uint8_t> sevenBytes = SaveBytes(FScratch);
        const QString damaged = WriteKept(QStringLiteral("20240101-000000-0000000d.sav"),
                                          GameFile(1, 0, 3000).left(30000));
        QVERIFY(SetLastPlayed(damaged, weekBefore));
        const QString noHistory = WriteKept(QStringLiteral("20230101-000000-00000001.sav"),
                                            GameFile(2, 3, 100), 86400 * 30);
        const QString month30 =
            QFileInfo(noHistory).lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
        // The game in the window, seeded, played and kept: it is listed
        // first, with its check mark.
        NewGameOfSeed(123);
        F.NextMonth();
        Pause();
        const QString today = QFileInfo(KeptFiles().front())
                                  .lastModified()
                                  .toString(QStringLiteral("yyyy/MM/dd HH:mm"));

        QCOMPARE(KeptItems(),
                 (QStringList{
                     QStringLiteral("1年目2月 資金 2970万円  ") + today +
                         QStringLiteral("  シード 123 (checked)"),
                     QStringLiteral("1年目8月 資金 2790万円  ") +
                         dayBefore.toString(QStringLiteral("yyyy/MM/dd")) +
                         QStringLiteral(" 21:05  シード 7"),
                     QStringLiteral("20240101-000000-0000000d.sav  ") +
                         weekBefore.toString(QStringLiteral("yyyy/MM/dd")) +
                         QStringLiteral(" 09:30  開けません: ファイルが途中で切れています。 (off)"),
                     QStringLiteral("3年目4月 資金 100万円  ") + month30 +
                         QStringLiteral("  シード 不明"),
                 }));
        QVERIFY(KeptMenu().isEnabled());
        QCOMPARE(ResumeCaption(), QStringLiteral("前回の続き(&R)  1年目8月 資金 2790万円"));

        // Chosen, a kept game loads as a slot does; nothing is written.
        const QByteArray before = ReadFile(seven);
        ChooseKept(1);
        QVERIFY(SaveBytes(F.Game()) == sevenBytes);
        QCOMPARE(F.Game().Seed(), std::optional<uint64_t>(7));
        QCOMPARE(F.Panel(1), QStringLiteral("1年目8月"));
        QCOMPARE(F.Log(), QString());
        QCOMPARE(ReadFile(seven), before);
        // Now the game in the window carries the mark, and 前回の続き is
        // the game of seed 123.
        QVERIFY(KeptItems()[1].endsWith(QStringLiteral("シード 7 (checked)")));
        QVERIFY(!KeptItems()[0].endsWith(QStringLiteral("(checked)")));
        QCOMPARE(ResumeCaption(), QStringLiteral("前回の続き(&R)  1年目2月 資金 2970万円"));
        // A greyed item loads nothing.
        KeptMenu().actions().at(2)->trigger();
        QVERIFY(SaveBytes(F.Game()) == sevenBytes);
    }

    void ResumeSavMovesIntoTheKeptGames() {
        F.Stop();
        QDir().mkpath(SaveFolder());
        const QString resume = SaveFolder() + QStringLiteral("resume.sav");
        FScratch.SetSeed(42);
        FScratch.NewGame();
        FScratch.NextMonth();
        FScratch.SaveToFile(QFile::encodeName(resume).toStdString());
        const std::vector<uint8_t> game = SaveBytes(FScratch);
        const QByteArray history = KeptRoad(resume);

        Restart();
        QVERIFY(!QFileInfo::exists(resume));
        QVERIFY(!QFileInfo::exists(HistoryOf(resume)));
        const QString kept = OnlyKeptFile();
        QCOMPARE(ReadFile(kept), Bytes(game));
        QCOMPARE(KeptRoad(kept), history);
        QCOMPARE(F.Panel(0), QStringLiteral("前回の続きは ロード(L) → 前回の続き(R)"));
        QCOMPARE(ResumeCaption(), QStringLiteral("前回の続き(&R)  1年目2月 資金 2970万円"));
        ChooseResume();
        QVERIFY(SaveBytes(F.Game()) == game);
        QCOMPARE(F.Game().Seed(), std::optional<uint64_t>(42));
    }

    // Said once at start, only while a game is kept; nothing else of the
    // start changes.
    void TheStartSaysWhereTheKeptGameIs() {
        QCOMPARE(F.Panel(0), QString());
        F.NextMonth();
        Restart();
        QCOMPARE(F.Panel(0), QStringLiteral("前回の続きは ロード(L) → 前回の続き(R)"));
        QCOMPARE(F.Panel(1), QStringLiteral("1年目1月"));
        QCOMPARE(F.Game().Month, 0);
        QVERIFY(TVxQtMessageBox::AnsweredRequests().empty());
    }

    void APauseInPlayKeepsTheGame() {
        QCOMPARE(QuietTimer().interval(), 3000);
        QVERIFY(QuietTimer().isSingleShot());
        QVERIFY(!QuietTimer().isActive());
        // Every month starts the pause over.
        F.NextMonth();
        QTest::qWait(1200);
        F.NextMonth();
        QVERIFY(QuietTimer().remainingTime() > 2500);
        QVERIFY(KeptFiles().isEmpty());

        const std::vector<uint8_t> played = SaveBytes(F.Game());
        QTRY_VERIFY_WITH_TIMEOUT(!KeptFiles().isEmpty(), 5000);
        QCOMPARE(ReadFile(OnlyKeptFile()), Bytes(played));
        QCOMPARE(F.Panel(1), QStringLiteral("1年目3月"));
    }

    // Months back to back never pause: the month itself writes the game
    // once the longest stretch of unwritten play has passed, also when the
    // event loop never gets to run a timer (time passes here in sleeps
    // outside it).
    void PlayWithoutAPauseIsKeptAtLeastEvery30Seconds() {
        QCOMPARE(PlayTimer().interval(), 30000);
        QVERIFY(PlayTimer().isSingleShot());
        PlayTimer().setInterval(1000);
        QAction& nextMonth = F.Action("ActNextMonth");
        nextMonth.trigger();
        QVERIFY(PlayTimer().isActive());
        QThread::msleep(300);
        nextMonth.trigger();
        QVERIFY(KeptFiles().isEmpty());
        QThread::msleep(800);
        nextMonth.trigger(); // 1.1 s after the first: written now
        const QString kept = OnlyKeptFile();
        QCOMPARE(ReadFile(kept), Bytes(SaveBytes(F.Game())));
        QCOMPARE(F.Game().Month, 3);
        QVERIFY(!PlayTimer().isActive());
        QVERIFY(!QuietTimer().isActive());
        // The next stretch starts with the next month, in the same file.
        nextMonth.trigger();
        QVERIFY(PlayTimer().isActive());
        QThread::msleep(1100);
        nextMonth.trigger();
        QCOMPARE(KeptFiles(), QStringList{kept});
        QCOMPARE(ReadFile(kept), Bytes(SaveBytes(F.Game())));
        // With the event loop running, the timer alone writes it.
        QuietTimer().setInterval(60000);
        nextMonth.trigger();
        const std::vector<uint8_t> played = SaveBytes(F.Game());
        QTRY_COMPARE_WITH_TIMEOUT(ReadFile(kept), Bytes(played), 3000);
    }

    // Kept already: a close with nothing played since writes nothing.
    void AKeptGameIsNotWrittenAgain() {
        F.NextMonth();
        Pause();
        const QString kept = OnlyKeptFile();
        QVERIFY(QFile::remove(kept));
        F.Form->close();
        NewGame();
        QVERIFY(!QFileInfo::exists(kept));
        QVERIFY(KeptFiles().isEmpty());
    }

    // No box ever comes from keeping the game; the close and the
    // replacement go on.
    void AFailedWriteIsToldWithoutHoldingAnythingUp() {
        QDir().mkpath(FFolder->Root());
        QVERIFY(WriteFile(SaveFolder().chopped(1), "in the way")); // a file, not the folder
        const QString failure = Kept() + QStringLiteral(": ファイルを作成できませんでした。 (");
        const QRegularExpression told(QRegularExpression::escape(failure) +
                                      QStringLiteral(".+\\)"));

        // During play: on stderr each time, in the status bar once.
        QuietTimer().setInterval(1);
        QTest::ignoreMessage(QtWarningMsg, told);
        F.NextMonth();
        QTRY_VERIFY(!QuietTimer().isActive());
        QVERIFY(F.Panel(0).startsWith(failure));
        F.Find<TVxGameStatusBar>("StatusBar1").ShowHint(QString());
        QTest::ignoreMessage(QtWarningMsg, told);
        F.NextMonth();
        QTRY_VERIFY(!QuietTimer().isActive());
        QCOMPARE(F.Panel(0), QString());

        // Before a replacement: every time, and the new game comes.
        QTest::ignoreMessage(QtWarningMsg, told);
        NewGame();
        QVERIFY(F.Panel(0).startsWith(failure));
        QCOMPARE(F.Game().Month, 0);
        QCOMPARE(F.Panel(1), QStringLiteral("1年目1月"));

        // On closing: on stderr, and the window closes all the same.
        F.NextMonth();
        QTest::ignoreMessage(QtWarningMsg, told);
        F.Form->close();
        QVERIFY(!F.Form->isVisible());
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t(1)); // the new game's
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // Two copies of the game over one save folder (two sessions of one
    // user): each plays a game in its own kept file, also when both load
    // the same kept game, and neither removes the game the other plays.
    void TwoWindowsKeepTheirGamesApart() {
        F.NextMonth();
        Pause();
        const QString first = OnlyKeptFile();

        TVxSeededRandom otherRandom{8};
        TFormFixture other;
        QVERIFY(other.Start(&otherRandom));
        emit other.Find<QMenu>("MILoad").aboutToShow();
        QAction& otherResume = other.Action("MIDataLoadResume");
        QCOMPARE(otherResume.text(), QStringLiteral("前回の続き(&R)  1年目2月 資金 2970万円"));
        otherResume.trigger();
        QVERIFY(SaveBytes(other.Game()) == SaveBytes(F.Game()));

        // Both play on: the first window in its file, the other in a new one.
        other.NextMonth();
        other.NextMonth();
        other.Form->close();
        F.NextMonth();
        F.Form->close();
        const QStringList kept = KeptFiles();
        QCOMPARE(kept.size(), 2);
        QVERIFY(kept.contains(first));
        const QString others = kept[0] == first ? kept[1] : kept[0];
        QCOMPARE(ReadFile(first), Bytes(SaveBytes(F.Game())));
        QCOMPARE(KeptRoad(first), HistoryText(F.Game()));
        QCOMPARE(ReadFile(others), Bytes(SaveBytes(other.Game())));
        QCOMPARE(KeptRoad(others), HistoryText(other.Game()));

        // Ten more games kept by yet another copy push out the games played
        // longest ago, but not the one a window still holds.
        other.Stop();
        QVERIFY(SetLastPlayed(first, QDateTime::currentDateTime().addDays(-100)));
        QStringList byAge;
        for (int i = 0; i < 10; ++i)
            byAge << KeepScratchGame(QStringLiteral("20240101-0000%1-000000%2.sav")
                                         .arg(i, 2, 10, QChar(u'0'))
                                         .arg(i, 2, 16, QChar(u'0')),
                                     200 + i, 1, QDateTime::currentDateTime().addSecs(-600 + i));
        TVxKeptGameFolder(Kept()).Prune();
        QCOMPARE(KeptFiles().size(), 10);
        QVERIFY(QFileInfo::exists(first));
        QVERIFY(!QFileInfo::exists(byAge[0]));
        QVERIFY(!QFileInfo::exists(byAge[1]));
        QVERIFY(QFileInfo::exists(others));
    }
};

QTEST_MAIN(TFrmRidoltKeptTest)
#include "FrmRidoltKeptTest.moc"
