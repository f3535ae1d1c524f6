#include "ui/dialogs/FrmDlgTrade.h"

#include "components/VxAnnouncer.h"
#include "components/VxListView.h"
#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "tests/support/GameState.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

// Drives the real trade dialog on the global game: what each mode shows,
// the choices a player makes, and what OK and Cancel leave in the game.
class FrmDlgTradeTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void eachModeOpensWithItsChoice_data();
    void eachModeOpensWithItsChoice();
    void anEmptyTabOffersNothingAndOkChangesNothing_data();
    void anEmptyTabOffersNothingAndOkChangesNothing();
    void eachTabKeepsItsChoice();
    void minAndMaxMoveTheChoiceOfBothLists();
    void okBuysTheChosenQuantity();
    void okSellsTheLastLotAndDropsTheHolding();
    void cancelChangesNothing();
    void enterPressesOkFromEveryList_data();
    void enterPressesOkFromEveryList();
    void returnPressesTheFocusedButton();
    void okWaitsForTheReleaseOfReturn();
    void theChoiceIsDescribedAndSaidAsItChanges();
    void dropDownListsOpenFourteenRowsTall();

private:
    struct TGameState {
        int32_t Money;
        int32_t Income;
        int32_t Expense;
        int32_t Held;
        int32_t Cost;
        int32_t Owners;
    };

    // Company 0 at `price`, holding `held` shares bought for `cost`.
    TVxCompany& SetCompany(int32_t price, int32_t held, int32_t cost);
    TGameState State() const;
    std::unique_ptr<TFormDlgTrade> Open(int tag);
    // What the window does after OK: settles the dialog's choice, if any,
    // through the game.
    void Settle(const TFormDlgTrade& dialog);
    // Picks list entry `index` the way a player does, with the keyboard.
    static void Pick(QComboBox* combo, int index);
    static void ClickTab(QTabBar* tabs, int index);
    // Lets the event loop go idle once, which is when Min and Max are enabled.
    static void Idle();

    template <typename T> T* Child(const char* name) const {
        T* child = FDialog->findChild<T*>(name);
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    QComboBox* Stock() const { return Child<QComboBox>("ComboBoxStock"); }
    QComboBox* Money() const { return Child<QComboBox>("ComboBoxMoney"); }
    QString PerShare() const { return Child<QLabel>("LabelAboutStock1")->text(); }
    // What a screen reader hears of the choice: the description every list
    // and button carries (all the same), and the line said last.
    QString Described() const;
    QString Said() const { return Child<TVxAnnouncer>("Announcer")->Line(); }

    TVxColumnInfos FColumns;
    std::unique_ptr<TVxGame> FGame;
    TVxCompany* FCompany = nullptr;
    TFormDlgTrade* FDialog = nullptr;
};

void FrmDlgTradeTest::init() {
    if (FColumns.ColumnInfos().Count() == 0)
        AddCompanyColumnInfos(FColumns);
    FGame = std::make_unique<TVxGame>();
    FGame->MarketList.CreateNewCompanies();
    ResetYear(*FGame);
    FCompany = nullptr;
}

void FrmDlgTradeTest::cleanup() {
    FDialog = nullptr;
}

TVxCompany& FrmDlgTradeTest::SetCompany(int32_t price, int32_t held, int32_t cost) {
    FCompany = FGame->MarketList.Items(0);
    FCompany->SetStockPrice(price);
    FCompany->MyStockCount = held;
    FCompany->MyStockCost = cost;
    if (held > 0)
        FGame->OwnerList.Add(FCompany);
    return *FCompany;
}

FrmDlgTradeTest::TGameState FrmDlgTradeTest::State() const {
    return {FGame->Money,           FGame->Income(),       FGame->Expense(),
            FCompany->MyStockCount, FCompany->MyStockCost, FGame->OwnerList.Count()};
}

std::unique_ptr<TFormDlgTrade> FrmDlgTradeTest::Open(int tag) {
    auto dialog = std::make_unique<TFormDlgTrade>(nullptr, *FGame, FColumns, *FCompany,
                                                  static_cast<TVxTradeMode>(tag));
    FDialog = dialog.get();
    dialog->show();
    Idle();
    return dialog;
}

void FrmDlgTradeTest::Settle(const TFormDlgTrade& dialog) {
    if (const std::optional<TVxTradeChoice> choice = dialog.Choice())
        QVERIFY(SettleTradeChoice(*FGame, *FCompany, *choice).Settled());
}

QString FrmDlgTradeTest::Described() const {
    QStringList descriptions;
    for (const char* name : {"ComboBoxStock", "ComboBoxMoney", "Min", "Max", "BtnOk"})
        descriptions << Child<QWidget>(name)->accessibleDescription();
    descriptions.removeDuplicates();
    return descriptions.join(u'|');
}

void FrmDlgTradeTest::Idle() {
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
}

void FrmDlgTradeTest::Pick(QComboBox* combo, int index) {
    combo->setFocus();
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > index)
        QTest::keyClick(combo, Qt::Key_Up);
    Idle();
}

void FrmDlgTradeTest::ClickTab(QTabBar* tabs, int index) {
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    Idle();
}

void FrmDlgTradeTest::eachModeOpensWithItsChoice_data() {
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("price");
    QTest::addColumn<int>("money");
    QTest::addColumn<int>("held");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("lots");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("perShare");
    QTest::addColumn<bool>("minEnabled");
    QTest::addColumn<bool>("maxEnabled");

    QTest::newRow("buy: the first lot") << 0 << 1000 << 3000 << 0 << 0 << 27 << "1"
                                        << "110万"
                                        << "1株1100円相当" << false << true;
    QTest::newRow("sell: the first lot with proceeds") << 1 << 5 << 3000 << 5000 << 1 << 3 << "3"
                                                       << "1万"
                                                       << "1株3円相当" << false << true;
    QTest::newRow("buy all: everything affordable") << 2 << 1000 << 3000 << 0 << 0 << 27 << "27"
                                                    << "2970万"
                                                    << "1株1100円相当" << true << false;
    QTest::newRow("buy all: at most all shares on sale") << 2 << 2 << 3000 << 97000 << 0 << 3 << "3"
                                                         << "1万"
                                                         << "1株3円相当" << true << false;
    QTest::newRow("sell all: every lot held") << 3 << 1000 << 3000 << 3000 << 1 << 3 << "3"
                                              << "270万"
                                              << "1株900円相当" << true << false;
    QTest::newRow("buy all: a single choice") << 2 << 1000 << 110 << 0 << 0 << 1 << "1"
                                              << "110万"
                                              << "1株1100円相当" << false << false;
}

void FrmDlgTradeTest::eachModeOpensWithItsChoice() {
    QFETCH(int, tag);
    QFETCH(int, price);
    QFETCH(int, money);
    QFETCH(int, held);
    FGame->Money = money;
    SetCompany(price, held, held / 10);

    const auto dialog = Open(tag);

    QCOMPARE(dialog->windowTitle(), QString("株取引"));
    QTEST(Child<QTabBar>("TabControl1")->currentIndex(), "tab");
    QTEST(Stock()->count(), "count");
    QCOMPARE(Money()->count(), Stock()->count());
    QCOMPARE(Money()->currentIndex(), Stock()->currentIndex());
    QTEST(Stock()->currentText(), "lots");
    QTEST(Money()->currentText(), "amount");
    QTEST(PerShare(), "perShare");
    QVERIFY(Stock()->isEnabled());
    QVERIFY(Money()->isEnabled());
    QTEST(Child<QPushButton>("Min")->isEnabled(), "minEnabled");
    QTEST(Child<QPushButton>("Max")->isEnabled(), "maxEnabled");
    QCOMPARE(Child<QLabel>("LabelCharge")->text(), QString("お取引時に手数料10%をいただきます。"));

    // The information rows: one per market column, in collection order,
    // with the company's text for that column.
    const auto* info = Child<TVxListView>("VxListView1");
    QCOMPARE(info->ItemCount(), CompanyColumnCount);
    for (int row = 0; row < CompanyColumnCount; ++row) {
        QCOMPARE(info->ItemText(row, 0), FColumns.ColumnInfos().Items(row).Caption);
        QCOMPARE(info->ItemText(row, 1), CompanyColumnText(*FCompany, row));
    }
    QCOMPARE(info->ItemText(0, 0), QString("ID"));
    QCOMPARE(info->ItemText(0, 1), QString("000"));
    QCOMPARE(info->ItemText(9, 0), QString("所有株総額"));
}

void FrmDlgTradeTest::anEmptyTabOffersNothingAndOkChangesNothing_data() {
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("price");
    QTest::addColumn<int>("money");
    QTest::addColumn<int>("held");

    QTest::newRow("buy: cash below one lot") << 0 << 1000 << 109 << 0;
    QTest::newRow("buy all: every share held") << 2 << 1000 << 1000000 << IssuedShares;
    QTest::newRow("sell: nothing held") << 1 << 1000 << 3000 << 0;
    QTest::newRow("sell all: only lots worth nothing") << 3 << 5 << 3000 << 2000;
}

void FrmDlgTradeTest::anEmptyTabOffersNothingAndOkChangesNothing() {
    QFETCH(int, tag);
    QFETCH(int, price);
    QFETCH(int, money);
    QFETCH(int, held);
    FGame->Money = money;
    SetCompany(price, held, held / 10);
    const TGameState before = State();

    const auto dialog = Open(tag);

    QCOMPARE(Child<QTabBar>("TabControl1")->currentIndex(), tag % 2);
    for (QComboBox* combo : {Stock(), Money()}) {
        QCOMPARE(combo->count(), 0);
        QCOMPARE(combo->currentIndex(), -1);
        QVERIFY(!combo->isEnabled());
    }
    QCOMPARE(PerShare(), QString());
    QVERIFY(!Child<QPushButton>("Min")->isEnabled());
    QVERIFY(!Child<QPushButton>("Max")->isEnabled());

    QTest::mouseClick(Child<QPushButton>("BtnOk"), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    Settle(*dialog);
    const TGameState after = State();
    QCOMPARE(after.Money, before.Money);
    QCOMPARE(after.Held, before.Held);
    QCOMPARE(after.Cost, before.Cost);
    QCOMPARE(after.Income, before.Income);
    QCOMPARE(after.Expense, before.Expense);
    QCOMPARE(after.Owners, before.Owners);
}

void FrmDlgTradeTest::eachTabKeepsItsChoice() {
    SetCompany(1000, 5000, 550);
    const auto dialog = Open(0);
    auto* tabs = Child<QTabBar>("TabControl1");

    Pick(Stock(), 2);
    QCOMPARE(Money()->currentText(), QString("330万"));
    QCOMPARE(PerShare(), QString("1株1100円相当"));

    ClickTab(tabs, 1);
    QCOMPARE(Stock()->count(), 5);
    QCOMPARE(Stock()->currentText(), QString("1"));
    QCOMPARE(Money()->currentText(), QString("90万"));
    QCOMPARE(PerShare(), QString("1株900円相当"));
    Pick(Money(), 3); // an amount picks its lot count too
    QCOMPARE(Stock()->currentText(), QString("4"));

    ClickTab(tabs, 0);
    QCOMPARE(Stock()->currentIndex(), 2);
    QCOMPARE(Money()->currentText(), QString("330万"));
    QCOMPARE(PerShare(), QString("1株1100円相当"));

    ClickTab(tabs, 1);
    QCOMPARE(Stock()->currentText(), QString("4"));
    QCOMPARE(Money()->currentText(), QString("360万"));

    // OK settles on the tab shown: a sale of 4 lots.
    QTest::mouseClick(Child<QPushButton>("BtnOk"), Qt::LeftButton);
    Settle(*dialog);
    QCOMPARE(FGame->Money, StartMoney + 360);
    QCOMPARE(FGame->Income(), 360);
    QCOMPARE(FCompany->MyStockCount, 1000);
    QCOMPARE(FCompany->MyStockCost, 110);
}

void FrmDlgTradeTest::minAndMaxMoveTheChoiceOfBothLists() {
    SetCompany(1000, 0, 0);
    const auto dialog = Open(0);
    auto* min = Child<QPushButton>("Min");
    auto* max = Child<QPushButton>("Max");

    QTest::mouseClick(max, Qt::LeftButton);
    Idle();
    QCOMPARE(Stock()->currentText(), QString("27"));
    QCOMPARE(Money()->currentText(), QString("2970万"));
    QVERIFY(min->isEnabled());
    QVERIFY(!max->isEnabled());

    Pick(Stock(), 9);
    QVERIFY(min->isEnabled());
    QVERIFY(max->isEnabled());

    QTest::mouseClick(min, Qt::LeftButton);
    Idle();
    QCOMPARE(Stock()->currentText(), QString("1"));
    QCOMPARE(Money()->currentText(), QString("110万"));
    QCOMPARE(PerShare(), QString("1株1100円相当"));
    QVERIFY(!min->isEnabled());
    QVERIFY(max->isEnabled());
}

void FrmDlgTradeTest::okBuysTheChosenQuantity() {
    FGame->OwnerList.Add(FGame->MarketList.Items(7));
    FGame->MarketList.Items(7)->MyStockCount = 1000;
    FGame->MarketList.Items(7)->MyStockCost = 110;
    SetCompany(2, 0, 0);
    TFormDlgTrade dialog(nullptr, *FGame, FColumns, *FCompany, TVxTradeMode::Buy);
    FDialog = &dialog;

    QString perShare;
    QTimer::singleShot(0, &dialog, [this, &perShare] {
        Pick(Stock(), 3); // 4 lots for ⌈0.88⌉ = 1万
        perShare = PerShare();
        QTest::mouseClick(Child<QPushButton>("BtnOk"), Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(perShare, QString("1株2円相当")); // 2.5 to the even neighbour
    Settle(dialog);

    QCOMPARE(FGame->Money, StartMoney - 1);
    QCOMPARE(FGame->Expense(), 1);
    QCOMPARE(FCompany->MyStockCount, 4000);
    QCOMPARE(FCompany->MyStockCost, 1);
    QCOMPARE(FGame->OwnerList.Count(), 2);
    QCOMPARE(FGame->OwnerList.Items(1), FCompany);
    // The information rows still show the company before the trade.
    QCOMPARE(Child<TVxListView>("VxListView1")->ItemText(6, 1), QString());
}

void FrmDlgTradeTest::okSellsTheLastLotAndDropsTheHolding() {
    SetCompany(1000, 3000, 100);
    const auto dialog = Open(3);

    QTest::mouseClick(Child<QPushButton>("BtnOk"), Qt::LeftButton);
    Settle(*dialog);

    QCOMPARE(FGame->Money, StartMoney + 270);
    QCOMPARE(FGame->Income(), 270);
    QCOMPARE(FCompany->MyStockCount, 0);
    QCOMPARE(FCompany->MyStockCost, 0);
    QCOMPARE(FGame->OwnerList.Count(), 0);
}

void FrmDlgTradeTest::cancelChangesNothing() {
    SetCompany(1000, 3000, 330);
    const TGameState before = State();
    for (const bool byEscape : {false, true}) {
        TFormDlgTrade dialog(nullptr, *FGame, FColumns, *FCompany, TVxTradeMode::BuyAll);
        FDialog = &dialog;
        QTimer::singleShot(0, &dialog, [this, &dialog, byEscape] {
            Pick(Stock(), 5);
            if (byEscape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(Child<QPushButton>("BtnCancel"), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        const TGameState after = State();
        QCOMPARE(after.Money, before.Money);
        QCOMPARE(after.Held, before.Held);
        QCOMPARE(after.Cost, before.Cost);
        QCOMPARE(after.Expense, before.Expense);
        QCOMPARE(after.Owners, before.Owners);
    }
}

void FrmDlgTradeTest::enterPressesOkFromEveryList_data() {
    QTest::addColumn<QString>("focused");
    QTest::newRow("lot list") << QStringLiteral("ComboBoxStock");
    QTest::newRow("amount list") << QStringLiteral("ComboBoxMoney");
    QTest::newRow("information list") << QStringLiteral("VxListView1");
}

void FrmDlgTradeTest::enterPressesOkFromEveryList() {
    QFETCH(QString, focused);
    SetCompany(1000, 0, 0);
    TFormDlgTrade dialog(nullptr, *FGame, FColumns, *FCompany, TVxTradeMode::Buy);
    FDialog = &dialog;
    QTimer::singleShot(0, &dialog, [this, focused] {
        auto* widget = Child<QWidget>(focused.toLatin1().constData());
        widget->setFocus();
        if (auto* rows = qobject_cast<TVxListView*>(widget)) // a row the player clicked
            QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                              rows->visualRect(rows->model()->index(1, 0)).center());
        QTest::keyClick(widget, Qt::Key_Return);
    });
    QTimer::singleShot(2000, &dialog, &QDialog::reject); // Enter went nowhere
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    Settle(dialog);
    QCOMPARE(FCompany->MyStockCount, 1000);
}

// The release reaches a screen reader while the dialog is still open.  A
// release whose press went elsewhere (Enter on the list row that opened the
// dialog) presses nothing.
// Return presses the button that has the focus, as a dialog's default
// button follows the focus among its buttons: on キャンセル it cancels.
void FrmDlgTradeTest::returnPressesTheFocusedButton() {
    SetCompany(1000, 0, 0);
    const TGameState before = State();
    const auto dialog = Open(0);
    Child<QPushButton>("Max")->setFocus();
    QTest::keyClick(Child<QPushButton>("Max"), Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QCOMPARE(Stock()->currentIndex(), Stock()->count() - 1);
    Child<QPushButton>("BtnCancel")->setFocus();
    QTest::keyClick(Child<QPushButton>("BtnCancel"), Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(State().Money, before.Money);
}

void FrmDlgTradeTest::okWaitsForTheReleaseOfReturn() {
    SetCompany(1000, 0, 0);
    const auto dialog = Open(0);
    QTest::keyRelease(Stock(), Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QTest::keyPress(Stock(), Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QTest::keyRelease(Stock(), Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
}

void FrmDlgTradeTest::theChoiceIsDescribedAndSaidAsItChanges() {
    SetCompany(1000, 0, 0);
    const auto dialog = Open(0);
    // Opening, the focus says it; nothing is said over it.
    QCOMPARE(Described(), QStringLiteral("買い 1,000株 110万円 1株1100円相当"));
    QCOMPARE(Said(), QString());

    // Said as soon as the screen reader has presented the dialog.
    Pick(Stock(), 2);
    QCOMPARE(Described(), QStringLiteral("買い 3,000株 330万円 1株1100円相当"));
    QTRY_COMPARE(Said(), Described());

    QTest::mouseClick(Child<QPushButton>("Max"), Qt::LeftButton);
    QCOMPARE(Said(), QStringLiteral("買い 27,000株 2970万円 1株1100円相当"));

    // Nothing held: the sell tab has nothing to choose.
    ClickTab(Child<QTabBar>("TabControl1"), 1);
    QCOMPARE(Described(), QStringLiteral("売り 取引できる株はありません"));
    QCOMPARE(Said(), Described());
}

void FrmDlgTradeTest::dropDownListsOpenFourteenRowsTall() {
    SetCompany(1, 0, 0); // a hundred lots on offer
    const auto dialog = Open(0);
    for (QComboBox* combo : {Stock(), Money()}) {
        QCOMPARE(combo->count(), 100);
        combo->showPopup();
        QAbstractItemView* rows = combo->view();
        QTRY_VERIFY(rows->isVisible());
        QCOMPARE(rows->viewport()->height() / rows->sizeHintForRow(0), 14);
        combo->hidePopup();
    }
}

QTEST_MAIN(FrmDlgTradeTest)
#include "FrmDlgTradeTest.moc"
