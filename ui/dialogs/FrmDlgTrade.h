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
#include "ui/dialogs/VxTradeMode.h"

#include <QDialog>
#include <QPointer>

#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class QTabWidget;
class TVxAnnouncer;
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
    // Return and Enter press the button that has the focus (キャンセル,
    // Min, Max), and OK from anywhere else, as a dialog's default button
    // follows the focus among its buttons.  They press it when they are
    // released, not pressed: the release then reaches a screen reader
    // while the dialog is still the window it knows.  A release that comes after the dialog has
    // closed makes Orca 43 take whatever window is active then (the box of a sale that wins the
    // game) for the one it knows, and present only its button.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

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
    // Tells assistive technology what the choice shown comes to: the
    // description of the lists and buttons, and, once the dialog is open,
    // a line said at once.
    void DescribeChoice();

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
    TVxAnnouncer* FAnnouncer = nullptr;
    // The tab whose choices the lists hold; a switch leaves it last.
    int FShownTab = 0;
    // The dialog is open: what changes the choice now is the player.
    bool FOpened = false;
    // The button that Return or Enter, down now, presses on its release.
    QPointer<QPushButton> FReturnButton;
};
