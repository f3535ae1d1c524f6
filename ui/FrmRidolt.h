#pragma once

// The main window: the next-month button, the market, holdings and balance
// pages, the price chart, the message log and the status bar.  It shows the
// global `Game` and drives it through named actions; every change of the
// game ends with ActDataReflect, which re-reads everything shown from the
// game.  No view keeps a copy of game data.
//
// The window is split by concern over several files:
//   FrmRidolt.cpp       creation, layout, menus, actions and their enabling,
//                       first activation, new game and the central refresh
//   FrmRidoltLists.cpp  the market and holdings lists and the trade commands
//   FrmRidoltMonth.cpp  the month step, the timer, the status bar and the log
//   FrmRidoltFiles.cpp  the save slots and every way a save file is opened

#include "ui/VxQtMessageBox.h"
#include "ui/VxQtMessageLog.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTabWidget;
class TCustomVxCompanyList;
class TFileDropTarget;
class TVxAboutAction;
class TVxColumnInfos;
class TVxCompany;
class TVxCompanyList;
class TVxExitAction;
class TVxListView;
class TVxModalQueue;
class TVxOpenAppFolderAction;
class TVxPriceChart;
class TVxStatusPanels;
class TVxTimer;
class TVxViewHelpHtmlAction;

class TFormRidolt : public QMainWindow {
    Q_OBJECT
public:
    // Default size on a desktop; the design size is too small for the lists.
    static constexpr int DefaultWidth = 1000;
    static constexpr int DefaultHeight = 720;

    explicit TFormRidolt(QWidget* parent = nullptr);
    ~TFormRidolt() override;

    // The enabling rules of the game actions.  Runs whenever the event loop
    // goes idle and before an action is executed.
    void ActionList1Update();

    // The refresh that follows every change of the game: holdings row count,
    // the rows on screen, the shown page, the chart and the status bar.
    void ActDataReflect();

signals:
    // Raised once, at the end of the first activation: the new game is
    // shown, so a path waiting to be opened may now replace it.
    void FirstActivated();

public slots:
    // A request handed to the window by this program's command line or by a
    // second start of the program: kind 1 carries a path to open.
    void CopyDataReceived(int kind, const QString& text);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // FrmRidolt.cpp
    void FormCreate();
    void CreateActions();
    void CreateLayout();
    void CreateMainMenu();
    void CreatePopupMenus();
    QAction* NewAction(const char* objectName, const QString& caption, const QString& category);
    QAction* NewTradeAction(const char* objectName, const QString& caption, const QString& category,
                            int tag);
    void FormActivate();
    void StartNewGame();
    void ForgetCompanies();
    void ExecuteAction(QAction* action);
    void ActGameNewExecute();
    void SyncOwnerItemCount();
    void PageControl1Change();
    void ActChartVisibleExecute();
    void ActMessageVisibleExecute();
    void ActVLVNowBalanceDataExecute();
    void ActVLVPreBalanceDataExecute();
    void ActChartReflectExecute();

    // FrmRidoltLists.cpp
    void SetUpCompanyList(TVxListView& view, TVxColumnInfos& columns,
                          const TVxCompanyList& companies);
    void VLVMarketColumnClick(int column);
    void VLVOwnerColumnClick(int column);
    void CompanyListColumnClick(TVxListView& view, TVxCompanyList& companies, int column);
    void CompanyListSelectItem(const TCustomVxCompanyList& companies, int row, bool selected);
    void ActGetVLVFocusedCompany();
    void ActSetVLVFocusedCompany();
    void TradeFocusedCompany(const TVxListView& view, const TCustomVxCompanyList& companies,
                             const QAction& action);
    void ClearListSelection(TVxListView& view);
    void ResetListColumnWidths(TVxListView& view);

    // FrmRidoltMonth.cpp
    void VxTimerNextMonthTimer();
    void ActNextMonthExecute();
    void ActTimerEnabledExecute();
    void ActSetStatusBarTextExecute();
    void ActMessageClearExecute();
    void StatusBar1Resize();
    void PanelControlResize();

    // FrmRidoltFiles.cpp
    void CreateFileCommands();
    void ActMILoadExecute();
    void ActMISaveExecute();
    void ActDataLoadExecute(const QAction& sender);
    void ActDataSaveExecute(const QAction& sender);
    bool OpenGameFile(const QString& path);
    bool SaveGameFile(const QString& path);
    void OpenPath(const QString& path);
    void FileDropTarget1FileDrop(const QStringList& droppedFiles);

    // Remembered across re-sorts, and the company charted; all point into
    // Game.MarketList, none is owned, each may be none.
    TVxCompany* MarketFocusCompany = nullptr;
    TVxCompany* OwnerFocusCompany = nullptr;
    TVxCompany* ChartCompany = nullptr;
    bool FirstActivationDone = false;

    // Layout
    QWidget* PanelMain = nullptr;
    QWidget* PanelControl = nullptr;
    QPushButton* BtnNextMonth = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* Panel = nullptr;
    QSplitter* Splitter2 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    TVxListView* VLVMarket = nullptr;
    TVxListView* VLVOwner = nullptr;
    TVxListView* VLVNowBalance = nullptr;
    TVxListView* VLVPreBalance = nullptr;
    TVxPriceChart* Chart1 = nullptr;
    QPlainTextEdit* RichEditMessage = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    TVxStatusPanels* StatusBar1Panels = nullptr;

    // Non-visual parts
    TVxColumnInfos* VCIMarket = nullptr;
    TVxColumnInfos* VCIOwner = nullptr;
    TVxTimer* VxTimerNextMonth = nullptr;
    TFileDropTarget* FileDropTarget1 = nullptr;
    std::unique_ptr<TVxQtMessageLog> FMessageLog;
    std::unique_ptr<TVxQtMessageBox> FMessageBox;
    // Paths handed over while a dialog or box is open wait here.
    TVxModalQueue* FModalQueue = nullptr;

    // Menus
    QMenu* MIGame = nullptr;
    QMenu* MILoad = nullptr;
    QMenu* MISave = nullptr;
    QMenu* MIView = nullptr;
    QMenu* MIHelp = nullptr;
    QMenu* MIGameTest = nullptr;
    QMenu* PMMarket = nullptr;
    QMenu* PMOwner = nullptr;
    QMenu* PMRichEdit1 = nullptr;
    QMenu* PMChart = nullptr;

    // Actions of the game, in the order of their enabling rules
    QAction* ActVLVMarketBuyStock = nullptr;
    QAction* ActVLVMarketSellStock = nullptr;
    QAction* ActVLVMarketBuyStockAll = nullptr;
    QAction* ActVLVMarketSellStockAll = nullptr;
    QAction* ActVLVOwnerBuyStock = nullptr;
    QAction* ActVLVOwnerSellStock = nullptr;
    QAction* ActVLVOwnerBuyStockAll = nullptr;
    QAction* ActVLVOwnerSellStockAll = nullptr;
    QAction* ActVLVMarketClearSelection = nullptr;
    QAction* ActVLVMarketResetColumnWidths = nullptr;
    QAction* ActVLVOwnerClearSelection = nullptr;
    QAction* ActVLVOwnerResetColumnWidths = nullptr;
    QAction* ActMessageClear = nullptr;
    QAction* ActChartVisible = nullptr;
    QAction* ActMessageVisible = nullptr;
    QAction* ActNextMonth = nullptr;
    QAction* ActTimerEnabled = nullptr;
    QAction* ActTest001 = nullptr;
    QAction* ActTest002 = nullptr;

    // Standard actions and the load and save menus
    TVxViewHelpHtmlAction* VxViewHelpHtmlAction1 = nullptr;
    TVxAboutAction* VxAboutAction1 = nullptr;
    TVxExitAction* VxExitAction1 = nullptr;
    TVxOpenAppFolderAction* VxOpenAppFolderAction1 = nullptr;
    QAction* ActMILoad = nullptr;
    QAction* ActMISave = nullptr;
    QAction* ActGameNew = nullptr;
};
