// Nothing changes the game under an open dialog or box: a file handed over
// or dropped while the trade dialog is up waits until it has closed (the
// trade is settled on the game it was offered for), the month timer does not
// step under a dialog, and a settlement the game refuses is reported in a
// box instead of ending the program.

#include "FormTestSupport.h"

#include "game/VxConsts.h"
#include "game/VxTrade.h"
#include "game/VxUtils.h"

#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>
#include <vector>

namespace {

enum class TRoute { HandOff, Drop };

} // namespace

Q_DECLARE_METATYPE(TRoute)

class TFrmRidoltModalTest : public QObject {
    Q_OBJECT
private:
    TVxSeededRandom FRandom{5};
    TFormFixture F;
    QTemporaryDir FFolder;

    // A game that is not the one on screen: two months on, with little cash.
    QString OtherGameFile(std::vector<uint8_t>& bytes) {
        const std::vector<uint8_t> current = SaveBytes(F.Game());
        F.Game().NextMonth();
        F.Game().NextMonth();
        F.Game().Money = 50;
        bytes = SaveBytes(F.Game());
        const QString path = FFolder.filePath(QStringLiteral("other.sav"));
        F.Game().SaveToFile(path.toStdString());
        TVxReadStream back(current);
        F.Game().LoadFromStream(back);
        F.Form->ActDataReflect();
        return path;
    }

    void Deliver(TRoute route, const QString& path) const {
        if (route == TRoute::HandOff) {
            F.Form->CopyDataReceived(1, path);
            return;
        }
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(F.Form.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F.Form.get(), &drop);
    }

private slots:
    void init() {
        FRandom.Seed(5);
        QVERIFY(F.Start(&FRandom));
    }
    void cleanup() { F.Stop(); }

    // The reproduction: the trade dialog is open on company 000 when a save
    // file arrives.  Opened at once, the file would replace the game under
    // the dialog, and OK would settle the old offer against the new game.
    void AFileArrivingUnderTheTradeDialogOpensAfterTheTrade_data() {
        QTest::addColumn<TRoute>("route");
        QTest::addColumn<bool>("accept");
        QTest::newRow("hand-off, OK") << TRoute::HandOff << true;
        QTest::newRow("hand-off, Cancel") << TRoute::HandOff << false;
        QTest::newRow("drop, OK") << TRoute::Drop << true;
    }
    void AFileArrivingUnderTheTradeDialogOpensAfterTheTrade() {
        QFETCH(TRoute, route);
        QFETCH(bool, accept);
        std::vector<uint8_t> other;
        const QString path = OtherGameFile(other);
        TVxCompany& company = *F.Game().MarketList.Items(0);
        const int32_t cost = static_cast<int32_t>(TradeBuyCost(1, company.StockPrice()));
        F.Market().SelectAndFocus(0);
        // Answers a box, should one wrongly come, instead of waiting for it.
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);

        bool waitedForTheDialog = false;
        TNextModal answer([&](QDialog& dialog) {
            Deliver(route, path);
            QTest::qWait(50);
            waitedForTheDialog = F.Game().Money == 3000 && F.Game().Month == 0;
            accept ? dialog.accept() : dialog.reject();
        });
        F.Action("ActVLVMarketBuyStock").trigger();

        QVERIFY(answer.Answered);
        QVERIFY(waitedForTheDialog);
        // Settled on the game the dialog was opened for, before the file.
        QCOMPARE(F.Game().Money, accept ? 3000 - cost : 3000);
        QCOMPARE(company.MyStockCount, accept ? 1000 : 0);
        QVERIFY(TVxQtMessageBox::AnsweredRequests().empty());
        // Then the file opens, as it would have without the dialog.
        QTRY_VERIFY(SaveBytes(F.Game()) == other);
        QCOMPARE(F.Panel(1), QStringLiteral("1年目3月"));
        QCOMPARE(F.Panel(2), QStringLiteral("資金 50万円"));
    }

    void AFileArrivingUnderAMessageBoxWaitsForIt() {
        std::vector<uint8_t> other;
        const QString path = OtherGameFile(other);
        const std::vector<uint8_t> before = SaveBytes(F.Game());
        bool waited = false;
        TNextModal answer([&](QDialog& box) {
            F.Form->CopyDataReceived(1, path);
            QTest::qWait(50);
            waited = SaveBytes(F.Game()) == before;
            box.reject();
        });
        F.Action("ActGameNew").trigger(); // its question, answered with Cancel
        QVERIFY(answer.Answered);
        QVERIFY(waited);
        QTRY_VERIFY(SaveBytes(F.Game()) == other);
    }

    void TheMonthTimerDoesNotStepUnderADialog() {
        QAction& timer = F.Action("ActTimerEnabled");
        timer.trigger();
        QTRY_VERIFY(F.Game().Month > 0 || F.Game().Year > 0);
        int32_t monthsDuringTheBox = -1;
        TNextModal answer([&](QDialog& box) {
            const int32_t at = F.Game().Year * 12 + F.Game().Month;
            QTest::qWait(60);
            monthsDuringTheBox = F.Game().Year * 12 + F.Game().Month - at;
            box.reject();
        });
        F.Action("ActGameNew").trigger();
        timer.trigger();
        QVERIFY(answer.Answered);
        QCOMPARE(monthsDuringTheBox, 0);
    }

    // The game changed under the dialog by a route the window does not
    // hold back: the offer no longer fits, and OK reports it instead of
    // ending the program.
    void ARefusedSettlementIsReportedAndChangesNothing() {
        TVxCompany& company = *F.Game().MarketList.Items(0);
        const int32_t cost = static_cast<int32_t>(TradeBuyCost(1, company.StockPrice()));
        F.Market().SelectAndFocus(0);
        std::vector<uint8_t> before;
        TNextModal answer([&](QDialog& dialog) {
            F.Game().Money = cost - 1;
            before = SaveBytes(F.Game());
            TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
            dialog.accept();
        });
        F.Action("ActVLVMarketBuyStock").trigger();

        QVERIFY(answer.Answered);
        QVERIFY(SaveBytes(F.Game()) == before);
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t(1));
        const TVxMessageBoxRequest& box = TVxQtMessageBox::AnsweredRequests().front();
        QCOMPARE(box.Caption, QStringLiteral("エラー"));
        QCOMPARE(box.Text,
                 QStringLiteral("取引できません: 資金が足りません (1千株, %1万円)").arg(cost));
        QCOMPARE(box.Icon, TVxMsgIcon::Error);
        QVERIFY(F.Form->isVisible());
    }

    // A sale that reaches the goal: the game's congratulation stands over a
    // window that already shows the cash of the sale, as after any trade.
    void AWinningSaleShowsItsCashBehindTheGameClearBox() {
        TVxCompany& company = *F.Game().MarketList.Items(0);
        const int32_t proceeds = static_cast<int32_t>(TradeSellProceeds(2, company.StockPrice()));
        F.Game().Money = GoalMoney - 50;
        F.Hold(company, 2000, 220);
        F.Owner().SelectAndFocus(0);

        QString caption;
        QString cashBehindTheBox;
        std::unique_ptr<TNextModal> clearBox;
        TNextModal trade([&](QDialog& dialog) {
            clearBox = std::make_unique<TNextModal>([&](QDialog& box) {
                caption = box.windowTitle();
                cashBehindTheBox = F.Panel(2);
                box.accept();
            });
            dialog.accept(); // every lot held, as the command preselects
        });
        F.Action("ActVLVOwnerSellStockAll").trigger();

        QVERIFY(trade.Answered);
        QVERIFY(clearBox && clearBox->Answered);
        QCOMPARE(caption, QStringLiteral("ゲームクリア"));
        QCOMPARE(F.Game().Money, GoalMoney - 50 + proceeds);
        QCOMPARE(cashBehindTheBox,
                 QStringLiteral("資金 ") +
                     QString::fromStdString(ManToKanjiStr(F.Game().Money, false)) +
                     QStringLiteral("円"));
        QVERIFY(F.Game().GameEnd);
    }
};

QTEST_MAIN(TFrmRidoltModalTest)
#include "FrmRidoltModalTest.moc"
