// What the main window tells a screen reader of what the game did away
// from the keyboard focus (its announcer): the month and the cash after a
// month played and after a load or a new game, nothing for a refused month
// or the first game, what a trade bought or sold with the cash it left, and
// how a game that has just ended ended; 自動進行 when it starts, and where
// it stopped.

#include "FormTestSupport.h"

#include "components/VxAnnouncer.h"
#include "game/VxConsts.h"
#include "game/VxTrade.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QMenu>
#include <QSignalSpy>

#include <memory>

class TFrmRidoltNewsTest : public QObject {
    Q_OBJECT

    TDownByTwoRandom FRandom;
    TFormFixture F;
    std::unique_ptr<TSaveFolder> FFolder;

    TVxAnnouncer& Announcer() const { return F.Find<TVxAnnouncer>("Announcer"); }

    // The line said once nothing waits any more.
    QString Said() const {
        if (!QTest::qWaitFor([this] { return Announcer().Waiting().isEmpty(); }))
            return QStringLiteral("(still waiting: %1)").arg(Announcer().Waiting());
        return Announcer().Line();
    }

    void Trade(const char* action, TVxListView& list, int row) const {
        list.SelectAndFocus(row);
        TNextModal trade([](QDialog& dialog) { dialog.accept(); });
        F.Action(action).trigger();
        QVERIFY(trade.Answered);
    }

private slots:
    void init() {
        FFolder = std::make_unique<TSaveFolder>(QStringLiteral("/savedata/"));
        QVERIFY(F.Start(&FRandom));
    }
    void cleanup() {
        F.Stop();
        FFolder.reset();
    }

    void AMonthSaysItsCalendarAndCashAndOnlyTheLatestOfQuickOnes() {
        // The first game comes with the window: nothing is said over it.
        QCOMPARE(Said(), QString());
        QSignalSpy said(&Announcer(), &TVxAnnouncer::Announced);
        F.NextMonth();
        QCOMPARE(Said(), QStringLiteral("1年目2月 資金 2970万円"));
        for (int month = 0; month < 3; ++month)
            F.NextMonth();
        QCOMPARE(Said(), QStringLiteral("1年目5月 資金 2880万円"));
        QCOMPARE(said.count(), 2);
    }

    void ARefusedMonthSaysNothing() {
        F.Hold(*F.Game().MarketList.Items(3), 1000, 100);
        F.Game().Money = 10;
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.NextMonth();
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().back().Caption, QStringLiteral("警告"));
        QCOMPARE(Said(), QString());
    }

    void AMonthThatLosesSaysHowTheGameEnded() {
        F.Game().Money = 10; // the living cost takes it below 0
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.NextMonth();
        QVERIFY(F.Game().GameEnd);
        QCOMPARE(Said(), QStringLiteral("1年目2月 資金 -20万円。1年目2月に破産"));
    }

    void ATradeSaysWhatItDidAndTheCashLeft() {
        const TVxCompany& bought = *F.Game().MarketList.Items(0);
        const int32_t cost = static_cast<int32_t>(TradeBuyCost(1, bought.StockPrice()));
        Trade("ActVLVMarketBuyStock", F.Market(), 0);
        QCOMPARE(Said(), QStringLiteral("ID:%1を1,000株 %2で買いました。資金 %3")
                             .arg(QString::asprintf("%.3d", int{bought.ID}), MoneyText(cost),
                                  MoneyText(StartMoney - cost)));
    }

    void AWinningSaleSaysHowTheGameEnded() {
        TVxCompany& company = *F.Game().MarketList.Items(0);
        company.SetStockPrice(1000);
        F.Game().Money = GoalMoney - 50;
        F.Hold(company, 2000, 220);
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok); // the game's own box
        Trade("ActVLVOwnerSellStockAll", F.Owner(), 0);
        QVERIFY(F.Game().GameEnd);
        QCOMPARE(Said(), QStringLiteral("ID:%1を2,000株 180万円で売りました。資金 3000億130万円。"
                                        "3000億円まで 0か月")
                             .arg(QString::asprintf("%.3d", int{company.ID})));
    }

    void AutoPlaySaysItStartedAndWhereItStopped() {
        // Once the window has settled, the start is said at once.
        QTest::qWait(TVxAnnouncer::Settle.count());
        F.Action("ActAutoPlaySpeed1").trigger();
        F.Action("ActAutoPlay").trigger();
        QCOMPARE(Announcer().Line(), QStringLiteral("自動進行中 1 か月/秒 (Escで停止)"));
        QTRY_VERIFY(F.Game().Month >= 1);
        F.Action("ActAutoPlay").trigger();
        const TVxGame& game = F.Game();
        QCOMPARE(Said(), QStringLiteral("自動進行を止めました。%1年目%2月 資金 %3")
                             .arg(game.Year + 1)
                             .arg(game.Month + 1)
                             .arg(MoneyText(game.Money)));
    }

    void ALoadAndANewGameSayTheirCalendarAndCash() {
        auto& save = F.Find<QMenu>("MISave");
        emit save.aboutToShow();
        save.actions().at(1)->trigger();
        F.NextMonth();
        F.NextMonth();
        auto& load = F.Find<QMenu>("MILoad");
        emit load.aboutToShow();
        load.actions().at(1)->trigger();
        QCOMPARE(F.Game().Month, 0);
        QCOMPARE(Said(), QStringLiteral("1年目1月 資金 3000万円"));

        F.Game().Money = 1234;
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Action("ActGameNew").trigger();
        QCOMPARE(Said(), QStringLiteral("1年目1月 資金 3000万円"));
    }
};

QTEST_MAIN(TFrmRidoltNewsTest)
#include "FrmRidoltNewsTest.moc"
