#pragma once

// One of the main window's two company lists, the market or the holdings,
// with everything that belongs to it: the list view with its column set
// over a model of the game's list, sorting by a header click or the sort
// menu, the companies under the player's selection and focus, the list's
// trade and list actions and its pop-up menu.  Each row tells, as its
// tooltip and accessible description, what a trade of its company would
// bring now.
//
// The window does the rest: it tells the page when the game has changed
// (Reflect) or holds other companies (Reset), applies the enabling rules
// before a menu opens (MenuAboutToShow) and carries out a trade the page
// asks for (TradeRequested).

#include "ui/dialogs/VxTradeMode.h"

#include <QObject>

#include <array>

class QAction;
class QMenu;
class TVxColumnInfos;
class TVxCompany;
class TVxCompanyList;
class TVxCompanyListModel;
class TVxGame;
class TVxListView;

enum class TVxCompanyListKind { Market, Owner };

class TVxCompanyListPage : public QObject {
    Q_OBJECT
public:
    // The market page shows the game's MarketList as VLVMarket, the
    // holdings page its OwnerList as VLVOwner; the column set, actions and
    // menu are named after the view (VCIMarket, ActVLVMarketBuyStock,
    // PMMarket, ...).
    TVxCompanyListPage(TVxGame& game, TVxCompanyListKind kind, QObject* parent);

    TVxListView& View() const { return *FView; }
    const TVxColumnInfos& Columns() const { return *FColumns; }
    TVxCompanyListModel& Model() const { return *FModel; }
    QMenu& PopupMenu() const { return *FPopupMenu; }

    // The action of `mode`; the default one is what a double-click or Enter
    // on a row runs: buying in the market, selling in the holdings.
    QAction& TradeAction(TVxTradeMode mode) const {
        return *FTradeActions[static_cast<size_t>(mode)];
    }
    QAction& DefaultTradeAction() const;

    // The enabling rule of the trade actions: only while the game is being
    // played, and in the holdings only while something is held.
    void UpdateActions(bool playing);

    // The company of the (first) selected row, and of the focused row; none
    // without one.
    TVxCompany* SelectedCompany() const;
    TVxCompany* FocusedCompany() const;

    // Builds the view's columns from the column set.
    void BuildColumns();
    // Before a change that moves the rows: a focus without a selection would
    // be left on whatever company comes to its row, so the view drops it.
    // A selected company keeps its selection and focus wherever it moves.
    void ForgetUnselectedFocus();
    // After the game changed the list: the rows follow it, those on screen
    // show the new values, and a selected company that moved is scrolled
    // into view.
    void Reflect();
    // The game holds other companies (a new game, a load): nothing stays
    // selected or focused.
    void Reset();
    // Deselects every row and removes the focus.
    void ClearSelection();
    void ResetColumnWidths();

    // The keyboard's way to a header click: a menu of the columns, as the
    // header captions read (the sort mark included); choosing one sorts as
    // a click on its header does.
    QMenu& SortMenu() const { return *FSortMenu; }

signals:
    // A row became selected, by the player or by code.
    void CompanySelected(TVxCompany* company);
    // A double-click on the rows, or Enter on a focused row.
    void Activated();
    // One of the trade actions ran: trade the focused company in `mode`.
    void TradeRequested(TVxTradeMode mode);
    // The pop-up menu is about to open.
    void MenuAboutToShow();

private:
    QAction* NewAction(const QString& name, const QString& caption);
    void CreateActions();
    void CreatePopupMenu();
    void ColumnClick(int column);
    void FillSortMenu();

    TVxCompanyList& FCompanies;
    TVxCompanyListKind FKind;
    TVxColumnInfos* FColumns;
    TVxCompanyListModel* FModel;
    TVxListView* FView;
    QMenu* FSortMenu;
    QMenu* FPopupMenu;
    std::array<QAction*, 4> FTradeActions{};
    QAction* FClearSelection = nullptr;
    QAction* FResetColumnWidths = nullptr;
};
