#include "ui/dialogs/FrmDlgTrade.h"

#include "components/VxAccessibleTabBar.h"
#include "components/VxAnnouncer.h"
#include "components/VxListView.h"
#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxTrade.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxTradeHint.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace {

constexpr int BuyTab = 0;
constexpr int SellTab = 1;

// The choice shown as a screen reader says it: the side, the shares, the
// amount and what it comes to per share, "買い 3,000株 330万円 1株1100円相当";
// with nothing to choose, the side and "取引できる株はありません".
QString ChoiceText(const QString& side, int32_t lots, const QString& amount,
                   const QString& perShare) {
    if (lots <= 0)
        return QCoreApplication::translate("FrmDlgTrade", "%1 取引できる株はありません").arg(side);
    return QCoreApplication::translate("FrmDlgTrade", "%1 %2 %3円 %4")
        .arg(side, SharesText(lots * TradeLot), amount, perShare);
}

// Return or Enter alone, which press a button.
bool IsReturnKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

QLabel* NewLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QComboBox* NewChoiceList(const QString& name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    combo->setMaxVisibleItems(14);
    // Styles that open a non-editable list over the whole screen (Fusion)
    // keep to 14 rows only when the popup is a plain list.
    combo->setStyleSheet(QStringLiteral("combobox-popup: 0;"));
    combo->setFixedWidth(MoneyFigureListWidth());
    return combo;
}

QPushButton* NewButton(const QString& name, const QString& text, int width, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setMinimumSize(width, 25);
    button->setAutoDefault(false);
    return button;
}

// A push button driven by an action: it shows the action's enabled state
// and executes the action when clicked.
void BindButton(QPushButton* button, QAction* action, void (TFormDlgTrade::*execute)(),
                TFormDlgTrade* form) {
    button->setEnabled(action->isEnabled());
    QObject::connect(action, &QAction::changed, button,
                     [button, action] { button->setEnabled(action->isEnabled()); });
    QObject::connect(button, &QPushButton::clicked, form, execute);
}

} // namespace

TFormDlgTrade::TFormDlgTrade(QWidget* owner, const TVxGame& game,
                             const TVxColumnInfos& marketColumns, const TVxCompany& company,
                             TVxTradeMode mode)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      FGame(game), FCompany(company), FMode(mode) {
    setObjectName("FormDlgTrade");
    setWindowTitle(QCoreApplication::translate("FrmDlgTrade", "株取引"));
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    resize(409, 387);
    InstallAccessibleTabBars();
    CreateControls(marketColumns);

    // The enabling rule is applied whenever the event loop goes idle, as
    // well as before Min or Max run.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &TFormDlgTrade::ActionList1Update);
    ComboBoxStock->setFocus();
}

void TFormDlgTrade::CreateControls(const TVxColumnInfos& marketColumns) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // Company information, one row per column of the market list.
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setFixedHeight(193);
    auto* tabSheet1 = new QWidget;
    tabSheet1->setObjectName("TabSheet1");
    auto* sheetLayout = new QVBoxLayout(tabSheet1);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    VxListView1 = new TVxListView(tabSheet1);
    VxListView1->setObjectName("VxListView1");
    VxListView1->setAccessibleName(QCoreApplication::translate("FrmDlgTrade", "銘柄情報"));
    VxListView1->SetColumnClick(false);
    VxListView1->AddColumn(QCoreApplication::translate("FrmDlgTrade", "項目"), 150,
                           TVxAlignment::Left);
    VxListView1->AddColumn(QCoreApplication::translate("FrmDlgTrade", "値"), 150,
                           TVxAlignment::Right);
    const TVxListColumnInfos& infos = marketColumns.ColumnInfos();
    for (int i = 0; i < infos.Count(); ++i)
        VxListView1->Model().AddItem({infos.Items(i).Caption, QString()});
    sheetLayout->addWidget(VxListView1);
    PageControl1->addTab(tabSheet1, QCoreApplication::translate("FrmDlgTrade", "銘柄情報"));
    PageControl1->tabBar()->setAccessibleName(QCoreApplication::translate("FrmDlgTrade", "銘柄"));
    layout->addWidget(PageControl1);

    // The buy and sell tabs with the choice of quantity.
    auto* tradeArea = new QWidget(this);
    tradeArea->setObjectName("TabControl1Area");
    auto* tradeLayout = new QVBoxLayout(tradeArea);
    tradeLayout->setContentsMargins(0, 4, 0, 0);
    tradeLayout->setSpacing(0);
    TabControl1 = new QTabBar(tradeArea);
    TabControl1->setObjectName("TabControl1");
    TabControl1->setAccessibleName(QCoreApplication::translate("FrmDlgTrade", "売買"));
    TabControl1->setExpanding(false);
    TabControl1->addTab(QCoreApplication::translate("FrmDlgTrade", "買い"));
    TabControl1->addTab(QCoreApplication::translate("FrmDlgTrade", "売り"));
    tradeLayout->addWidget(TabControl1);

    auto* choices = new QWidget(tradeArea);
    choices->setObjectName("TabControl1Client");
    auto* grid = new QGridLayout(choices);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(7);
    grid->setVerticalSpacing(3);
    grid->setColumnMinimumWidth(0, 121);
    ComboBoxStock = NewChoiceList("ComboBoxStock", choices);
    ComboBoxMoney = NewChoiceList("ComboBoxMoney", choices);
    // Each list is announced by the label before it.
    QLabel* stockLabel =
        NewLabel("Label1", QCoreApplication::translate("FrmDlgTrade", "株数"), choices);
    stockLabel->setBuddy(ComboBoxStock);
    QLabel* moneyLabel = NewLabel(
        "Label2", QCoreApplication::translate("FrmDlgTrade", "金額(手数料計算済み)"), choices);
    moneyLabel->setBuddy(ComboBoxMoney);
    grid->addWidget(stockLabel, 0, 0);
    grid->addWidget(ComboBoxStock, 0, 1);
    grid->addWidget(
        NewLabel("LabelStock", QCoreApplication::translate("FrmDlgTrade", "千株"), choices), 0, 2);
    grid->addWidget(moneyLabel, 1, 0);
    grid->addWidget(ComboBoxMoney, 1, 1);
    grid->addWidget(
        NewLabel("LabelMoney", QCoreApplication::translate("FrmDlgTrade", "円"), choices), 1, 2);
    LabelAboutStock1 = NewLabel("LabelAboutStock1", QString(), choices);
    LabelCharge = NewLabel("LabelCharge", QString(), choices);
    grid->addWidget(LabelAboutStock1, 2, 0, 1, 5);
    grid->addWidget(LabelCharge, 3, 0, 1, 5);

    FActMin = new QAction("Min", this);
    FActMin->setObjectName("ActMin");
    FActMax = new QAction("Max", this);
    FActMax->setObjectName("ActMax");
    Min = NewButton("Min", FActMin->text(), 41, choices);
    Max = NewButton("Max", FActMax->text(), 41, choices);
    BindButton(Min, FActMin, &TFormDlgTrade::ActMin, this);
    BindButton(Max, FActMax, &TFormDlgTrade::ActMax, this);
    auto* minMax = new QHBoxLayout;
    minMax->setSpacing(7);
    minMax->addSpacing(32);
    minMax->addWidget(Min);
    minMax->addWidget(Max);
    grid->addLayout(minMax, 0, 3, 2, 1, Qt::AlignVCenter);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(4, 1);
    tradeLayout->addWidget(choices, 1);
    layout->addWidget(tradeArea, 1);

    // OK and Cancel at the bottom right.
    auto* panel = new QWidget(this);
    panel->setObjectName("Panel");
    panel->setMinimumHeight(38);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(8, 6, 16, 6);
    panelLayout->setSpacing(7);
    panelLayout->addStretch(1);
    BtnOk = NewButton("BtnOk", "OK", 81, panel);
    BtnOk->setDefault(true);
    BtnCancel =
        NewButton("BtnCancel", QCoreApplication::translate("FrmDlgTrade", "キャンセル"), 81, panel);
    panelLayout->addWidget(BtnOk);
    panelLayout->addWidget(BtnCancel);
    layout->addWidget(panel);

    FAnnouncer = new TVxAnnouncer(this);

    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(TabControl1, &QTabBar::currentChanged, this, [this] {
        TabControl1Changing();
        TabControl1Change();
    });
    connect(ComboBoxStock, &QComboBox::activated, this, &TFormDlgTrade::ComboBoxStockChange);
    connect(ComboBoxMoney, &QComboBox::activated, this, &TFormDlgTrade::ComboBoxMoneyChange);
}

void TFormDlgTrade::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormDlgTrade::keyPressEvent(QKeyEvent* event) {
    if (!IsReturnKey(*event)) {
        QDialog::keyPressEvent(event);
        return;
    }
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    FReturnButton = focused && focused->isEnabled() ? focused : BtnOk;
    event->accept();
}

void TFormDlgTrade::keyReleaseEvent(QKeyEvent* event) {
    if (!IsReturnKey(*event) || event->isAutoRepeat() || !FReturnButton) {
        QDialog::keyReleaseEvent(event);
        return;
    }
    QPushButton* button = FReturnButton;
    FReturnButton = nullptr;
    event->accept();
    button->click();
}

void TFormDlgTrade::FormShow() {
    ActVLVData();
    {
        // Selecting the tab of the mode is not a switch by the player.
        const QSignalBlocker blocker(TabControl1);
        TabControl1->setCurrentIndex(TradeSideOf(FMode) == TVxTradeSide::Buy ? BuyTab : SellTab);
    }
    FShownTab = TabControl1->currentIndex();
    TabControl1Change();
    if (OpensAtLargest(FMode))
        ActMax();
    // Right from the first paint, not only from the first idle moment.
    ActionList1Update();
    FOpened = true;
}

void TFormDlgTrade::ActVLVData() {
    for (int i = 0; i < VxListView1->ItemCount(); ++i)
        VxListView1->Model().SetItemText(i, 1, CompanyColumnText(FCompany, i));
}

void TFormDlgTrade::ActBuyInfo() {
    FGame.BuildBuyOffers(FCompany, StockCountList, MoneyList);
    FillChoices(BuyItemIndex);
}

void TFormDlgTrade::ActSellInfo() {
    FGame.BuildSellOffers(FCompany, StockCountList, MoneyList);
    FillChoices(SellItemIndex);
}

void TFormDlgTrade::FillChoices(int restoreIndex) {
    std::vector<std::string> lotTexts;
    IntegerListToStrings(lotTexts, StockCountList);
    ComboBoxStock->clear();
    for (const std::string& text : lotTexts)
        ComboBoxStock->addItem(QString::fromStdString(text));
    ComboBoxStock->setCurrentIndex(
        restoreIndex >= 0 && restoreIndex < ComboBoxStock->count() ? restoreIndex : -1);

    ComboBoxMoney->clear();
    for (const int32_t money : MoneyList.Values())
        ComboBoxMoney->addItem(MoneyFigureText(money));
    ComboBoxMoney->setCurrentIndex(ComboBoxStock->currentIndex());

    ComboBoxStock->setEnabled(ComboBoxStock->count() > 0);
    ComboBoxMoney->setEnabled(ComboBoxStock->isEnabled());
    LabelCharge->setText(
        QCoreApplication::translate("FrmDlgTrade", "お取引時に手数料%1%をいただきます。")
            .arg(TradeFeePercent));
}

void TFormDlgTrade::TabControl1Changing() {
    (FShownTab == BuyTab ? BuyItemIndex : SellItemIndex) = ComboBoxStock->currentIndex();
}

void TFormDlgTrade::TabControl1Change() {
    FShownTab = TabControl1->currentIndex();
    if (FShownTab == BuyTab)
        ActBuyInfo();
    else
        ActSellInfo();
    UpdatePricePerShare();
}

void TFormDlgTrade::ComboBoxStockChange() {
    ComboBoxMoney->setCurrentIndex(ComboBoxStock->currentIndex());
    UpdatePricePerShare();
}

void TFormDlgTrade::ComboBoxMoneyChange() {
    ComboBoxStock->setCurrentIndex(ComboBoxMoney->currentIndex());
    UpdatePricePerShare();
}

void TFormDlgTrade::UpdatePricePerShare() {
    const int moneyIndex = ComboBoxMoney->currentIndex();
    const int lotsIndex = ComboBoxStock->currentIndex();
    if (moneyIndex < 0 || lotsIndex < 0)
        LabelAboutStock1->clear();
    else
        LabelAboutStock1->setText(
            PricePerShareText(MoneyList.Get(moneyIndex), StockCountList.Get(lotsIndex)));
    DescribeChoice();
}

void TFormDlgTrade::DescribeChoice() {
    const int index = ComboBoxStock->currentIndex();
    const QString choice = ChoiceText(TabControl1->tabText(TabControl1->currentIndex()),
                                      index < 0 ? 0 : StockCountList.Get(index),
                                      ComboBoxMoney->currentText(), LabelAboutStock1->text());
    for (QWidget* described :
         std::initializer_list<QWidget*>{ComboBoxStock, ComboBoxMoney, Min, Max, BtnOk})
        described->setAccessibleDescription(choice);
    if (FOpened)
        FAnnouncer->Announce(choice);
}

void TFormDlgTrade::ActMin() {
    ActionList1Update();
    if (!FActMin->isEnabled() || ComboBoxStock->currentIndex() < 0)
        return;
    ComboBoxStock->setCurrentIndex(0);
    ComboBoxStockChange();
}

void TFormDlgTrade::ActMax() {
    ActionList1Update();
    if (!FActMax->isEnabled() || ComboBoxStock->currentIndex() < 0)
        return;
    ComboBoxStock->setCurrentIndex(ComboBoxStock->count() - 1);
    ComboBoxStockChange();
}

void TFormDlgTrade::ActionList1Update() {
    const int count = ComboBoxStock->count();
    const int index = ComboBoxStock->currentIndex();
    FActMin->setEnabled(count >= 2 && index != 0);
    FActMax->setEnabled(count >= 2 && index != count - 1);
}

std::optional<TVxTradeChoice> TFormDlgTrade::Choice() const {
    const int index = ComboBoxStock->currentIndex();
    if (index < 0)
        return std::nullopt;
    return TVxTradeChoice{TabControl1->currentIndex() == BuyTab ? TVxTradeSide::Buy
                                                                : TVxTradeSide::Sell,
                          {StockCountList.Get(index), MoneyList.Get(index)}};
}
