// The main window as a whole: creation, first activation, the actions with
// their captions and enabling rules, new game, the view toggles, the status
// bar and the layout rules.

#include "FormTestSupport.h"
#include "app/VxActns.h"

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabWidget>

class TFrmRidoltTest : public QObject {
    Q_OBJECT
private:
    TVxSeededRandom FRandom{1};
    TFormFixture F;

private slots:
    void init() {
        FRandom.Seed(1);
        QVERIFY(F.Start(&FRandom));
    }
    void cleanup() { F.Stop(); }

    void CreationSetsUpTheWindowAndTheGameSinks() {
        QCOMPARE(F.Form->objectName(), QStringLiteral("FormRidolt"));
        QCOMPARE(F.Form->windowTitle(), QStringLiteral("リドルト"));
        QVERIFY(F.Game().Events() != nullptr);
        QCOMPARE(F.Find<QTabWidget>("PageControl1").currentIndex(), 0);
        // Destroying the window unhooks the game from it.
        F.Form.reset();
        QCOMPARE(F.Game().Events(), nullptr);
    }

    void FirstActivationStartsOneGameAndBuildsTheLists() {
        QCOMPARE(F.Market().ItemCount(), 1000);
        QCOMPARE(F.Market().ColumnCount(), 10);
        QCOMPARE(F.Owner().ColumnCount(), 10);
        QCOMPARE(F.Captions(F.Market()).first(), QStringLiteral("▲ID"));
        QCOMPARE(F.Find<QPlainTextEdit>("RichEditMessage").document()->blockCount(), 3);
        QCOMPARE(F.ChartTitle(), QStringLiteral("株価推移"));

        // Activating again (away and back) starts no second game.
        F.Game().Money = 1234;
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        F.Form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(F.Form.get()));
        QCOMPARE(F.Game().Money, 1234);
        QCOMPARE(F.Game().Year, 0);
    }

    void StatusBarShowsTheStartOfAGame() {
        QCOMPARE(F.Panel(1), QStringLiteral("1年目1月"));
        QCOMPARE(F.Panel(2), QStringLiteral("資金 3000万円"));
        QCOMPARE(F.Panel(3), QStringLiteral("所有銘柄数 0"));
        QCOMPARE(F.Panel(4), QString());
    }

    void StatusBarFormatsCashAndHoldings_data() {
        QTest::addColumn<int>("money");
        QTest::addColumn<int>("held");
        QTest::addColumn<QString>("cash");
        QTest::addColumn<QString>("holdings");
        QTest::newRow("no cash") << 0 << 0 << "資金 0円"
                                 << "所有銘柄数 0";
        QTest::newRow("in debt") << -20 << 1 << "資金 -20万円"
                                 << "所有銘柄数 1";
        QTest::newRow("whole market") << 123456789 << 1000 << "資金 1兆2345億6789万円"
                                      << "所有銘柄数 1,000";
    }
    void StatusBarFormatsCashAndHoldings() {
        QFETCH(int, money);
        QFETCH(int, held);
        QFETCH(QString, cash);
        QFETCH(QString, holdings);
        for (int i = 0; i < held; ++i)
            F.Game().OwnerList.Add(F.Game().MarketList.Items(i));
        F.Game().Money = money;
        F.Game().Month = 11;
        F.Game().Year = 4;
        F.Form->ActDataReflect();
        QCOMPARE(F.Panel(1), QStringLiteral("5年目12月"));
        QCOMPARE(F.Panel(2), cash);
        QCOMPARE(F.Panel(3), holdings);
        QCOMPARE(F.Owner().ItemCount(), held);
    }

    void ActionsCarryTheirCaptionsCategoriesAndTags_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QVariant>("tag");
        const QVariant none;
        const auto add = [](const char* name, const char* caption, const char* category,
                            QVariant tag) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption)
                                << QString::fromUtf8(category) << tag;
        };
        add("ActVLVMarketBuyStock", "買い取引(&B)", "VLVMarket", 0);
        add("ActVLVMarketSellStock", "売り取引(&S)", "VLVMarket", 1);
        add("ActVLVMarketBuyStockAll", "全買い取引(&U)", "VLVMarket", 2);
        add("ActVLVMarketSellStockAll", "全売り取引(&E)", "VLVMarket", 3);
        add("ActVLVOwnerBuyStock", "買い取引(&B)", "VLVOwner", 0);
        add("ActVLVOwnerSellStock", "売り取引(&S)", "VLVOwner", 1);
        add("ActVLVOwnerBuyStockAll", "全買い取引(&U)", "VLVOwner", 2);
        add("ActVLVOwnerSellStockAll", "全売り取引(&E)", "VLVOwner", 3);
        add("ActVLVMarketClearSelection", "選択解除(&C)", "VLVMarket", none);
        add("ActVLVMarketResetColumnWidths", "カラム幅初期化(&R)", "VLVMarket", none);
        add("ActVLVOwnerClearSelection", "選択解除(&C)", "VLVOwner", none);
        add("ActVLVOwnerResetColumnWidths", "カラム幅初期化(&R)", "VLVOwner", none);
        add("ActMessageClear", "メッセージクリア(&C)", "", none);
        add("ActChartVisible", "グラフ表示(&C)", "表示", none);
        add("ActMessageVisible", "メッセージ表示(&M)", "表示", none);
        add("ActNextMonth", "次の月へ(&N)", "", none);
        add("ActTimerEnabled", "再開する", "", none);
        add("ActGameNew", "ニューゲーム(&N)", "", none);
        add("ActMILoad", "ロード(&L)", "ロードセーブ", none);
        add("ActMISave", "セーブ(&S)", "ロードセーブ", none);
    }
    void ActionsCarryTheirCaptionsCategoriesAndTags() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, category);
        QFETCH(QVariant, tag);
        const QAction& action = F.Action(name.toLatin1().constData());
        QCOMPARE(action.text(), caption);
        QCOMPARE(action.property("Category").toString(), category);
        QCOMPARE(action.data(), tag);
    }

    void MenusHoldTheirItems() {
        QStringList tops;
        for (QAction* top : F.Find<QMenuBar>("MainMenuGame").actions())
            tops << top->text();
        QCOMPARE(tops,
                 (QStringList{"ゲーム(&G)", "ロード(&L)", "セーブ(&S)", "表示(&V)", "ヘルプ(&H)"}));
        for (const char* prefix : {"MIDataLoad", "MIDataSave"})
            for (int slot = 0; slot < 10; ++slot) {
                const QByteArray name = prefix + QByteArray::number(slot);
                QCOMPARE(F.Action(name.constData()).data(), QVariant(slot));
            }
    }

    // Every menu's items in order, "-" for a separator; an item is named by
    // its action's caption and shortcut as the menu shows them.
    void EveryMenuListsItsItemsAndSeparatorsInOrder_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QStringList load, save;
        for (int slot = 0; slot < 10; ++slot) {
            load << QStringLiteral("MIDataLoad%1").arg(slot);
            save << QStringLiteral("MIDataSave%1").arg(slot);
        }
        load << QStringLiteral("-") << QStringLiteral("MIDataLoadResume")
             << QStringLiteral("MIKeptGames");
        const auto listMenu = [](const QString& list) {
            return QStringList{"Act" + list + "BuyStock",
                               "Act" + list + "SellStock",
                               "-",
                               "Act" + list + "BuyStockAll",
                               "Act" + list + "SellStockAll",
                               "-",
                               "Act" + list + "ClearSelection",
                               "-",
                               "Act" + list + "ResetColumnWidths",
                               "-",
                               list + "SortMenu"};
        };
        QTest::newRow("game") << "MIGame"
                              << QStringList{"ActGameNew",       "ActGameNewSeed", "ActAutoPlay",
                                             "ActAutoPlaySpeed", "ActRecords",     "-",
                                             "VxExitAction1"};
        QTest::newRow("load") << "MILoad" << load;
        QTest::newRow("save") << "MISave" << save;
        QTest::newRow("view") << "MIView" << QStringList{"ActChartVisible", "ActMessageVisible"};
        QTest::newRow("help") << "MIHelp"
                              << QStringList{"VxViewHelpHtmlAction1", "-", "VxOpenAppFolderAction1",
                                             "-", "VxAboutAction1"};
        QTest::newRow("market") << "PMMarket" << listMenu("VLVMarket");
        QTest::newRow("holdings") << "PMOwner" << listMenu("VLVOwner");
        QTest::newRow("log") << "PMRichEdit1"
                             << QStringList{"ActMessageClear", "-", "ActMessageVisible"};
        QTest::newRow("chart") << "PMChart" << QStringList{"ActChartVisible"};
    }
    void EveryMenuListsItsItemsAndSeparatorsInOrder() {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        QStringList shown;
        for (QAction* item : F.Find<QMenu>(menu.toLatin1().constData()).actions())
            shown << (item->isSeparator() ? QStringLiteral("-") : item->objectName());
        QCOMPARE(shown, items);
    }

    void F1OpensTheHelpFromAnywhereInTheWindow() {
        QStringList opened;
        F.Find<TVxViewHelpHtmlAction>("VxViewHelpHtmlAction1")
            .SetOpener([&opened](const QString& path, QObject&, const std::function<void()>&) {
                opened << path;
            });
        for (const char* focused : {"VLVMarket", "RichEditMessage", "BtnNextMonth"}) {
            F.Find<QWidget>(focused).setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        }
        const QString help = QCoreApplication::applicationDirPath() + QStringLiteral("/") +
                             QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                             QStringLiteral("_help.html");
        QCOMPARE(opened, (QStringList{help, help, help}));
    }

    void TradeAndMonthFollowTheGame() {
        const QList<const char*> market{"ActVLVMarketBuyStock", "ActVLVMarketSellStock",
                                        "ActVLVMarketBuyStockAll", "ActVLVMarketSellStockAll"};
        const QList<const char*> owner{"ActVLVOwnerBuyStock", "ActVLVOwnerSellStock",
                                       "ActVLVOwnerBuyStockAll", "ActVLVOwnerSellStockAll"};
        // Nothing held: only the holdings actions are off.
        QVERIFY(F.Enabled("ActNextMonth"));
        for (const char* name : market)
            QVERIFY2(F.Enabled(name), name);
        for (const char* name : owner)
            QVERIFY2(!F.Enabled(name), name);

        // Lost: the month and every trade are off, even with a focused row
        // and a holding.
        F.Market().SelectAndFocus(3);
        F.Game().Money = -1000;
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.NextMonth();
        QVERIFY(F.Game().GameEnd);
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().back().Caption,
                 QStringLiteral("ゲームオーバー"));
        F.Hold(*F.Game().MarketList.Items(5), 1000, 100);
        F.Idle();
        QVERIFY(!F.Find<QPushButton>("BtnNextMonth").isEnabled());
        QVERIFY(!F.Action("ActVLVMarketBuyStock").isEnabled());
        for (const char* name : market + owner + QList<const char*>{"ActNextMonth"})
            QVERIFY2(!F.Enabled(name), name);
        QVERIFY(F.Enabled("ActGameNew"));

        // A new game makes them work again; the holdings ones need a holding.
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Action("ActGameNew").trigger();
        QVERIFY(!F.Game().GameEnd);
        QCOMPARE(F.Game().Money, 3000);
        F.Idle();
        QVERIFY(F.Find<QPushButton>("BtnNextMonth").isEnabled());
        for (const char* name : market)
            QVERIFY2(F.Enabled(name), name);
        for (const char* name : owner)
            QVERIFY2(!F.Enabled(name), name);
        F.Hold(*F.Game().MarketList.Items(5), 1000, 100);
        for (const char* name : owner)
            QVERIFY2(F.Enabled(name), name);
    }

    void NewGameAsksFirst() {
        F.Hold(*F.Game().MarketList.Items(9), 2000, 150);
        F.Game().Money = 1234;
        F.Game().Month = 6;
        F.Form->ActDataReflect();
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Cancel);
        F.Action("ActGameNew").trigger();
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t{1});
        const TVxMessageBoxRequest& question = TVxQtMessageBox::AnsweredRequests().front();
        QCOMPARE(question.Caption, QStringLiteral("確認"));
        QCOMPARE(question.Text, QStringLiteral("新しくゲームを始めます。よろしいですか？"));
        QCOMPARE(question.Icon, TVxMsgIcon::Question);
        QCOMPARE(question.Buttons, TVxMsgButtons::OkCancel);
        QCOMPARE(question.DefaultButton, TVxMsgResult::Cancel);
        QCOMPARE(F.Game().Money, 1234);
        QCOMPARE(F.Game().Month, 6);
        QCOMPARE(F.Game().OwnerList.Count(), 1);
        QCOMPARE(F.Panel(1), QStringLiteral("1年目7月"));

        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        F.Action("ActGameNew").trigger();
        QCOMPARE(F.Game().Money, 3000);
        QCOMPARE(F.Game().OwnerList.Count(), 0);
        QCOMPARE(F.Owner().ItemCount(), 0);
        QCOMPARE(F.Panel(1), QStringLiteral("1年目1月"));
        QCOMPARE(F.Find<QPlainTextEdit>("RichEditMessage").document()->blockCount(), 3);
    }

    void NewGameBoxDefaultsToCancel() {
        // The real box: Enter at once keeps the game.
        F.Game().Money = 4321;
        TNextModal enter([](QDialog& box) { QTest::keyClick(&box, Qt::Key_Return); });
        F.Action("ActGameNew").trigger();
        QVERIFY(enter.Answered);
        QCOMPARE(F.Game().Money, 4321);
    }

    void ViewTogglesHideAndShowWithTheirSplitters_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("splitter");
        QTest::newRow("chart") << "ActChartVisible"
                               << "Chart1"
                               << "Splitter2";
        QTest::newRow("log") << "ActMessageVisible"
                             << "RichEditMessage"
                             << "Splitter1";
    }
    void ViewTogglesHideAndShowWithTheirSplitters() {
        QFETCH(QString, action);
        QFETCH(QString, widget);
        QFETCH(QString, splitter);
        QAction& toggle = F.Action(action.toLatin1().constData());
        auto& shown = F.Find<QWidget>(widget.toLatin1().constData());
        auto& split = F.Find<QSplitter>(splitter.toLatin1().constData());
        QVERIFY(toggle.isChecked());
        toggle.trigger();
        QVERIFY(!toggle.isChecked());
        QVERIFY(shown.isHidden());
        QTRY_VERIFY(split.handle(1)->isHidden());
        toggle.trigger();
        QVERIFY(toggle.isChecked());
        QVERIFY(!shown.isHidden());
        QTRY_VERIFY(!split.handle(1)->isHidden());
    }

    void MessageClearEmptiesTheLog() {
        auto& log = F.Find<QPlainTextEdit>("RichEditMessage");
        F.Action("ActMessageClear").trigger();
        QCOMPARE(log.toPlainText(), QString());
        F.Game().Events()->Happened(TVxTaxPaid{0, 1, 80});
        QCOMPARE(log.toPlainText(), QStringLiteral("1年目2月 80万円の税を納めました。"));
    }

    void HintsGoToTheFirstPanel() {
        F.Action("VxViewHelpHtmlAction1").showStatusText(F.Form.get());
        QCOMPARE(F.Panel(0), QStringLiteral("ヘルプのHTMLを開きます。"));
        QCOMPARE(F.Panel(1), QStringLiteral("1年目1月")); // untouched
        QStatusTipEvent leave{QString()};
        QCoreApplication::sendEvent(F.Form.get(), &leave);
        QCOMPARE(F.Panel(0), QString());
    }

    void FirstPanelTakesWhatTheMiddleOnesLeave() {
        auto& panels = F.Find<TVxStatusPanels>("StatusBar1Panels");
        panels.resize(600, panels.height());
        QCOMPARE(panels.PanelWidth(0), 265);
        QCOMPARE(panels.Panel(0).width(), 265);
        QCOMPARE(panels.Panel(3).geometry().right(), 599);
    }

    void NextMonthButtonKeepsItsMargins() {
        auto& panel = F.Find<QWidget>("PanelControl");
        auto& button = F.Find<QPushButton>("BtnNextMonth");
        F.Form->resize(700, 500);
        QTRY_COMPARE(button.width(), panel.width() - 16);
        QCOMPARE(button.geometry().topLeft(), QPoint(8, 8));
        QCOMPARE(button.height(), 25);
        QCOMPARE(button.text(), QStringLiteral("次の月へ(&N)"));
    }
};

QTEST_MAIN(TFrmRidoltTest)
#include "FrmRidoltTest.moc"
