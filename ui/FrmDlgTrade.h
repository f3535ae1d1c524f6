#pragma once

// The modal share-trade dialog.  The window creates one per trade for the
// company and the mode of the command, runs exec() and, when it returns
// Accepted, settles the Choice() through the game (SettleTradeChoice).  The
// dialog itself never changes the game.
//
// The dialog offers only the quantities the game offers (its
// BuildBuyOffers and BuildSellOffers), with the fee included in every
// amount.

#include "VxRTL/EtcLists/MyList.h"
#include "ui/VxTradeMode.h"

#include <QDialog>

#include <optional>

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
    // Offers trades of `company` in `game`, both of which outlive the
    // dialog, opening as `mode` says.  `marketColumns` is the market list's
    // column set: its definitions, in collection order, name the rows of
    // the information list.
    TFormDlgTrade(QWidget* owner, const TVxGame& game, const TVxColumnInfos& marketColumns,
                  const TVxCompany& company, TVxTradeMode mode);

    const TVxCompany& Company() const { return FCompany; }
    TVxTradeMode Mode() const { return FMode; }

    // The trade chosen: the offer selected on the tab shown, a purchase on
    // the buy tab, a sale on the sell tab; none without a selection.
    std::optional<TVxTradeChoice> Choice() const;

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

    const TVxGame& FGame;
    const TVxCompany& FCompany;
    const TVxTradeMode FMode;
    // Offered lot counts (ascending) and the money of each, in 万円.
    TIntegerList StockCountList;
    TIntegerList MoneyList;
    // The lot choice of the tab that is not shown.
    int BuyItemIndex = 0;
    int SellItemIndex = 0;

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
