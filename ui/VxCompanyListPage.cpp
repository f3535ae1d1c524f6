#include "ui/VxCompanyListPage.h"

#include "components/VxColumnInfos.h"
#include "components/VxListView.h"
#include "game/VxCompanyList.h"
#include "ui/VxCompanyColumnText.h"
#include "ui/VxCompanyListModel.h"

#include <QMenu>

TVxCompanyListPage::TVxCompanyListPage(TVxCompanyList& companies, const char* viewName,
                                       const char* columnsName, QObject* parent)
    : QObject(parent), FCompanies(companies), FColumns(new TVxColumnInfos(this)),
      FModel(new TVxCompanyListModel(companies)), FView(new TVxListView(FModel)),
      FSortMenu(new QMenu(QStringLiteral("並べ替え(&O)"), FView)) {
    FColumns->setObjectName(QString::fromLatin1(columnsName));
    FView->setObjectName(QString::fromLatin1(viewName));
    AddCompanyColumnInfos(*FColumns);
    FView->SetColumnInfos(FColumns);
    connect(FView, &TVxListView::ColumnClick, this, &TVxCompanyListPage::ColumnClick);
    connect(FView, &TVxListView::SelectItem, this, [this](int row, bool selected) {
        if (TVxCompany* company = FModel->CompanyAt(row); company && selected)
            emit CompanySelected(company);
    });
    connect(FView, &TVxListView::DblClick, this, &TVxCompanyListPage::Activated);
    FSortMenu->setObjectName(FView->objectName() + QStringLiteral("SortMenu"));
    FSortMenu->menuAction()->setObjectName(FSortMenu->objectName());
    connect(FSortMenu, &QMenu::aboutToShow, this, &TVxCompanyListPage::FillSortMenu);
}

void TVxCompanyListPage::FillSortMenu() {
    FSortMenu->clear();
    for (int column = 0; column < FView->ColumnCount(); ++column) {
        QAction* item = FSortMenu->addAction(FView->Column(column).Caption);
        item->setCheckable(true);
        item->setChecked(FView->Column(column).Tag == FView->SortColumnIndex);
        connect(item, &QAction::triggered, this, [this, column] { ColumnClick(column); });
    }
}

TVxCompany* TVxCompanyListPage::SelectedCompany() const {
    return FModel->CompanyAt(FView->ItemIndex());
}

TVxCompany* TVxCompanyListPage::FocusedCompany() const {
    return FModel->CompanyAt(FView->ItemFocused());
}

void TVxCompanyListPage::BuildColumns() {
    FView->UpdateColumns();
}

void TVxCompanyListPage::ForgetUnselectedFocus() {
    if (!SelectedCompany())
        FView->SetItemFocused(-1);
}

void TVxCompanyListPage::Reflect() {
    const bool moved = FModel->Reflect();
    FView->RefreshVisibleRows();
    if (!moved)
        return;
    if (const int row = FView->ItemIndex(); row >= 0)
        FView->scrollTo(FModel->index(row, 0), TVxListView::EnsureVisible);
}

void TVxCompanyListPage::Reset() {
    FModel->Reset();
}

void TVxCompanyListPage::ClearSelection() {
    FView->ClearSelection();
    FView->SetItemFocused(-1);
}

void TVxCompanyListPage::ResetColumnWidths() {
    FView->ResetColumnWidths();
}

void TVxCompanyListPage::ColumnClick(int column) {
    ForgetUnselectedFocus();
    FView->ColumnSortClick(column);
    FCompanies.SetSort(FView->SortColumnIndex, FView->SortDown);
    Reflect();
}
