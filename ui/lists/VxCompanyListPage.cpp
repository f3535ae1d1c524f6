#include "ui/lists/VxCompanyListPage.h"

#include "components/VxColumnInfos.h"
#include "components/VxListView.h"
#include "game/VxGame.h"
#include "ui/lists/VxCompanyListModel.h"
#include "ui/window/VxActionCategory.h"
#include "ui/window/VxContextMenu.h"
#include "ui/window/VxWaitCursor.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxTradeHint.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

namespace {

bool IsMarket(TVxCompanyListKind kind) {
    return kind == TVxCompanyListKind::Market;
}

TVxCompanyListModel* NewModel(TVxGame& game, TVxCompanyListKind kind) {
    const auto hint = IsMarket(kind) ? MarketTradeHint : OwnerTradeHint;
    return new TVxCompanyListModel(
        IsMarket(kind) ? game.MarketList : game.OwnerList,
        [&game, hint](const TVxCompany& company) { return hint(game, company); });
}

} // namespace

TVxCompanyListPage::TVxCompanyListPage(TVxGame& game, TVxCompanyListKind kind, QObject* parent)
    : QObject(parent), FCompanies(IsMarket(kind) ? game.MarketList : game.OwnerList), FKind(kind),
      FColumns(new TVxColumnInfos(this)), FModel(NewModel(game, kind)),
      FView(new TVxListView(FModel)),
      FSortMenu(new QMenu(QCoreApplication::translate("VxCompanyListPage", "並べ替え(&O)"), FView)),
      FPopupMenu(new QMenu(FView)) {
    const QString name = IsMarket(kind) ? QStringLiteral("Market") : QStringLiteral("Owner");
    FColumns->setObjectName(QStringLiteral("VCI") + name);
    FView->setObjectName(QStringLiteral("VLV") + name);
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
    CreateActions();
    CreatePopupMenu();
}

QAction* TVxCompanyListPage::NewAction(const QString& name, const QString& caption) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QStringLiteral("Act") + FView->objectName() + name);
    SetActionCategory(*action, FView->objectName());
    return action;
}

void TVxCompanyListPage::CreateActions() {
    const std::array<std::pair<const char*, const char*>, 4> trades{{
        {"BuyStock", QT_TRANSLATE_NOOP("VxCompanyListPage", "買い取引(&B)")},
        {"SellStock", QT_TRANSLATE_NOOP("VxCompanyListPage", "売り取引(&S)")},
        {"BuyStockAll", QT_TRANSLATE_NOOP("VxCompanyListPage", "全買い取引(&U)")},
        {"SellStockAll", QT_TRANSLATE_NOOP("VxCompanyListPage", "全売り取引(&E)")},
    }};
    for (const TVxTradeMode mode :
         {TVxTradeMode::Buy, TVxTradeMode::Sell, TVxTradeMode::BuyAll, TVxTradeMode::SellAll}) {
        const auto tag = static_cast<size_t>(mode);
        const auto& [name, caption] = trades[tag];
        QAction* action = NewAction(QString::fromLatin1(name),
                                    QCoreApplication::translate("VxCompanyListPage", caption));
        action->setData(static_cast<int>(tag));
        connect(action, &QAction::triggered, this, [this, mode] { emit TradeRequested(mode); });
        FTradeActions[tag] = action;
    }

    FClearSelection = NewAction(QStringLiteral("ClearSelection"),
                                QCoreApplication::translate("VxCompanyListPage", "選択解除(&C)"));
    FResetColumnWidths =
        NewAction(QStringLiteral("ResetColumnWidths"),
                  QCoreApplication::translate("VxCompanyListPage", "カラム幅初期化(&R)"));
    for (auto [action, command] :
         {std::pair{FClearSelection, &TVxCompanyListPage::ClearSelection},
          std::pair{FResetColumnWidths, &TVxCompanyListPage::ResetColumnWidths}})
        connect(action, &QAction::triggered, this, [this, command = command] {
            const TVxWaitCursor waitCursor;
            (this->*command)();
        });
}

void TVxCompanyListPage::CreatePopupMenu() {
    FPopupMenu->setObjectName(QStringLiteral("PM") + FView->objectName().mid(3));
    FPopupMenu->addActions({&TradeAction(TVxTradeMode::Buy), &TradeAction(TVxTradeMode::Sell)});
    FPopupMenu->addSeparator();
    FPopupMenu->addActions(
        {&TradeAction(TVxTradeMode::BuyAll), &TradeAction(TVxTradeMode::SellAll)});
    FPopupMenu->addSeparator();
    FPopupMenu->addAction(FClearSelection);
    FPopupMenu->addSeparator();
    FPopupMenu->addAction(FResetColumnWidths);
    FPopupMenu->addSeparator();
    FPopupMenu->addMenu(FSortMenu);
    new TVxContextMenu(*FView, *FView->viewport(), *FPopupMenu, [this] { emit MenuAboutToShow(); });
}

QAction& TVxCompanyListPage::DefaultTradeAction() const {
    return TradeAction(IsMarket(FKind) ? TVxTradeMode::Buy : TVxTradeMode::Sell);
}

void TVxCompanyListPage::UpdateActions(bool playing) {
    const bool enabled = playing && (IsMarket(FKind) || FView->ItemCount() > 0);
    for (QAction* action : FTradeActions)
        action->setEnabled(enabled);
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
