// The save slots and the ways a save file reaches the main window: the load
// and save menus with their captions, the overwrite question, the error
// boxes, a path handed over (also one held until the first activation has
// started the new game), and files dropped on the window.

#include "FormTestSupport.h"
#include "app/VxCopyDataReceiver.h"
#include "game/VxStream.h"
#include "tests/support/Unprivileged.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QShowEvent>
#include <QSignalSpy>
#include <QTabWidget>
#include <QUrl>

#include <algorithm>
#include <vector>

#include <sys/stat.h>

// What a test puts where slot 0's file or its history goes.
enum class TSlotThing {
    FileForFolder,
    Folder,
    Text,
    LinkToText,
    Record,
    Fifo,
    Device,
    HistoryLinkToText
};
Q_DECLARE_METATYPE(TSlotThing)

class TFrmRidoltFilesTest : public QObject {
    Q_OBJECT
private:
    TVxSeededRandom FRandom{3};
    TFormFixture F;
    QWidget FTestWindow; // another window to switch to and back
    std::unique_ptr<TSaveFolder> FFolder;

    QString SaveFolder() const { return FFolder->Path(); }
    QString Slot(int slot) const {
        return SaveFolder() + QStringLiteral("%1savedata.sav").arg(slot);
    }

    QMenu& Menu(const char* name) const { return F.Find<QMenu>(name); }

    // What the player sees when the menu opens.
    QStringList Captions(const char* menu) const {
        emit Menu(menu).aboutToShow();
        QStringList captions;
        for (const QAction* item : Menu(menu).actions())
            captions << item->text() + (item->isEnabled() ? QString() : QStringLiteral(" (off)"));
        return captions;
    }

    void Choose(const char* menu, int slot) const {
        emit Menu(menu).aboutToShow();
        Menu(menu).actions().at(slot)->trigger();
    }

    bool Drop(QMimeData& data) const { return DropOn(*F.Form, data); }

private slots:
    void init() {
        // Two levels that do not exist yet: the first save makes both.
        FFolder = std::make_unique<TSaveFolder>(QStringLiteral("/games/savedata/"));
        FRandom.Seed(3);
        QVERIFY(F.Start(&FRandom));
    }
    void cleanup() {
        F.Stop();
        FFolder.reset();
    }

    void SlotCaptionsFollowTheFilesInTheSaveFolder() {
        QStringList empty;
        for (int slot = 0; slot < 10; ++slot)
            empty << QStringLiteral("<%1empty>").arg(slot);
        QStringList emptyOff;
        for (const QString& caption : empty)
            emptyOff << caption + QStringLiteral(" (off)");
        // Below the slots, behind a separator: the games kept from earlier
        // sessions, none yet.
        emptyOff << QString() << QStringLiteral("前回の続き(&R) (off)")
                 << QStringLiteral("保存していないゲーム(&K) (off)");
        QCOMPARE(Captions("MILoad"), emptyOff);
        QCOMPARE(Captions("MISave"), empty);

        // The first save makes the folder and writes the file without asking.
        Choose("MISave", 4);
        QVERIFY(TVxQtMessageBox::AnsweredRequests().empty());
        QCOMPARE(QFileInfo(Slot(4)).size(), qint64(62414));
        QStringList afterSave = emptyOff;
        afterSave[4] = QStringLiteral("4savedata.sav");
        QCOMPARE(Captions("MILoad"), afterSave);
        QCOMPARE(Captions("MISave")[4], QStringLiteral("4savedata.sav"));
    }

    void SavingOverASlotAsksFirst_data() {
        QTest::addColumn<TVxMsgResult>("answer");
        QTest::newRow("OK overwrites") << TVxMsgResult::Ok;
        QTest::newRow("Cancel keeps the file") << TVxMsgResult::Cancel;
    }
    void SavingOverASlotAsksFirst() {
        QFETCH(TVxMsgResult, answer);
        Choose("MISave", 4);
        const QByteArray before = ReadFile(Slot(4));
        F.NextMonth();

        TVxQtMessageBox::SetNextAnswer(answer);
        Choose("MISave", 4);
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t(1));
        const TVxMessageBoxRequest& question = TVxQtMessageBox::AnsweredRequests().front();
        QCOMPARE(question.Caption, QStringLiteral("確認"));
        QCOMPARE(question.Text, QStringLiteral("ファイルを上書きしてよろしいですか？"));
        QCOMPARE(question.Icon, TVxMsgIcon::Question);
        QCOMPARE(question.Buttons, TVxMsgButtons::OkCancel);
        QCOMPARE(question.DefaultButton, TVxMsgResult::Cancel);

        QCOMPARE(ReadFile(Slot(4)) == before, answer == TVxMsgResult::Cancel);
        QCOMPARE(ReadFile(Slot(4)).size(), 62414);
    }

    void LoadingASlotShowsTheSavedGame() {
        for (int month = 0; month < 3; ++month)
            F.NextMonth();
        const std::vector<uint8_t> saved = SaveBytes(F.Game());
        Choose("MISave", 2);

        F.NextMonth();
        F.ClickRow(F.Market(), 5);
        QVERIFY(F.ChartTitle() != QStringLiteral("株価推移"));
        F.Game().GameEnd = true;

        Choose("MILoad", 2);
        QVERIFY(SaveBytes(F.Game()) == saved);
        QVERIFY(!F.Game().GameEnd);
        QCOMPARE(F.Log(), QString());
        QCOMPARE(F.ChartTitle(), QStringLiteral("株価推移"));
        QCOMPARE(F.Panel(1), QStringLiteral("1年目4月"));
        QCOMPARE(F.Panel(2), QStringLiteral("資金 2910万円"));
    }

    // A file keeps the order its lists had when it was saved; loaded, both
    // lists show the order their headers' marks say.
    void ALoadedGameIsListedInTheOrderTheMarksShow() {
        for (const int index : {10, 20, 30, 40})
            F.Hold(*F.Game().MarketList.Items(index), 1000, 110);
        Choose("MISave", 5); // both lists in ID order

        F.ClickHeader(F.Market(), ccStockPrice);
        F.Find<QTabWidget>("PageControl1").setCurrentIndex(1);
        F.ClickHeader(F.Owner(), ccStockPrice);
        F.ClickHeader(F.Owner(), ccStockPrice);
        Choose("MILoad", 5);

        QCOMPARE(F.Captions(F.Market())[ccStockPrice], QStringLiteral("▲株価"));
        QCOMPARE(F.Captions(F.Owner())[ccStockPrice], QStringLiteral("▼株価"));
        const auto prices = [](const TVxCompanyList& list) {
            QList<int> values;
            for (int i = 0; i < list.Count(); ++i)
                values << list.Items(i)->StockPrice();
            return values;
        };
        const QList<int> market = prices(F.Game().MarketList);
        QVERIFY(std::is_sorted(market.begin(), market.end()));
        QList<int> held = prices(F.Game().OwnerList);
        QCOMPARE(held.size(), 4);
        QVERIFY(std::is_sorted(held.rbegin(), held.rend()));
        QCOMPARE(F.Market().ItemText(0, ccStockPrice),
                 CompanyColumnText(*F.Game().MarketList.Items(0), ccStockPrice));
    }

    // The box keeps the game's own two lines and says why below them.
    void AFileThatIsNoSaveIsRefusedWithABoxThatSaysWhy_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        TVxGame game; // the window's game is made by init, after this
        game.NewGame();
        const std::vector<uint8_t> save = SaveBytes(game);
        const QByteArray whole(reinterpret_cast<const char*>(save.data()),
                               static_cast<qsizetype>(save.size()));
        QTest::newRow("text") << QByteArray(62414, 'x')
                              << QStringLiteral(
                                     "セーブファイルではありません: テキストファイルです。");
        QTest::newRow("record")
            << QByteArray("{\"ridolt_sim_record\":2,\"seed\":1}\n")
            << QStringLiteral("セーブファイルではありません: ridolt-sim の記録ファイルです。");
        QTest::newRow("another program's file")
            << QByteArray("\x89PNG\r\n\x1A\n", 8) + QByteArray(1000, '\0')
            << QStringLiteral("リドルトのセーブファイルではありません "
                              "(ほかのプログラムのファイルか、ほかの版のセーブファイルです)。");
        QTest::newRow("cut short")
            << whole.left(1000) << QStringLiteral("ファイルが途中で切れています。");
        QByteArray noCompanies = whole;
        noCompanies.replace(410, 4, QByteArray(4, '\0'));
        QTest::newRow("values no game reaches")
            << noCompanies << QStringLiteral("セーブデータが不正です: company count = 0");
    }
    void AFileThatIsNoSaveIsRefusedWithABoxThatSaysWhy() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString path = FFolder->Root() + QStringLiteral("/notes.sav");
        WriteFile(path, bytes);
        const std::vector<uint8_t> before = SaveBytes(F.Game());
        const QString log = F.Log();

        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Form->CopyDataReceived(1, path);

        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t(1));
        const TVxMessageBoxRequest& box = TVxQtMessageBox::AnsweredRequests().front();
        QCOMPARE(box.Caption, QStringLiteral("エラー"));
        QCOMPARE(box.Text, path + QStringLiteral("\nファイルを開けませんでした。\n") + reason);
        QCOMPARE(box.Icon, TVxMsgIcon::Error);
        QCOMPARE(box.Buttons, TVxMsgButtons::Ok);
        QVERIFY(SaveBytes(F.Game()) == before);
        QCOMPARE(F.Log(), log);
        // The hourglass went with the failed load.
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    // What stands where a slot's file or its history goes.  A slot that
    // holds a save is overwritten after the question; anything else is
    // refused without one, untouched, and the box says what it is.
    void AFailedSaveShowsItsBoxWithTheReason_data() {
        QTest::addColumn<TSlotThing>("thing");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("reason"); // %1: the slot's path
        QTest::newRow("a file where the save folder should be")
            << TSlotThing::FileForFolder << false
            << QStringLiteral("パスの途中にフォルダでないものがあります。(Not a directory)");
        QTest::newRow("a folder") << TSlotThing::Folder << false
                                  << QStringLiteral("フォルダです。");
        QTest::newRow("a text file")
            << TSlotThing::Text << false << QStringLiteral("テキストファイルです。");
        QTest::newRow("a link to a text file")
            << TSlotThing::LinkToText << false << QStringLiteral("テキストファイルです。");
        QTest::newRow("a record") << TSlotThing::Record << false
                                  << QStringLiteral("ridolt-sim の記録ファイルです。");
        QTest::newRow("a FIFO") << TSlotThing::Fifo << false
                                << QStringLiteral("名前付きパイプ (FIFO) です。");
        QTest::newRow("a device") << TSlotThing::Device << false
                                  << QStringLiteral("キャラクタデバイスです。");
        QTest::newRow("a save whose history links to a text file")
            << TSlotThing::HistoryLinkToText << true
            << QStringLiteral("%1.history: テキストファイルです。");
    }
    void AFailedSaveShowsItsBoxWithTheReason() {
        QFETCH(TSlotThing, thing);
        QFETCH(bool, asked);
        QFETCH(QString, reason);
        const QString slot = Slot(0);
        const QString notes = FFolder->Root() + QStringLiteral("/notes.txt");
        WriteFile(notes, "my notes\n");
        QDir().mkpath(thing == TSlotThing::FileForFolder
                          ? FFolder->Root() + QStringLiteral("/games")
                          : SaveFolder());
        switch (thing) {
        case TSlotThing::FileForFolder:
            WriteFile(SaveFolder().chopped(1), "in the way");
            break;
        case TSlotThing::Folder:
            QDir().mkpath(slot);
            break;
        case TSlotThing::Text:
            WriteFile(slot, "my notes\n");
            break;
        case TSlotThing::LinkToText:
            QFile::link(notes, slot);
            break;
        case TSlotThing::Record:
            WriteFile(slot, "{\"ridolt_sim_record\":2,\"seed\":1}\n");
            break;
        case TSlotThing::Fifo:
            QVERIFY(::mkfifo(QFile::encodeName(slot).constData(), 0644) == 0);
            break;
        case TSlotThing::Device:
            QFile::link(QStringLiteral("/dev/null"), slot);
            break;
        case TSlotThing::HistoryLinkToText:
            Choose("MISave", 0);
            QFile::remove(slot + QStringLiteral(".history"));
            QFile::link(notes, slot + QStringLiteral(".history"));
            break;
        }
        const QByteArray slotBytes = QFileInfo(slot).isFile() ? ReadFile(slot) : QByteArray();
        const QStringList names =
            QDir(SaveFolder())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        F.NextMonth();

        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        Choose("MISave", 0);
        const auto& boxes = TVxQtMessageBox::AnsweredRequests();
        QCOMPARE(boxes.size(), size_t(asked ? 2 : 1));
        if (asked)
            QCOMPARE(boxes.front().Text, QStringLiteral("ファイルを上書きしてよろしいですか？"));
        const TVxMessageBoxRequest& box = boxes.back();
        QCOMPARE(box.Caption, QStringLiteral("エラー"));
        QCOMPARE(box.Text, slot + QStringLiteral("\nファイルを作成できませんでした。\n") +
                               (reason.contains(u'%') ? reason.arg(slot) : reason));
        QCOMPARE(box.Icon, TVxMsgIcon::Error);
        QCOMPARE(box.Buttons, TVxMsgButtons::Ok);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        // Nothing was written or left behind.
        QCOMPARE(ReadFile(notes), QByteArray("my notes\n"));
        QCOMPARE(QFileInfo(slot).isFile() ? ReadFile(slot) : QByteArray(), slotBytes);
        QCOMPARE(
            QDir(SaveFolder())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
            names);
    }

    // A save folder the player may not write (savedata beside an installed
    // game): its slots load, and a save says why it fails and where the
    // player could save.  As root, the test plays as nobody.
    void AReadOnlySaveFolderIsReadAndSaysWhereToSave() {
        for (const int slot : {1, 2})
            Choose("MISave", slot);
        const std::vector<uint8_t> saved = SaveBytes(F.Game());
        const auto searchable = QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner |
                                QFile::ReadOther | QFile::ExeOther;
        for (const QString& folder : {FFolder->Root(), FFolder->Root() + QStringLiteral("/games")})
            QVERIFY(QFile::setPermissions(folder, searchable));
        QVERIFY(QFile::setPermissions(SaveFolder(), searchable & ~QFile::WriteOwner));
        F.NextMonth();

        const TUnprivileged player;
        QVERIFY(player.Bound());
        QCOMPARE(Captions("MILoad").mid(1, 2), (QStringList{"1savedata.sav", "2savedata.sav"}));
        Choose("MILoad", 1);
        QVERIFY(SaveBytes(F.Game()) == saved);

        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        Choose("MISave", 2);
        const auto& boxes = TVxQtMessageBox::AnsweredRequests();
        QCOMPARE(boxes.size(), size_t(2)); // the question, then the failure
        QCOMPARE(boxes.back().Text,
                 Slot(2) + QStringLiteral("\nファイルを作成できませんでした。\nフォルダ ") +
                     SaveFolder().chopped(1) +
                     QStringLiteral(" に書き込めません: アクセスが許可されていません。"
                                    "(Permission denied) 書き込めるフォルダは ") +
                     UserSaveDataFolder() + QStringLiteral(" です。"));
        QVERIFY(ReadFile(Slot(2)) == QByteArray(reinterpret_cast<const char*>(saved.data()),
                                                static_cast<qsizetype>(saved.size())));
    }

    // A path that names no file opens nothing and asks nothing; the
    // status bar says why.
    void APathThatNamesNoFileIsToldInTheStatusBar_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason"); // empty: nothing is said
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("folder") << QDir::tempPath() << QStringLiteral("フォルダです。");
        QTest::newRow("missing") << QStringLiteral("/no/such/0savedata.sav")
                                 << QStringLiteral("ファイルまたはフォルダがありません。"
                                                   "(No such file or directory)");
        // Reading a device or a pipe could block the window or never end.
        QTest::newRow("device") << QStringLiteral("/dev/null")
                                << QStringLiteral("キャラクタデバイスです。");
        QTest::newRow("fifo") << QStringLiteral("FIFO")
                              << QStringLiteral("名前付きパイプ (FIFO) です。");
    }
    void APathThatNamesNoFileIsToldInTheStatusBar() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        if (path == QStringLiteral("FIFO")) {
            path = FFolder->Root() + QStringLiteral("/fifo.sav");
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        }
        const std::vector<uint8_t> before = SaveBytes(F.Game());
        // Answers a box, should one wrongly come, instead of waiting for it.
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Form->CopyDataReceived(1, path);
        QVERIFY(TVxQtMessageBox::AnsweredRequests().empty());
        QVERIFY(SaveBytes(F.Game()) == before);
        QCOMPARE(F.Panel(0),
                 reason.isEmpty()
                     ? QString()
                     : path + QStringLiteral(": ファイルを開けませんでした。") + reason);
    }

    void AHandOffOfAnotherKindIsIgnored() {
        Choose("MISave", 1);
        F.NextMonth();
        const std::vector<uint8_t> before = SaveBytes(F.Game());
        F.Form->CopyDataReceived(0, Slot(1));
        QVERIFY(SaveBytes(F.Game()) == before);
        F.Form->CopyDataReceived(1, Slot(1));
        QCOMPARE(F.Game().Month, 0);
    }

    void ADropOpensOnlyTheFirstFile() {
        Choose("MISave", 1);
        F.NextMonth();
        F.NextMonth();
        Choose("MISave", 2);
        const std::vector<uint8_t> first = [&] {
            Choose("MILoad", 1);
            return SaveBytes(F.Game());
        }();
        Choose("MILoad", 2);

        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(Slot(1)), QUrl::fromLocalFile(Slot(2)),
                       QUrl::fromLocalFile(Slot(2))});
        QVERIFY(Drop(files));
        QVERIFY(SaveBytes(F.Game()) == first);
        QCOMPARE(F.Game().Month, 0);
    }

    void DropsThatNameNoSaveFileOpenNothing() {
        Choose("MISave", 1);
        F.NextMonth();
        const std::vector<uint8_t> before = SaveBytes(F.Game());

        QMimeData text;
        text.setText(Slot(1));
        QVERIFY(!Drop(text));

        // A folder comes as a file list; it is taken, and then ignored.
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        QMimeData folder;
        folder.setUrls({QUrl::fromLocalFile(SaveFolder()), QUrl::fromLocalFile(Slot(1))});
        QVERIFY(Drop(folder));
        QVERIFY(TVxQtMessageBox::AnsweredRequests().empty());
        QVERIFY(SaveBytes(F.Game()) == before);
    }

    // A path given on the command line, or handed over by a second start
    // before the window is up, waits for the first activation: opened
    // before it, the path's game would be replaced by the new game.
    void APathHeldForTheFirstActivationOpensAfterTheNewGame_data() {
        QTest::addColumn<bool>("activated");
        QTest::newRow("activated") << true;
        QTest::newRow("shown without being activated") << false;
    }
    void APathHeldForTheFirstActivationOpensAfterTheNewGame() {
        QFETCH(bool, activated);
        F.NextMonth();
        F.NextMonth();
        Choose("MISave", 3);
        const std::vector<uint8_t> saved = SaveBytes(F.Game());
        F.NextMonth();
        F.Form.reset();

        // Wired as the program's entry wires it.
        TVxCopyDataReceiver receiver;
        F.Form = std::make_unique<TFormRidolt>(F.Game());
        connect(&receiver, &TVxCopyDataReceiver::copyDataReceived, F.Form.get(),
                &TFormRidolt::CopyDataReceived);
        connect(F.Form.get(), &TFormRidolt::FirstActivated, &receiver,
                &TVxCopyDataReceiver::Release, Qt::QueuedConnection);
        QSignalSpy firstActivated(F.Form.get(), &TFormRidolt::FirstActivated);
        receiver.Accept(CopyDataOpenPath, Slot(3));
        QTest::qWait(20);
        QVERIFY(receiver.Holding());

        if (activated) {
            F.Form->show();
            QVERIFY(QTest::qWaitForWindowActive(F.Form.get()));
        } else {
            // What the window sees when the desktop shows it but never makes
            // it active.
            QShowEvent shown;
            QCoreApplication::sendEvent(F.Form.get(), &shown);
        }
        QTRY_VERIFY(!receiver.Holding());
        QTRY_VERIFY(SaveBytes(F.Game()) == saved);
        QCOMPARE(F.Market().ItemCount(), 1000);
        QCOMPARE(F.Log(), QString());
        QCOMPARE(F.Panel(1), QStringLiteral("1年目3月"));

        // Switching away and back starts no game over the loaded one.
        FTestWindow.show();
        FTestWindow.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &FTestWindow);
        F.Form->show();
        F.Form->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), F.Form.get());
        FTestWindow.hide();
        QCOMPARE(firstActivated.size(), 1);
        QVERIFY(SaveBytes(F.Game()) == saved);
    }
};

QTEST_MAIN(TFrmRidoltFilesTest)
#include "FrmRidoltFilesTest.moc"
