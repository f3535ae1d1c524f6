#pragma once

// One of the main window's two company lists, the market or the holdings:
// the list view with its column set over a model of the game's list,
// sorting by a header click, and the companies under the player's selection
// and focus.  The window tells it when the game has changed (Reflect) or
// holds other companies (Reset); the page tells the window when the player
// selects a company or opens one (a double-click or Enter).

#include <QObject>

class TVxColumnInfos;
class TVxCompany;
class TVxCompanyList;
class TVxCompanyListModel;
class TVxListView;
class QMenu;

class TVxCompanyListPage : public QObject {
    Q_OBJECT
public:
    // The view is named `viewName` and its column set `columnsName`, the
    // names the window's parts go by.
    TVxCompanyListPage(TVxCompanyList& companies, const char* viewName, const char* columnsName,
                       QObject* parent);

    TVxListView& View() const { return *FView; }
    const TVxColumnInfos& Columns() const { return *FColumns; }
    TVxCompanyListModel& Model() const { return *FModel; }

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

private:
    void ColumnClick(int column);
    void FillSortMenu();

    TVxCompanyList& FCompanies;
    TVxColumnInfos* FColumns;
    TVxCompanyListModel* FModel;
    TVxListView* FView;
    QMenu* FSortMenu;
};
