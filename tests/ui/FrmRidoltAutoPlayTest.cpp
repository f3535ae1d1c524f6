// 自動進行 in the main window: the items in the ゲーム menu, each tick of
// the month timer one month step, the status bar while it runs, and every
// way it stops: by the player (its item again, Esc), and by itself where
// the player is needed (a refused month, the game over, a holding gone
// bankrupt, a trade dialog, a menu, an error box, a game replaced).

#include "FormTestSupport.h"

#include "components/VxTimer.h"

#include <QMenu>
#include <QTabWidget>

#include <functional>

namespace {

// How a case sets the game up before 自動進行 starts, and what it does
// while it runs (nothing: it stops by itself).
struct TStopCase {
    std::function<void(TFormFixture&)> Arrange;
    std::function<void(TFormFixture&)> Act;
    int32_t Months; // months played when it has stopped; -1: any, at least 3
};

} // namespace

Q_DECLARE_METATYPE(TStopCase)

class TFrmRidoltAutoPlayTest : public QObject {
    Q_OBJECT

    TVxSeededRandom FRandom{5};
    TDownByTwoRandom FDown;
    TFormFixture F;

    QAction& Toggle() const { return F.Action("ActAutoPlay"); }
    TVxTimer& Timer() const { return F.Find<TVxTimer>("VxTimerNextMonth"); }
    QLabel& Status() const { return F.Find<QLabel>("LblAutoPlay"); }
    int32_t MonthsPlayed() const { return F.Game().Year * 12 + F.Game().Month; }

    void StartFastest() const {
        F.Action("ActAutoPlaySpeedFastest").trigger();
        F.Form->ActionList1Update();
        Toggle().trigger();
    }

private slots:
    void init() {
        FRandom.Seed(5);
        QVERIFY(F.Start(&FRandom));
    }
    void cleanup() { F.Stop(); }

    void ItsItemsFollowTheSeedItemInTheGameMenu() {
        QStringList items;
        for (QAction* action : F.Find<QMenu>("MIGame").actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(items.mid(0, 4), (QStringList{"ニューゲーム(&N)", "シード指定ニューゲーム(&S)...",
                                               "自動進行(&A)", "自動進行の速さ(&P)"}));
        QCOMPARE(items.mid(items.size() - 2), (QStringList{"-", "終了(&X)"}));
        QVERIFY(Toggle().isCheckable());
        QCOMPARE(Toggle().shortcut(), QKeySequence(Qt::Key_F5));
        QStringList speeds;
        for (QAction* action : F.Find<QMenu>("MIAutoPlaySpeed").actions())
            speeds << action->text() + (action->isChecked() ? QStringLiteral(" *") : QString());
        QCOMPARE(speeds,
                 (QStringList{"1 か月/秒(&1)", "3 か月/秒(&3) *", "10 か月/秒(&0)", "最速(&F)"}));
    }

    // Every tick is one month step; the status bar says it runs, at what
    // speed; the speeds are the timer's.
    void MonthsPassUntilStopped() {
        F.Game().Money = 1000000;
        F.Action("ActAutoPlaySpeed10").trigger();
        Toggle().trigger();
        QVERIFY(Toggle().isChecked());
        QVERIFY(Timer().Enabled());
        QCOMPARE(Timer().Interval(), 100);
        QCOMPARE(Status().text(), QStringLiteral("自動進行中 10 か月/秒 (Escで停止)"));
        QVERIFY(Status().isVisible());
        F.Action("ActAutoPlaySpeedFastest").trigger();
        QVERIFY(Timer().FireWhenIdle());
        QCOMPARE(Status().text(), QStringLiteral("自動進行中 最速 (Escで停止)"));
        QTRY_VERIFY(MonthsPlayed() >= 24);

        Toggle().trigger();
        QVERIFY(!Timer().Enabled());
        QVERIFY(!Status().isVisible());
        const int32_t months = MonthsPlayed();
        QCOMPARE(Timer().TimerCount(), months);
        QCOMPARE(F.Game().History().Months().size(), size_t(months) + 1);
        QCOMPARE(F.Panel(1),
                 QString::asprintf("%d年目%d月", F.Game().Year + 1, F.Game().Month + 1));
        QTest::qWait(30);
        QCOMPARE(MonthsPlayed(), months);
    }

    void ItStops_data() {
        QTest::addColumn<TStopCase>("stop");
        const auto nothing = [](TFormFixture&) {
        };
        const auto rich = [](TFormFixture& f) {
            f.Game().Money = 1000000;
        };
        QTest::newRow("its item again")
            << TStopCase{rich, [](TFormFixture& f) { f.Action("ActAutoPlay").trigger(); }, -1};
        QTest::newRow("Esc") << TStopCase{
            rich, [](TFormFixture& f) { QTest::keyClick(f.Form->windowHandle(), Qt::Key_Escape); },
            -1};
        QTest::newRow("a refused month")
            << TStopCase{[](TFormFixture& f) {
                             f.Hold(*f.Game().MarketList.Items(3), 1000, 100);
                             f.Game().Money = 10;
                             TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
                         },
                         nothing, 0};
        QTest::newRow("the game over")
            << TStopCase{[](TFormFixture& f) {
                             f.Game().Money = 70; // 40, 10, then -20
                             TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
                         },
                         nothing, 3};
        QTest::newRow("a holding gone bankrupt")
            << TStopCase{[this](TFormFixture& f) {
                             f.Game().Money = 1000000;
                             f.Game().SetRandom(&FDown);
                             TVxCompany& doomed = *f.Game().MarketList.Items(5);
                             doomed.SetStockPrice(5); // 3, 1, then below 1
                             f.Hold(doomed, 1000, 1);
                         },
                         nothing, 3};
        QTest::newRow("a trade dialog")
            << TStopCase{rich,
                         [](TFormFixture& f) {
                             f.Market().SelectAndFocus(0);
                             TNextModal close([](QDialog& dialog) { dialog.reject(); });
                             f.Action("ActVLVMarketBuyStock").trigger();
                             QVERIFY(close.Answered);
                         },
                         -1};
        QTest::newRow("a menu") << TStopCase{rich,
                                             [](TFormFixture& f) {
                                                 auto& menu = f.Find<QMenu>("MIView");
                                                 menu.popup(f.Form->mapToGlobal(QPoint(10, 10)));
                                                 menu.close();
                                             },
                                             -1};
        QTest::newRow("an error box")
            << TStopCase{rich,
                         [](TFormFixture& f) {
                             QTemporaryDir folder;
                             const QString path = folder.filePath(QStringLiteral("notes.txt"));
                             QVERIFY(WriteFile(path, "not a game"));
                             TNextModal close([](QDialog& dialog) { dialog.accept(); });
                             f.Form->CopyDataReceived(1, path);
                             QVERIFY(close.Answered);
                         },
                         -1};
        QTest::newRow("a new game")
            << TStopCase{rich,
                         [](TFormFixture& f) {
                             TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
                             f.Action("ActGameNew").trigger();
                         },
                         0};
    }
    void ItStops() {
        QFETCH(TStopCase, stop);
        stop.Arrange(F);
        StartFastest();
        QVERIFY(Timer().Enabled());
        if (stop.Months < 0)
            QTRY_VERIFY(MonthsPlayed() >= 3);
        stop.Act(F);
        QTRY_VERIFY(!Timer().Enabled());
        QVERIFY(!Toggle().isChecked());
        QVERIFY(!Status().isVisible());
        QVERIFY(!F.Action("ActAutoPlayStop").isEnabled());
        const int32_t months = MonthsPlayed();
        if (stop.Months >= 0)
            QCOMPARE(months, stop.Months);
        QTest::qWait(30);
        QCOMPARE(MonthsPlayed(), months);
    }

    void AGameThatHasEndedDoesNotStart() {
        F.Game().GameEnd = true;
        F.Form->ActionList1Update();
        QVERIFY(!Toggle().isEnabled());
        Toggle().trigger();
        QVERIFY(!Timer().Enabled());
        QVERIFY(!Toggle().isChecked());
    }
};

QTEST_MAIN(TFrmRidoltAutoPlayTest)
#include "FrmRidoltAutoPlayTest.moc"
