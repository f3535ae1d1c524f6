#pragma once

// The modal share-trade dialog.  The window creates one per trade over its
// game, sets `Company` and the mode `Tag` (0 buy, 1 sell, 2 buy all, 3 sell
// all), runs exec() and, when it returns Accepted, calls ActTrade() to
// settle the chosen quantity on the game.  Until then nothing of the game
// changes.
//
// The dialog offers only the quantities that can actually be traded, with
// the fee included in every amount; the arithmetic is that of VxTrade.h.

#include "VxRTL/EtcLists/MyList.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class QTabWidget;
class TVxColumnInfos;
class TVxCompany;
class TVxGame;
class TVxListView;

class TFormDlgTrade : public QDialog {
    Q_OBJECT
public:
    // Trades on `game`, which outlives the dialog.  `marketColumns` is the
    // market list's column set: its definitions, in collection order, name
    // the rows of the information list.
    TFormDlgTrade(QWidget* owner, TVxGame& game, const TVxColumnInfos& marketColumns);

    TVxCompany* Company = nullptr; // not owned; set before exec()
    int Tag = 0;                   // trade mode, 0..3

    // Offered lot counts (ascending) and the money of each, in 万円.
    TIntegerList StockCountList;
    TIntegerList MoneyList;
    // The lot choice of the tab that is not shown.
    int BuyItemIndex = 0;
    int SellItemIndex = 0;

    // Settles the chosen quantity: a purchase on the buy tab, a sale on the
    // sell tab; nothing without a choice.
    void ActTrade();

    void ActMin();
    void ActMax();
    // Enables Min and Max: each only when it would move the choice.
    void ActionList1Update();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls(const TVxColumnInfos& marketColumns);
    void FormShow();
    void ActVLVData();
    void ActBuyInfo();
    void ActSellInfo();
    void FillChoices(int restoreIndex);
    void TabControl1Changing();
    void TabControl1Change();
    void ComboBoxStockChange();
    void ComboBoxMoneyChange();
    void UpdatePricePerShare();
    void ActBuy();
    void ActSell();

    TVxGame& FGame;

    QTabWidget* PageControl1 = nullptr;
    TVxListView* VxListView1 = nullptr;
    QTabBar* TabControl1 = nullptr;
    QComboBox* ComboBoxStock = nullptr;
    QComboBox* ComboBoxMoney = nullptr;
    QLabel* LabelAboutStock1 = nullptr;
    QLabel* LabelCharge = nullptr;
    QPushButton* Min = nullptr;
    QPushButton* Max = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnCancel = nullptr;
    QAction* FActMin = nullptr;
    QAction* FActMax = nullptr;
    // The tab whose choices the lists hold; a switch leaves it last.
    int FShownTab = 0;
};
