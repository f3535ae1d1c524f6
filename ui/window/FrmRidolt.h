#pragma once

// The main window: the next-month button, the market, holdings and balance
// pages, the price chart, the message log and the status bar.  It shows the
// game it is given and drives it through named actions; every change of the
// game ends with ActDataReflect, which has every part read the game again.
//
// The window is the wiring between parts that each read the game on their
// own: the two company list pages (VxCompanyListPage), the balance pages
// (VxBalanceList), the page of the game's history (VxAssetPage), the chart
// (VxPriceChart), the status bar (VxGameStatusBar), the log
// (VxQtMessageLog), the save slots (VxSaveSlots), the keeper of the games
// played (VxGameKeeper) and their items in the load menu (VxKeptGameMenu),
// the months that pass by themselves (VxAutoPlay) and the record of
// finished games (VxRecordsFile, VxRecordsDialog).

#include "ui/dialogs/VxTradeMode.h"
#include "ui/window/VxQtGameEvents.h"
#include "ui/window/VxQtMessageBox.h"
#include "ui/window/VxQtMessageLog.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class TVxAssetPage;
class TVxAutoPlay;
class TFileDropTarget;
class TVxAboutAction;
class TVxAnnouncer;
class TVxCompany;
class TVxCompanyListPage;
class TVxExitAction;
class TVxGame;
class TVxGameStatusBar;
class TVxListView;
class TVxModalQueue;
class TVxOpenAppFolderAction;
class TVxPriceChart;
class TVxGameKeeper;
class TVxKeptGameMenu;
class TVxSaveSlots;
class TVxTimer;
class TVxViewHelpHtmlAction;

class TFormRidolt : public QMainWindow {
    Q_OBJECT
public:
    // Default size on a desktop; the design size is too small for the lists.
    static constexpr int DefaultWidth = 1000;
    static constexpr int DefaultHeight = 720;

    // Shows and drives `game`, which outlives the window.
    explicit TFormRidolt(TVxGame& game, QWidget* parent = nullptr);
    ~TFormRidolt() override;

    // The enabling rules of the game actions.  Runs whenever the event loop
    // goes idle and before an action is executed.
    void ActionList1Update();
    // A menu is about to open: the enabling rules are applied, and months
    // no longer pass by themselves.
    void MenuAboutToShow();

    // The refresh that follows every change of the game: the lists, the
    // shown page, the chart and the status bar read the game again.
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
    // However the window closes (its close box, 終了, the window system, a
    // termination signal), the game played is kept.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void CreateActions();
    void CreateLayout();
    void CreateMainMenu();
    void CreatePopupMenus();
    QAction* NewAction(const char* objectName, const QString& caption, const QString& category);
    void FormActivate();
    // Keeps the game played, then starts a new one, of `seed` when given.
    void StartNewGame(std::optional<uint64_t> seed = std::nullopt);
    // The game ended by what just happened: its record is kept, and the
    // window turns to 資産推移.
    void ShowGameEnd(bool endedBefore);
    // Adds the record of the game that has just ended to 記録.
    void KeepRecord();
    // The game is another one now (a new game, a load): nothing of the last
    // one stays in the window, which shows the new one.
    void ShowReplacedGame();
    void ExecuteAction(QAction* action);
    // The question every new game asks first; true for OK.
    bool ConfirmNewGame();
    void ActGameNewExecute();
    void ActGameNewSeedExecute();
    void PageControl1Change();
    // 資産推移 has the window's central area while it is shown: the price
    // chart and the log give it their room, and come back, as the 表示
    // menu's check marks say, when another page is shown.
    void ShowPanes();
    bool ChartShownSelection();
    void ActChartVisibleExecute();
    void ActMessageVisibleExecute();
    void ActVLVNowBalanceDataExecute();
    void ActVLVPreBalanceDataExecute();
    void ActChartReflectExecute();
    void CompanyListSelectItem(TVxCompany* company);
    void TradeFocusedCompany(const TVxCompanyListPage& page, TVxTradeMode mode);
    // Before a change that moves the lists' rows (see TVxCompanyListPage).
    void ForgetUnselectedFocus();
    void VxTimerNextMonthTimer();
    void ActNextMonthExecute();
    void ActTimerEnabledExecute();
    void ActSetStatusBarTextExecute();
    void ActMessageClearExecute();
    void PanelControlResize();
    void GameLoaded(const QString& path);
    void OpenPath(const QString& path);
    void FileDropTarget1FileDrop(const QStringList& droppedFiles);

    TVxGame& FGame;
    // The company charted; it belongs to the game's market, may be none.
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
    TVxCompanyListPage* FMarketPage = nullptr;
    TVxCompanyListPage* FOwnerPage = nullptr;
    TVxListView* VLVMarket = nullptr;
    TVxListView* VLVOwner = nullptr;
    TVxListView* VLVNowBalance = nullptr;
    TVxListView* VLVPreBalance = nullptr;
    TVxAssetPage* TabSheet5 = nullptr;
    TVxPriceChart* Chart1 = nullptr;
    QPlainTextEdit* RichEditMessage = nullptr;
    TVxGameStatusBar* StatusBar1 = nullptr;
    // Tells a screen reader what the game did away from the focus.
    TVxAnnouncer* FAnnouncer = nullptr;

    // Non-visual parts
    TVxTimer* VxTimerNextMonth = nullptr;
    // 自動進行, carried by VxTimerNextMonth.
    TVxAutoPlay* FAutoPlay = nullptr;
    TFileDropTarget* FileDropTarget1 = nullptr;
    TVxSaveSlots* FSaveSlots = nullptr;
    TVxGameKeeper* FKeeper = nullptr;
    TVxKeptGameMenu* FKeptGameMenu = nullptr;
    std::unique_ptr<TVxQtMessageLog> FMessageLog;
    std::unique_ptr<TVxQtMessageBox> FMessageBox;
    std::unique_ptr<TVxQtGameEvents> FGameEvents;
    // Paths handed over while a dialog or box is open wait here.
    TVxModalQueue* FModalQueue = nullptr;

    // Menus
    QMenu* MIGame = nullptr;
    QMenu* MILoad = nullptr;
    QMenu* MISave = nullptr;
    QMenu* MIView = nullptr;
    QMenu* MIHelp = nullptr;
    QMenu* PMRichEdit1 = nullptr;
    QMenu* PMChart = nullptr;

    // Actions of the game; each list page has its own trade and list
    // actions.
    QAction* ActMessageClear = nullptr;
    QAction* ActChartVisible = nullptr;
    QAction* ActMessageVisible = nullptr;
    QAction* ActNextMonth = nullptr;
    QAction* ActTimerEnabled = nullptr;

    // Standard actions and the load and save menus
    TVxViewHelpHtmlAction* VxViewHelpHtmlAction1 = nullptr;
    TVxAboutAction* VxAboutAction1 = nullptr;
    TVxExitAction* VxExitAction1 = nullptr;
    TVxOpenAppFolderAction* VxOpenAppFolderAction1 = nullptr;
    QAction* ActMILoad = nullptr;
    QAction* ActMISave = nullptr;
    QAction* ActGameNew = nullptr;
    QAction* ActGameNewSeed = nullptr;
    QAction* ActRecords = nullptr;
};
