// The market and holdings lists of the main window: cell texts, sorting by
// a header click, keeping the selected company selected across a re-sort,
// charting the selection and the trade commands.  Both lists work the same
// way over their own game list, so each handler takes the view and the list.

#include "ui/FrmRidolt.h"

#include "components/VxColumnInfos.h"
#include "components/VxListView.h"
#include "game/VxGame.h"
#include "game/VxTrade.h"
#include "ui/FrmDlgTrade.h"
#include "ui/VxCompanyColumnText.h"
#include "ui/VxWaitCursor.h"

#include <QAction>

#include <memory>

void TFormRidolt::SetUpCompanyList(TVxListView& view, TVxColumnInfos& columns,
                                   const TVxCompanyList& companies) {
    AddCompanyColumnInfos(columns);
    view.SetColumnInfos(&columns);
    // VLVMarketData and VLVOwnerData: row i shows company i of the game's
    // list, each built column the text of its code.
    view.SetOnData([&view, &companies](int row, int column) {
        // A message box of the turn lets the lists repaint before the
        // holdings count has caught up with a shrunken list.
        if (row >= companies.Count())
            return QString();
        return CompanyColumnText(*companies.Items(row), view.Column(column).Tag);
    });
}

void TFormRidolt::VLVMarketColumnClick(int column) {
    CompanyListColumnClick(*VLVMarket, Game.MarketList, column);
}

void TFormRidolt::VLVOwnerColumnClick(int column) {
    CompanyListColumnClick(*VLVOwner, Game.OwnerList, column);
}

void TFormRidolt::CompanyListColumnClick(TVxListView& view, TVxCompanyList& companies, int column) {
    ActGetVLVFocusedCompany();
    view.ColumnSortClick(column);
    companies.SetSort(view.SortColumnIndex, view.SortDown);
    view.RefreshVisibleRows();
    ActSetVLVFocusedCompany();
}

void TFormRidolt::CompanyListSelectItem(const TCustomVxCompanyList& companies, int row,
                                        bool selected) {
    if (!selected || row < 0 || row >= companies.Count())
        return;
    ChartCompany = companies.Items(row);
    ActChartReflectExecute();
}

void TFormRidolt::ActGetVLVFocusedCompany() {
    const auto remember = [](TVxListView& view,
                             const TCustomVxCompanyList& companies) -> TVxCompany* {
        const int row = view.ItemIndex();
        if (row >= 0 && row < companies.Count())
            return companies.Items(row);
        view.SetItemFocused(-1);
        return nullptr;
    };
    MarketFocusCompany = remember(*VLVMarket, Game.MarketList);
    OwnerFocusCompany = remember(*VLVOwner, Game.OwnerList);
}

void TFormRidolt::ActSetVLVFocusedCompany() {
    if (MarketFocusCompany) {
        const int row = Game.MarketList.IndexOf(MarketFocusCompany);
        if (row >= 0)
            VLVMarket->SelectAndFocus(row);
    }
    if (OwnerFocusCompany) {
        // Gone when it was sold off or went bankrupt.
        const int row = Game.OwnerList.IndexOf(OwnerFocusCompany);
        if (row < 0) {
            VLVOwner->ClearSelection();
            VLVOwner->SetItemFocused(-1);
        } else {
            VLVOwner->SelectAndFocus(row);
        }
    }
}

void TFormRidolt::TradeFocusedCompany(const TVxListView& view,
                                      const TCustomVxCompanyList& companies,
                                      const QAction& action) {
    // The focused row decides, not the selected one.
    const int row = view.ItemFocused();
    if (row < 0 || row >= companies.Count())
        return;
    TVxCompany* const traded = companies.Items(row);
    const auto dialog = std::make_unique<TFormDlgTrade>(this, *VCIMarket);
    dialog->Company = traded;
    dialog->Tag = action.data().toInt();
    if (dialog->exec() != QDialog::Accepted)
        return;
    // A sale of everything takes the company out of the holdings and moves
    // the rows below it up: each list keeps its selected company, or has
    // none once it no longer lists it, and the chart keeps the traded one.
    ActGetVLVFocusedCompany();
    try {
        dialog->ActTrade();
    } catch (const EVxTradeError& error) {
        // The offer no longer fits the game; nothing was settled.
        FMessageBox->Show(TVxMessageBoxRequest::Error(QString::fromStdString(error.what())));
        return;
    }
    SyncOwnerItemCount();
    ActSetVLVFocusedCompany();
    ChartCompany = traded;
    ActDataReflect();
    Game.CheckGameClear();
}

void TFormRidolt::ClearListSelection(TVxListView& view) {
    const TVxWaitCursor waitCursor;
    view.ClearSelection();
    view.SetItemFocused(-1);
}

void TFormRidolt::ResetListColumnWidths(TVxListView& view) {
    const TVxWaitCursor waitCursor;
    view.ResetColumnWidths();
}
