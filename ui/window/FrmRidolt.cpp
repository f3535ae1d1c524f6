#include "ui/window/FrmRidolt.h"

#include "app/VxActns.h"
#include "app/VxAppInfo.h"
#include "app/VxAppPaths.h"
#include "app/VxCopyData.h"
#include "app/VxFileDropTarget.h"
#include "components/VxAccessibleTabBar.h"
#include "components/VxAnnouncer.h"
#include "components/VxInstantButton.h"
#include "components/VxListView.h"
#include "components/VxTimer.h"
#include "game/VxGame.h"
#include "game/VxSeed.h"
#include "ui/assets/VxAssetPage.h"
#include "ui/balance/VxBalanceList.h"
#include "ui/charts/VxMonthChartAccessible.h"
#include "ui/charts/VxPriceChart.h"
#include "ui/dialogs/FrmDlgTrade.h"
#include "ui/dialogs/VxRecordsDialog.h"
#include "ui/dialogs/VxSeedDialog.h"
#include "ui/lists/VxCompanyListPage.h"
#include "ui/saves/VxGameKeeper.h"
#include "ui/saves/VxKeptGameMenu.h"
#include "ui/saves/VxRecordsFile.h"
#include "ui/saves/VxSaveSlots.h"
#include "ui/window/VxActionCategory.h"
#include "ui/window/VxAutoPlay.h"
#include "ui/window/VxContextMenu.h"
#include "ui/window/VxGameStatusBar.h"
#include "ui/window/VxModalQueue.h"
#include "ui/window/VxReflectBeforeBox.h"
#include "ui/window/VxWaitCursor.h"
#include "ui/words/VxFileErrorText.h"
#include "ui/words/VxGameEventText.h"
#include "ui/words/VxGameNews.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace {

// Sizes of the layout in pixels.  The chart and the log start taller than
// their design heights (98 and 84), which leave a chart without room for
// its axes.
constexpr int PanelControlHeight = 41;
constexpr int SplitterHandleWidth = 6;
constexpr int ChartHeight = 190;
constexpr int MessageHeight = 100;
constexpr int BtnNextMonthLeft = 8;
constexpr int BtnNextMonthTop = 8;
constexpr int BtnNextMonthHeight = 25;
// The news of months played faster than this comes as the latest month.
constexpr std::chrono::milliseconds MonthNewsGap{1000};

// A page of the tabbed pages holding one list that fills it; a screen
// reader names the list after its page.
void AddListPage(QTabWidget& pages, const char* objectName, QWidget* list, const QString& caption) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(objectName));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list);
    list->setAccessibleName(caption);
    pages.addTab(page, caption);
}

template <typename TWidget> TWidget* Named(TWidget* widget, const char* objectName) {
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

} // namespace

TFormRidolt::TFormRidolt(TVxGame& game, QWidget* parent) : QMainWindow(parent), FGame(game) {
    setObjectName(QStringLiteral("FormRidolt"));
    InstallAccessibleTabBars();
    InstallAccessibleMonthCharts();
    FMessageBox = std::make_unique<TVxQtMessageBox>(this);
    FModalQueue = new TVxModalQueue(*this);
    FMarketPage = new TVxCompanyListPage(FGame, TVxCompanyListKind::Market, this);
    FOwnerPage = new TVxCompanyListPage(FGame, TVxCompanyListKind::Owner, this);
    VLVMarket = &FMarketPage->View();
    VLVOwner = &FOwnerPage->View();
    CreateActions();
    CreateLayout();
    CreateMainMenu();
    CreatePopupMenus();
    resize(DefaultWidth, DefaultHeight);
    FormCreate();

    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &TFormRidolt::ActionList1Update);
}

TFormRidolt::~TFormRidolt() {
    if (FGame.Events() == FGameEvents.get())
        FGame.SetEvents(nullptr);
}

void TFormRidolt::FormCreate() {
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    // The title is the game's name alone.  Qt's application display name
    // stays unset: the platform would append it to the title of every
    // dialog and box ("確認 — リドルト").
    setWindowTitle(VxAppInfo::Title());
    VxAboutAction1->SetApplicationName(VxAppInfo::Title());
    VxAboutAction1->SetApplicationVer(VxAppInfo::Version());
    VxAboutAction1->SetCopyrightInfo(VxAppInfo::Copyright());
    VxViewHelpHtmlAction1->SetFileName(HelpHtmlFileName());
    FMessageLog = std::make_unique<TVxQtMessageLog>(*RichEditMessage);
    FGameEvents = std::make_unique<TVxQtGameEvents>(*FMessageLog, *FMessageBox);
    FGame.SetEvents(FGameEvents.get());
    // The window has always let the player buy while a refused month
    // waits for sales: the warning asks for sales but forbids nothing.
    FGame.AllowPurchasesWhileSalesAwaited(true);
}

QAction* TFormRidolt::NewAction(const char* objectName, const QString& caption,
                                const QString& category) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(objectName));
    if (!category.isEmpty())
        SetActionCategory(*action, category);
    return action;
}

void TFormRidolt::CreateActions() {
    const QString view = QCoreApplication::translate("FrmRidolt", "表示");
    ActMessageClear = NewAction(
        "ActMessageClear", QCoreApplication::translate("FrmRidolt", "メッセージクリア(&C)"), {});
    connect(ActMessageClear, &QAction::triggered, this, &TFormRidolt::ActMessageClearExecute);
    ActChartVisible = NewAction("ActChartVisible",
                                QCoreApplication::translate("FrmRidolt", "グラフ表示(&C)"), view);
    ActChartVisible->setCheckable(true);
    ActChartVisible->setChecked(true);
    connect(ActChartVisible, &QAction::triggered, this, &TFormRidolt::ActChartVisibleExecute);
    ActMessageVisible = NewAction(
        "ActMessageVisible", QCoreApplication::translate("FrmRidolt", "メッセージ表示(&M)"), view);
    ActMessageVisible->setCheckable(true);
    ActMessageVisible->setChecked(true);
    connect(ActMessageVisible, &QAction::triggered, this, &TFormRidolt::ActMessageVisibleExecute);

    ActNextMonth =
        NewAction("ActNextMonth", QCoreApplication::translate("FrmRidolt", "次の月へ(&N)"), {});
    connect(ActNextMonth, &QAction::triggered, this, &TFormRidolt::ActNextMonthExecute);
    // The month timer's switch is bound to no menu, button or key: the
    // player never runs months by the timer.
    ActTimerEnabled =
        NewAction("ActTimerEnabled", QCoreApplication::translate("FrmRidolt", "再開する"), {});
    ActTimerEnabled->setCheckable(true);
    connect(ActTimerEnabled, &QAction::triggered, this, &TFormRidolt::ActTimerEnabledExecute);

    VxViewHelpHtmlAction1 = Named(new TVxViewHelpHtmlAction(this), "VxViewHelpHtmlAction1");
    VxAboutAction1 = Named(new TVxAboutAction(this), "VxAboutAction1");
    VxExitAction1 = Named(new TVxExitAction(this), "VxExitAction1");
    VxOpenAppFolderAction1 = Named(new TVxOpenAppFolderAction(this), "VxOpenAppFolderAction1");
    // The standard actions work wherever the focus is.
    for (QAction* action : std::initializer_list<QAction*>{VxViewHelpHtmlAction1, VxAboutAction1,
                                                           VxExitAction1, VxOpenAppFolderAction1})
        addAction(action);

    ActGameNew =
        NewAction("ActGameNew", QCoreApplication::translate("FrmRidolt", "ニューゲーム(&N)"), {});
    connect(ActGameNew, &QAction::triggered, this, &TFormRidolt::ActGameNewExecute);
    ActGameNewSeed =
        NewAction("ActGameNewSeed",
                  QCoreApplication::translate("FrmRidolt", "シード指定ニューゲーム(&S)..."), {});
    connect(ActGameNewSeed, &QAction::triggered, this, &TFormRidolt::ActGameNewSeedExecute);
    ActRecords =
        NewAction("ActRecords", QCoreApplication::translate("FrmRidolt", "記録(&R)..."), {});
    connect(ActRecords, &QAction::triggered, this, [this] { TVxRecordsDialog::Show(this); });

    VxTimerNextMonth = Named(new TVxTimer(this), "VxTimerNextMonth");
    VxTimerNextMonth->SetEnabled(false);
    VxTimerNextMonth->SetInterval(1);
    connect(VxTimerNextMonth, &TVxTimer::Timer, this, &TFormRidolt::VxTimerNextMonthTimer);
    FAutoPlay = new TVxAutoPlay(*VxTimerNextMonth, *this);
}

void TFormRidolt::CreateLayout() {
    PanelMain = Named(new QWidget(this), "PanelMain");
    setCentralWidget(PanelMain);
    auto* mainLayout = new QVBoxLayout(PanelMain);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);

    PanelControl = Named(new QWidget(PanelMain), "PanelControl");
    PanelControl->setFixedHeight(PanelControlHeight);
    PanelControl->installEventFilter(this);
    // Every press of Alt+N plays a month, however quick.
    BtnNextMonth = Named(new TVxInstantButton(ActNextMonth->text(), PanelControl), "BtnNextMonth");
    connect(BtnNextMonth, &QPushButton::clicked, this, [this] { ExecuteAction(ActNextMonth); });
    connect(ActNextMonth, &QAction::changed, BtnNextMonth, [this] {
        BtnNextMonth->setText(ActNextMonth->text());
        BtnNextMonth->setEnabled(ActNextMonth->isEnabled());
    });
    PanelControlResize();
    mainLayout->addWidget(PanelControl);

    for (TVxCompanyListPage* page : {FMarketPage, FOwnerPage}) {
        connect(page, &TVxCompanyListPage::CompanySelected, this,
                &TFormRidolt::CompanyListSelectItem);
        connect(page, &TVxCompanyListPage::Activated, this,
                [this, page] { ExecuteAction(&page->DefaultTradeAction()); });
        connect(page, &TVxCompanyListPage::TradeRequested, this,
                [this, page](TVxTradeMode mode) { TradeFocusedCompany(*page, mode); });
        connect(page, &TVxCompanyListPage::MenuAboutToShow, this, &TFormRidolt::MenuAboutToShow);
    }

    VLVNowBalance = Named(new TVxListView, "VLVNowBalance");
    VLVPreBalance = Named(new TVxListView, "VLVPreBalance");
    SetupBalanceList(*VLVNowBalance);
    SetupBalanceList(*VLVPreBalance);

    PageControl1 = Named(new QTabWidget, "PageControl1");
    AddListPage(*PageControl1, "TabSheet1", VLVMarket,
                QCoreApplication::translate("FrmRidolt", "市場銘柄"));
    AddListPage(*PageControl1, "TabSheet2", VLVOwner,
                QCoreApplication::translate("FrmRidolt", "所有銘柄"));
    AddListPage(*PageControl1, "TabSheet3", VLVNowBalance,
                QCoreApplication::translate("FrmRidolt", "本年度収支予想"));
    AddListPage(*PageControl1, "TabSheet4", VLVPreBalance,
                QCoreApplication::translate("FrmRidolt", "前年度収支"));
    TabSheet5 = Named(new TVxAssetPage(FGame), "TabSheet5");
    PageControl1->addTab(TabSheet5, QCoreApplication::translate("FrmRidolt", "資産推移"));
    PageControl1->setCurrentIndex(0);
    PageControl1->tabBar()->setAccessibleName(QCoreApplication::translate("FrmRidolt", "ページ"));
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        ShowPanes();
        PageControl1Change();
    });

    Chart1 = Named(new TVxPriceChart, "Chart1");
    Panel = Named(new QWidget, "Panel");
    auto* panelLayout = new QVBoxLayout(Panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    Splitter2 = Named(new QSplitter(Qt::Vertical, Panel), "Splitter2");
    Splitter2->setHandleWidth(SplitterHandleWidth);
    Splitter2->setChildrenCollapsible(false);
    Splitter2->addWidget(PageControl1);
    Splitter2->addWidget(Chart1);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    panelLayout->addWidget(Splitter2);

    RichEditMessage = Named(new QPlainTextEdit, "RichEditMessage");
    RichEditMessage->setReadOnly(true);
    RichEditMessage->setAccessibleName(QCoreApplication::translate("FrmRidolt", "メッセージ"));
    RichEditMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Splitter1 = Named(new QSplitter(Qt::Vertical, PanelMain), "Splitter1");
    Splitter1->setHandleWidth(SplitterHandleWidth);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(Panel);
    Splitter1->addWidget(RichEditMessage);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    mainLayout->addWidget(Splitter1, 1);

    const int pagesHeight = DefaultHeight; // shrinks to what is left
    Splitter2->setSizes({pagesHeight, ChartHeight});
    Splitter1->setSizes({pagesHeight, MessageHeight});

    StatusBar1 = Named(new TVxGameStatusBar, "StatusBar1");
    setStatusBar(StatusBar1);
    FAnnouncer = new TVxAnnouncer(this, MonthNewsGap);
    connect(FAutoPlay, &TVxAutoPlay::RunningChanged, StatusBar1, [this] {
        StatusBar1->ShowAutoPlay(FAutoPlay->StatusText());
        // Stopped, it says where the months left the game: of the months
        // played faster than speech only the latest was heard, if any.
        const QString line = FAutoPlay->Announcement();
        FAnnouncer->Announce(
            FAutoPlay->Running()
                ? line
                : QCoreApplication::translate("FrmRidolt", "%1。%2").arg(line, MonthNews(FGame)));
    });

    FileDropTarget1 = Named(new TFileDropTarget(this), "FileDropTarget1");
    connect(FileDropTarget1, &TFileDropTarget::OnFileDrop, this,
            &TFormRidolt::FileDropTarget1FileDrop);
}

void TFormRidolt::CreateMainMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenuGame"));

    MIGame = Named(bar->addMenu(QCoreApplication::translate("FrmRidolt", "ゲーム(&G)")), "MIGame");
    MIGame->addAction(ActGameNew);
    MIGame->addAction(ActGameNewSeed);
    MIGame->addAction(&FAutoPlay->ToggleAction());
    MIGame->addMenu(&FAutoPlay->SpeedMenu());
    MIGame->addAction(ActRecords);
    MIGame->addSeparator();
    MIGame->addAction(VxExitAction1);

    const QString loadSave = QCoreApplication::translate("FrmRidolt", "ロードセーブ");
    MILoad = Named(bar->addMenu(QCoreApplication::translate("FrmRidolt", "ロード(&L)")), "MILoad");
    ActMILoad = Named(MILoad->menuAction(), "ActMILoad");
    SetActionCategory(*ActMILoad, loadSave);
    MISave = Named(bar->addMenu(QCoreApplication::translate("FrmRidolt", "セーブ(&S)")), "MISave");
    ActMISave = Named(MISave->menuAction(), "ActMISave");
    SetActionCategory(*ActMISave, loadSave);
    FSaveSlots = new TVxSaveSlots(FGame, *FMessageBox, *MILoad, *MISave, this);
    FKeeper = new TVxGameKeeper(FGame, *FSaveSlots, this);
    connect(FKeeper, &TVxGameKeeper::WriteFailed, StatusBar1, &TVxGameStatusBar::ShowHint);
    // The game played is written before any file replaces it.
    connect(FSaveSlots, &TVxSaveSlots::AboutToLoad, FKeeper, &TVxGameKeeper::KeepBeforeReplace);
    connect(FSaveSlots, &TVxSaveSlots::Loaded, this, &TFormRidolt::GameLoaded);
    FKeptGameMenu = new TVxKeptGameMenu(*FSaveSlots, *FKeeper, *MILoad, this);

    MIView = Named(bar->addMenu(QCoreApplication::translate("FrmRidolt", "表示(&V)")), "MIView");
    MIView->addAction(ActChartVisible);
    MIView->addAction(ActMessageVisible);

    MIHelp = Named(bar->addMenu(QCoreApplication::translate("FrmRidolt", "ヘルプ(&H)")), "MIHelp");
    MIHelp->addAction(VxViewHelpHtmlAction1);
    MIHelp->addSeparator();
    MIHelp->addAction(VxOpenAppFolderAction1);
    MIHelp->addSeparator();
    MIHelp->addAction(VxAboutAction1);

    for (QMenu* menu : {MIGame, MILoad, MISave, MIView, MIHelp})
        connect(menu, &QMenu::aboutToShow, this, &TFormRidolt::MenuAboutToShow);
}

void TFormRidolt::CreatePopupMenus() {
    PMRichEdit1 = Named(new QMenu(this), "PMRichEdit1");
    PMRichEdit1->addAction(ActMessageClear);
    PMRichEdit1->addSeparator();
    PMRichEdit1->addAction(ActMessageVisible);

    PMChart = Named(new QMenu(this), "PMChart");
    PMChart->addAction(ActChartVisible);

    const auto update = [this] {
        MenuAboutToShow();
    };
    new TVxContextMenu(*RichEditMessage, *RichEditMessage->viewport(), *PMRichEdit1, update);
    new TVxContextMenu(*Chart1, *Chart1->viewport(), *PMChart, update);
}

bool TFormRidolt::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::StatusTip:
        // Hints go to the first panel instead of covering all of them.
        StatusBar1->ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    case QEvent::WindowActivate:
        FormActivate();
        break;
    case QEvent::WindowBlocked:
        // A box or a dialog over the window needs the player.
        FAutoPlay->Stop();
        break;
    case QEvent::Show:
        // A window that is shown without being activated (focus-stealing
        // prevention, no window manager) must still start its game.
        if (!FirstActivationDone)
            QTimer::singleShot(0, this, &TFormRidolt::FormActivate);
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void TFormRidolt::closeEvent(QCloseEvent* event) {
    FKeeper->WriteOnClose();
    QMainWindow::closeEvent(event);
}

bool TFormRidolt::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PanelControl && event->type() == QEvent::Resize)
        PanelControlResize();
    return QMainWindow::eventFilter(watched, event);
}

void TFormRidolt::FormActivate() {
    if (FirstActivationDone)
        return;
    StartNewGame();
    FMarketPage->BuildColumns();
    FOwnerPage->BuildColumns();
    // Said once: the start itself stays as it always was.
    if (const QString hint = TVxKeptGameMenu::StartHint(); !hint.isEmpty())
        StatusBar1->ShowHint(hint);
    FirstActivationDone = true;
    emit FirstActivated();
}

void TFormRidolt::StartNewGame(std::optional<uint64_t> seed) {
    const TVxWaitCursor waitCursor;
    // Kept before anything of it changes: a new seed would be noted in the
    // history of the game played.
    FKeeper->KeepBeforeReplace();
    if (seed)
        FGame.SetSeed(*seed);
    FMessageLog->Clear();
    // The new game frees the companies the lists show; nothing paints or
    // asks for a row until they have taken in the new ones.
    FGame.NewGame();
    FKeeper->GameStarted();
    ShowReplacedGame();
}

void TFormRidolt::ShowReplacedGame() {
    FAutoPlay->Stop();
    // The rows now hold other companies, or the same ones anew: nothing
    // stays selected or charted.
    FMarketPage->Reset();
    FOwnerPage->Reset();
    ChartCompany = nullptr;
    TabSheet5->Reset();
    ActDataReflect();
    // The first game comes with the window, which a screen reader presents.
    if (FirstActivationDone)
        FAnnouncer->Announce(MonthNews(FGame));
}

void TFormRidolt::ExecuteAction(QAction* action) {
    ActionList1Update();
    action->trigger(); // does nothing while disabled
}

void TFormRidolt::ActionList1Update() {
    const bool playing = !FGame.GameEnd;
    ActNextMonth->setEnabled(playing);
    FAutoPlay->SetPlayable(playing);
    FMarketPage->UpdateActions(playing);
    FOwnerPage->UpdateActions(playing);
}

void TFormRidolt::MenuAboutToShow() {
    FAutoPlay->Stop();
    ActionList1Update();
}

bool TFormRidolt::ConfirmNewGame() {
    const auto question = TVxMessageBoxRequest::Question(
        QCoreApplication::translate("FrmRidolt", "新しくゲームを始めます。よろしいですか？"));
    return FMessageBox->Show(question) == TVxMsgResult::Ok;
}

void TFormRidolt::ActGameNewExecute() {
    if (!ConfirmNewGame())
        return;
    // Every new game of a seeded game draws a market of its own.
    StartNewGame(FGame.Seed() ? std::optional<uint64_t>(VxDrawSeed()) : std::nullopt);
}

void TFormRidolt::ActGameNewSeedExecute() {
    const std::optional<uint64_t> seed = TVxSeedDialog::Ask(this, FGame.Seed());
    if (!seed || !ConfirmNewGame())
        return;
    StartNewGame(*seed);
}

void TFormRidolt::ShowGameEnd(bool endedBefore) {
    if (endedBefore || !FGame.GameEnd)
        return;
    KeepRecord();
    // Switching to the page refreshes it; shown already, it was refreshed
    // with the rest of the window.
    PageControl1->setCurrentWidget(TabSheet5);
}

void TFormRidolt::KeepRecord() {
    const std::optional<TVxGameRecord> record =
        VxGameRecordOf(FGame, TabSheet5->BotTotal(), TVxRecordsFile::Now());
    if (!record)
        return;
    // No box: the game's own has just been answered, and the record can
    // wait to be looked at.
    const QString notice = TVxRecordsFile::Add(*record);
    if (!notice.isEmpty()) {
        qWarning("%s", qPrintable(notice));
        StatusBar1->ShowHint(notice);
    }
}

void TFormRidolt::ActDataReflect() {
    FMarketPage->Reflect();
    FOwnerPage->Reflect();
    if (PageControl1->currentIndex() < 2)
        ChartShownSelection();
    else
        PageControl1Change();
    ActChartReflectExecute();
    ActSetStatusBarTextExecute();
}

bool TFormRidolt::ChartShownSelection() {
    const TVxCompanyListPage& page = PageControl1->currentIndex() == 0 ? *FMarketPage : *FOwnerPage;
    TVxCompany* selected = page.SelectedCompany();
    if (!selected || selected == ChartCompany)
        return false;
    ChartCompany = selected;
    return true;
}

void TFormRidolt::PageControl1Change() {
    switch (PageControl1->currentIndex()) {
    case 0:
    case 1:
        // The chart follows the selection of the list shown.
        if (ChartShownSelection())
            ActChartReflectExecute();
        break;
    case 2:
        ActVLVNowBalanceDataExecute();
        break;
    case 3:
        ActVLVPreBalanceDataExecute();
        break;
    case 4:
        TabSheet5->Reflect();
        break;
    default:
        break;
    }
}

void TFormRidolt::ActChartVisibleExecute() {
    ShowPanes();
}

void TFormRidolt::ActMessageVisibleExecute() {
    ShowPanes();
}

void TFormRidolt::ShowPanes() {
    const bool assets = PageControl1->currentWidget() == TabSheet5;
    Chart1->setVisible(ActChartVisible->isChecked() && !assets);
    RichEditMessage->setVisible(ActMessageVisible->isChecked() && !assets);
}

void TFormRidolt::ActVLVNowBalanceDataExecute() {
    FillBalanceList(*VLVNowBalance, NowBalance(FGame));
}

void TFormRidolt::ActVLVPreBalanceDataExecute() {
    FillBalanceList(*VLVPreBalance, PreBalance(FGame));
}

void TFormRidolt::ActChartReflectExecute() {
    Chart1->Reflect(ChartCompany, FGame.Month);
}

void TFormRidolt::CompanyListSelectItem(TVxCompany* company) {
    ChartCompany = company;
    ActChartReflectExecute();
}

void TFormRidolt::TradeFocusedCompany(const TVxCompanyListPage& page, TVxTradeMode mode) {
    // The focused row decides, not the selected one.
    TVxCompany* const traded = page.FocusedCompany();
    if (!traded)
        return;
    std::optional<TVxTradeChoice> choice;
    {
        TFormDlgTrade dialog(this, FGame, FMarketPage->Columns(), *traded, mode);
        if (dialog.exec() != QDialog::Accepted)
            return;
        choice = dialog.Choice();
    }
    if (!choice)
        return; // OK without a choice changes nothing
    ForgetUnselectedFocus();
    const bool endedBefore = FGame.GameEnd;
    TVxTradeResult result;
    {
        // Each list keeps its selected company (a company sold off leaves
        // its list with no selection); the chart shows the company traded,
        // also behind the box of a sale that wins the game.
        const TVxReflectBeforeBox reflectFirst(FGame, [this, traded] {
            ChartCompany = traded;
            ActDataReflect();
        });
        result = SettleTradeChoice(FGame, *traded, *choice);
    }
    if (!result.Settled()) {
        // The offer no longer fits the game; nothing was settled.
        FMessageBox->Show(TVxMessageBoxRequest::Error(TradeRefusalText(result)));
        return;
    }
    ChartCompany = traded;
    ActDataReflect();
    FKeeper->GamePlayed();
    const QString news = TradeNews(FGame, *traded, choice->Side, result.Offer);
    FAnnouncer->Announce(result.GameClear ? GameEndNews(news, FGame) : news);
    ShowGameEnd(endedBefore);
}

void TFormRidolt::VxTimerNextMonthTimer() {
    // A tick while a dialog or box is open (the step's own warning among
    // them) would step the game under it.
    if (TVxModalQueue::ModalOpen())
        return;
    // The turn re-sorts both lists and may drop held companies; each list
    // keeps its selected company, and the chart its company.
    ForgetUnselectedFocus();
    const bool endedBefore = FGame.GameEnd;
    const TVxTurnResult turn = FGame.NextMonth();
    // The months that pass by themselves stop where the player is needed:
    // a month refused, the game over, a holding lost.
    if (turn.Refused || FGame.GameEnd || !turn.Bankrupt.empty())
        FAutoPlay->Stop();
    ActDataReflect();
    if (!turn.Refused) {
        FKeeper->GamePlayed();
        const QString news = MonthNews(FGame);
        FAnnouncer->Announce(FGame.GameEnd && !endedBefore ? GameEndNews(news, FGame) : news);
    }
    ShowGameEnd(endedBefore);
}

void TFormRidolt::ForgetUnselectedFocus() {
    FMarketPage->ForgetUnselectedFocus();
    FOwnerPage->ForgetUnselectedFocus();
}

void TFormRidolt::ActNextMonthExecute() {
    VxTimerNextMonthTimer();
}

void TFormRidolt::ActTimerEnabledExecute() {
    const bool enabled = ActTimerEnabled->isChecked();
    // The developer's switch runs the timer at its design interval,
    // whatever speed 自動進行 last chose.
    VxTimerNextMonth->SetFireWhenIdle(false);
    VxTimerNextMonth->SetInterval(1);
    VxTimerNextMonth->SetEnabled(enabled);
    ActTimerEnabled->setText(enabled ? QCoreApplication::translate("FrmRidolt", "停止する")
                                     : QCoreApplication::translate("FrmRidolt", "再開する"));
}

void TFormRidolt::ActSetStatusBarTextExecute() {
    StatusBar1->Reflect(FGame);
}

void TFormRidolt::ActMessageClearExecute() {
    FMessageLog->Clear();
}

void TFormRidolt::PanelControlResize() {
    BtnNextMonth->setGeometry(BtnNextMonthLeft, BtnNextMonthTop,
                              PanelControl->width() - 2 * BtnNextMonthLeft, BtnNextMonthHeight);
}

void TFormRidolt::GameLoaded(const QString& path) {
    FKeeper->GameLoaded(path);
    // The file keeps the order the lists had when it was saved; the lists
    // show the order their sort marks say.
    FGame.MarketList.Sort();
    FGame.OwnerList.Sort();
    ShowReplacedGame();
    FMessageLog->Clear();
}

void TFormRidolt::OpenPath(const QString& path) {
    // Never under an open dialog or box: the trade dialog would settle
    // against a game it was not opened for.  The path waits until it closes.
    FModalQueue->Run([this, path] {
        if (TVxSaveSlots::FileExists(path))
            FSaveSlots->OpenGameFile(path);
        else if (const QString text = CannotOpenText(path); !text.isEmpty())
            StatusBar1->ShowHint(text);
    });
}

void TFormRidolt::FileDropTarget1FileDrop(const QStringList& droppedFiles) {
    if (!droppedFiles.isEmpty())
        OpenPath(droppedFiles.first());
}

void TFormRidolt::CopyDataReceived(int kind, const QString& text) {
    if (kind == CopyDataOpenPath)
        OpenPath(text);
}
