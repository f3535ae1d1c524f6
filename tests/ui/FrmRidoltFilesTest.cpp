// The save slots and the ways a save file reaches the main window: the load
// and save menus with their captions, the overwrite question, the error
// boxes, a path handed over (also one held until the first activation has
// started the new game), and files dropped on the window.

#include "FormTestSupport.h"
#include "app/VxCopyDataReceiver.h"
#include "game/VxStream.h"
#include "ui/VxCompanyColumnText.h"

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

    void AForeignFileIsRefusedWithABoxAndChangesNothing() {
        const QString path = FFolder->Root() + QStringLiteral("/notes.sav");
        WriteFile(path, QByteArray(62414, 'x'));
        const std::vector<uint8_t> before = SaveBytes(F.Game());
        const QString log = F.Log();

        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Form->CopyDataReceived(1, path);

        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t(1));
        const TVxMessageBoxRequest& box = TVxQtMessageBox::AnsweredRequests().front();
        QCOMPARE(box.Caption, QStringLiteral("エラー"));
        QCOMPARE(box.Text, path + QStringLiteral("\nファイルを開けませんでした。"));
        QCOMPARE(box.Icon, TVxMsgIcon::Error);
        QCOMPARE(box.Buttons, TVxMsgButtons::Ok);
        QVERIFY(SaveBytes(F.Game()) == before);
        QCOMPARE(F.Log(), log);
        // The hourglass went with the failed load.
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void AFailedSaveShowsItsBox_data() {
        QTest::addColumn<bool>("folderBlocked");
        QTest::newRow("a file where the save folder should be") << true;
        QTest::newRow("a folder where the slot file should be") << false;
    }
    void AFailedSaveShowsItsBox() {
        QFETCH(bool, folderBlocked);
        QDir().mkpath(FFolder->Root() + QStringLiteral("/games"));
        if (folderBlocked)
            WriteFile(SaveFolder().chopped(1), "in the way");
        else
            QDir().mkpath(Slot(0));

        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        Choose("MISave", 0);
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t(1));
        const TVxMessageBoxRequest& box = TVxQtMessageBox::AnsweredRequests().front();
        QCOMPARE(box.Caption, QStringLiteral("エラー"));
        QCOMPARE(box.Text, Slot(0) + QStringLiteral("\nファイルを作成できませんでした。"));
        QCOMPARE(box.Icon, TVxMsgIcon::Error);
        QCOMPARE(box.Buttons, TVxMsgButtons::Ok);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        // Nothing half-written is left behind, and the slot still reads empty.
        if (!folderBlocked)
            QCOMPARE(QDir(SaveFolder()).entryList(QDir::Files), QStringList());
        QCOMPARE(Captions("MILoad")[0], QStringLiteral("<0empty> (off)"));
    }

    void PathsThatNameNoFileAreIgnoredSilently_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty") << QString();
        QTest::newRow("folder") << QDir::tempPath();
        QTest::newRow("missing") << QStringLiteral("/no/such/0savedata.sav");
        // Reading a device or a pipe could block the window or never end.
        QTest::newRow("device") << QStringLiteral("/dev/null");
    }
    void PathsThatNameNoFileAreIgnoredSilently() {
        QFETCH(QString, path);
        const std::vector<uint8_t> before = SaveBytes(F.Game());
        // Answers a box, should one wrongly come, instead of waiting for it.
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Form->CopyDataReceived(1, path);
        QVERIFY(TVxQtMessageBox::AnsweredRequests().empty());
        QVERIFY(SaveBytes(F.Game()) == before);
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
