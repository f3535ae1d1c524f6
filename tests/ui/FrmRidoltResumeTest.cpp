// The game kept for 前回の続き: written when the window closes and once play
// pauses, only after play, never over a slot and never with a box; offered
// at the end of the load menu with its month and cash, and loaded all or
// nothing like a slot.

#include "FormTestSupport.h"
#include "app/VxActns.h"
#include "game/VxGameSaveData.h"
#include "game/VxStream.h"
#include "ui/VxGameStatusBar.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QWindow>

#include <functional>
#include <memory>
#include <vector>

namespace {

using TCloseWay = std::function<void(TFormRidolt&)>;

QByteArray Bytes(const std::vector<uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

// A save file whose calendar and cash fields hold what the row says, and
// whose length is `size` (a whole file is 62,414 bytes).
QByteArray SaveFile(int32_t year, int32_t month, int32_t money, qsizetype size) {
    TVxWriteStream stream;
    stream.Write(TVxGameSaveData::Default().Bytes());
    for (const int32_t value : {month, money, year})
        stream.WriteInt32(value);
    QByteArray bytes = Bytes(stream.Bytes());
    bytes.resize(size, '\0');
    return bytes;
}

} // namespace

class TFrmRidoltResumeTest;
// What a row does to the game before the window closes.
using TResumeAct = std::function<void(TFrmRidoltResumeTest&)>;

Q_DECLARE_METATYPE(TCloseWay)
Q_DECLARE_METATYPE(TResumeAct)

class TFrmRidoltResumeTest : public QObject {
    Q_OBJECT
private:
    TVxSeededRandom FRandom{5};
    TFormFixture F;
    std::unique_ptr<TSaveFolder> FFolder;

    QString SaveFolder() const { return FFolder->Path(); }
    QString ResumePath() const { return SaveFolder() + QStringLiteral("resume.sav"); }

    QMenu& LoadMenu() const { return F.Find<QMenu>("MILoad"); }
    QAction& ResumeItem() const { return F.Action("MIDataLoadResume"); }
    QTimer& QuietTimer() const { return F.Find<QTimer>("ResumeQuietTimer"); }

    // The item as the player sees it when the load menu opens.
    QString ResumeCaption() const {
        emit LoadMenu().aboutToShow();
        return ResumeItem().text() +
               (ResumeItem().isEnabled() ? QString() : QStringLiteral(" (off)"));
    }

    void WriteResume(const QByteArray& bytes) const {
        QDir().mkpath(SaveFolder());
        QVERIFY(WriteFile(ResumePath(), bytes));
    }

    QByteArray ReadResume() const { return ReadFile(ResumePath()); }

    // Buys one lot of the company in the market list's first row.
    void BuyOneLot() const {
        F.Market().SelectAndFocus(0);
        TNextModal ok([](QDialog& dialog) { dialog.accept(); });
        F.Action("ActVLVMarketBuyStock").trigger();
        QVERIFY(ok.Answered);
    }

private slots:
    void init() {
        FFolder = std::make_unique<TSaveFolder>(QStringLiteral("/savedata/"));
        FRandom.Seed(5);
        QVERIFY(F.Start(&FRandom));
    }
    void cleanup() {
        F.Stop();
        FFolder.reset();
    }

    void TheItemShowsTheKeptGamesMonthAndCash_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("caption");
        const QString plain = QStringLiteral("前回の続き(&R)");
        const QString off = plain + QStringLiteral(" (off)");
        QTest::newRow("none") << QByteArray() << off;
        QTest::newRow("a whole file")
            << SaveFile(2, 4, 12000, 62414)
            << QStringLiteral("前回の続き(&R)  3年目5月 資金 1億2000万円");
        QTest::newRow("December, no cash")
            << SaveFile(0, 11, 0, 62414) << QStringLiteral("前回の続き(&R)  1年目12月 資金 0円");
        QTest::newRow("in debt") << SaveFile(0, 0, -20, 62414)
                                 << QStringLiteral("前回の続き(&R)  1年目1月 資金 -20万円");
        // Damage further on shows only when the file is loaded.
        QTest::newRow("cut inside the companies")
            << SaveFile(1, 0, 3000, 30000)
            << QStringLiteral("前回の続き(&R)  2年目1月 資金 3000万円");
        QTest::newRow("cut inside the fields") << SaveFile(1, 0, 3000, 390) << off;
        QTest::newRow("month 13") << SaveFile(0, 12, 3000, 62414) << off;
        QTest::newRow("negative year") << SaveFile(-1, 0, 3000, 62414) << off;
        QByteArray foreign = SaveFile(0, 0, 3000, 62414);
        foreign[0] = 'X';
        QTest::newRow("another program's file") << foreign << off;
    }
    void TheItemShowsTheKeptGamesMonthAndCash() {
        QFETCH(QByteArray, file);
        QFETCH(QString, caption);
        if (!file.isNull())
            WriteResume(file);
        QCOMPARE(ResumeCaption(), caption);
    }

    void AFolderInThePlaceOfTheFileIsNoGame() {
        QDir().mkpath(ResumePath());
        QCOMPARE(ResumeCaption(), QStringLiteral("前回の続き(&R) (off)"));
    }

    // The item follows the file: written while the menu is closed, it shows
    // when the menu next opens.
    void TheCaptionIsCurrentWhenTheMenuOpens() {
        QCOMPARE(ResumeCaption(), QStringLiteral("前回の続き(&R) (off)"));
        F.NextMonth();
        F.Form->close();
        QCOMPARE(ResumeCaption(), QStringLiteral("前回の続き(&R)  1年目2月 資金 2970万円"));
    }

    void LoadingTheKeptGameShowsIt() {
        for (int month = 0; month < 4; ++month)
            F.NextMonth();
        const std::vector<uint8_t> kept = SaveBytes(F.Game());
        F.Form->close();
        QCOMPARE(ReadResume(), Bytes(kept));

        // Shown again, over a new game played on.
        F.Form->show();
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Action("ActGameNew").trigger();
        F.NextMonth();
        F.ClickRow(F.Market(), 3);
        F.Game().GameEnd = true;

        emit LoadMenu().aboutToShow();
        ResumeItem().trigger();
        QVERIFY(SaveBytes(F.Game()) == kept);
        QVERIFY(!F.Game().GameEnd);
        QCOMPARE(F.Log(), QString());
        QCOMPARE(F.ChartTitle(), QStringLiteral("株価推移"));
        QCOMPARE(F.Panel(1), QStringLiteral("1年目5月"));
        QCOMPARE(F.Panel(2), QStringLiteral("資金 2880万円"));
    }

    void ADamagedKeptGameIsRefusedWithABoxAndChangesNothing() {
        WriteResume(SaveFile(1, 0, 3000, 30000));
        F.NextMonth();
        const std::vector<uint8_t> before = SaveBytes(F.Game());
        const QString log = F.Log();

        emit LoadMenu().aboutToShow();
        QVERIFY(ResumeItem().isEnabled());
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        ResumeItem().trigger();

        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t(1));
        const TVxMessageBoxRequest& box = TVxQtMessageBox::AnsweredRequests().front();
        QCOMPARE(box.Caption, QStringLiteral("エラー"));
        QCOMPARE(box.Text,
                 ResumePath() + QStringLiteral("\nファイルを開けませんでした。\n"
                                               "セーブデータが不正です: company count = 0"));
        QCOMPARE(box.Icon, TVxMsgIcon::Error);
        QVERIFY(SaveBytes(F.Game()) == before);
        QCOMPARE(F.Log(), log);
        QCOMPARE(F.Panel(1), QStringLiteral("1年目2月"));
    }

    // Gone since the menu opened: nothing happens, as with a slot.
    void AKeptGameRemovedMeanwhileLoadsNothing() {
        F.NextMonth();
        F.Form->close();
        emit LoadMenu().aboutToShow();
        QVERIFY(QFile::remove(ResumePath()));
        F.NextMonth();
        const std::vector<uint8_t> before = SaveBytes(F.Game());
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok); // should a box wrongly come
        ResumeItem().trigger();
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
            emit F.Find<QMenu>("MISave").aboutToShow();
            F.Action(QStringLiteral("MIDataSave%1").arg(slot).toLatin1().constData()).trigger();
        }
        QStringList slotNames;
        QList<QByteArray> slotBytes;
        for (const QString& name : QDir(SaveFolder()).entryList(QDir::Files)) {
            slotNames << name;
            QFile file(SaveFolder() + name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            slotBytes << file.readAll();
        }
        QCOMPARE(slotNames, (QStringList{"0savedata.sav", "0savedata.sav.history", "7savedata.sav",
                                         "7savedata.sav.history"}));
        F.NextMonth();
        const std::vector<uint8_t> played = SaveBytes(F.Game());
        QVERIFY(QuietTimer().isActive()); // not written yet

        close(*F.Form);
        QVERIFY(!F.Form->isVisible());
        QVERIFY(!QuietTimer().isActive());
        QCOMPARE(ReadResume().size(), 62414);
        QCOMPARE(ReadResume(), Bytes(played));
        // Only the kept game was added; nothing half-written was left.
        QCOMPARE(QDir(SaveFolder()).entryList(QDir::Files),
                 (QStringList{"0savedata.sav", "0savedata.sav.history", "7savedata.sav",
                              "7savedata.sav.history", "resume.sav", "resume.sav.history"}));
        for (int i = 0; i < slotNames.size(); ++i) {
            QFile file(SaveFolder() + slotNames[i]);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), slotBytes[i]);
        }
    }

    // A new game, a loaded slot or a refused month holds nothing worth
    // keeping: the game kept from the last session stays until the game
    // is played.
    void OnlyPlayReplacesTheKeptGame_data() {
        QTest::addColumn<TResumeAct>("act");
        QTest::addColumn<bool>("played");
        using TAct = TResumeAct;
        QTest::newRow("nothing") << TAct([](TFrmRidoltResumeTest&) {}) << false;
        QTest::newRow("a new game") << TAct([](TFrmRidoltResumeTest& test) {
            TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
            test.F.Action("ActGameNew").trigger();
        }) << false;
        QTest::newRow("a slot loaded") << TAct([](TFrmRidoltResumeTest& test) {
            test.F.Game().SaveToFile(
                QFile::encodeName(test.SaveFolder() + "2savedata.sav").toStdString());
            emit test.LoadMenu().aboutToShow();
            test.F.Action("MIDataLoad2").trigger();
        }) << false;
        QTest::newRow("a refused month") << TAct([](TFrmRidoltResumeTest& test) {
            test.F.Hold(*test.F.Game().MarketList.Items(0), 1000, 100);
            test.F.Game().Money = 10;
            TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok); // the turn's warning
            test.F.NextMonth();
            QCOMPARE(test.F.Game().Month, 0);
        }) << false;
        // What was played is given up with the game it was played in.
        QTest::newRow("a month, then a new game") << TAct([](TFrmRidoltResumeTest& test) {
            test.F.NextMonth();
            TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
            test.F.Action("ActGameNew").trigger();
        }) << false;
        QTest::newRow("a month, then a slot loaded") << TAct([](TFrmRidoltResumeTest& test) {
            test.F.Game().SaveToFile(
                QFile::encodeName(test.SaveFolder() + "2savedata.sav").toStdString());
            test.F.NextMonth();
            emit test.LoadMenu().aboutToShow();
            test.F.Action("MIDataLoad2").trigger();
        }) << false;
        QTest::newRow("a month") << TAct([](TFrmRidoltResumeTest& test) { test.F.NextMonth(); })
                                 << true;
        QTest::newRow("a trade") << TAct([](TFrmRidoltResumeTest& test) { test.BuyOneLot(); })
                                 << true;
    }
    void OnlyPlayReplacesTheKeptGame() {
        QFETCH(TResumeAct, act);
        QFETCH(bool, played);
        const QByteArray lastSession = SaveFile(4, 7, 54321, 62414);
        WriteResume(lastSession);
        act(*this);
        QCOMPARE(QuietTimer().isActive(), played);
        const std::vector<uint8_t> now = SaveBytes(F.Game());
        F.Form->close();
        QCOMPARE(ReadResume(), played ? Bytes(now) : lastSession);
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
        QVERIFY(!QFile::exists(ResumePath()));

        const std::vector<uint8_t> played = SaveBytes(F.Game());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ResumePath()), 5000);
        QCOMPARE(ReadResume(), Bytes(played));
        QCOMPARE(F.Panel(1), QStringLiteral("1年目3月"));
    }

    // Kept already: a close with nothing played since writes nothing.
    void AKeptGameIsNotWrittenAgain() {
        QuietTimer().setInterval(1);
        F.NextMonth();
        QTRY_VERIFY(QFile::exists(ResumePath()));
        QVERIFY(QFile::remove(ResumePath()));
        F.Form->close();
        QVERIFY(!QFile::exists(ResumePath()));
    }

    // No box ever comes from keeping the game; the close goes on.
    void AFailedWriteIsToldWithoutHoldingAnythingUp() {
        QDir().mkpath(FFolder->Root());
        QFile blocker(SaveFolder().chopped(1)); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QRegularExpression told(
            QRegularExpression::escape(ResumePath()) +
            QStringLiteral(": ファイルを作成できませんでした。 \\(.+\\)"));

        // During play: on stderr each time, in the status bar once.
        QuietTimer().setInterval(1);
        QTest::ignoreMessage(QtWarningMsg, told);
        F.NextMonth();
        QTRY_VERIFY(!QuietTimer().isActive());
        QVERIFY(F.Panel(0).startsWith(ResumePath() + QStringLiteral(": ファイルを作成")));
        F.Find<TVxGameStatusBar>("StatusBar1").ShowHint(QString());
        QTest::ignoreMessage(QtWarningMsg, told);
        F.NextMonth();
        QTRY_VERIFY(!QuietTimer().isActive());
        QCOMPARE(F.Panel(0), QString());

        // On closing: on stderr, and the window closes all the same.
        QTest::ignoreMessage(QtWarningMsg, told);
        F.Form->close();
        QVERIFY(!F.Form->isVisible());
        QVERIFY(TVxQtMessageBox::AnsweredRequests().empty());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TFrmRidoltResumeTest)
#include "FrmRidoltResumeTest.moc"
