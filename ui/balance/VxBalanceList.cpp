#include "ui/balance/VxBalanceList.h"

#include "components/VxListView.h"
#include "game/VxGame.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QCoreApplication>

namespace {

enum TBalanceRow : int {
    brIncome = 0,
    brExpense = 1,
    brProfit = 3,
    brTax = 4,
    brProfitAfterTax = 6,
};

constexpr int ValueColumn = 1;

} // namespace

TVxBalance NowBalance(const TVxGame& game) {
    return {game.Income(), game.Expense(), game.Profit(), game.Tax(), game.ProfitAfterTax()};
}

TVxBalance PreBalance(const TVxGame& game) {
    return {game.PreIncome(), game.PreExpense(), game.PreProfit(), game.PreTax(),
            game.PreProfitAfterTax()};
}

void SetupBalanceList(TVxListView& view) {
    view.AddColumn(QCoreApplication::translate("VxBalanceList", "項目"), 150, TVxAlignment::Left);
    view.AddColumn(QCoreApplication::translate("VxBalanceList", "値"), 150, TVxAlignment::Right);
    view.SetColumnClick(false);
    view.SetMultiSelect(true);
    const QString separator = QStringLiteral("-");
    for (const QStringList& row :
         {QStringList{QCoreApplication::translate("VxBalanceList", "収入"), QString()},
          QStringList{QCoreApplication::translate("VxBalanceList", "支出"), QString()},
          QStringList{separator, separator},
          QStringList{QCoreApplication::translate("VxBalanceList", "利益"), QString()},
          QStringList{QCoreApplication::translate("VxBalanceList", "税"), QString()},
          QStringList{separator, separator},
          QStringList{QCoreApplication::translate("VxBalanceList", "税引き利益"), QString()}})
        view.Model().AddItem(row);
}

void FillBalanceList(TVxListView& view, const TVxBalance& balance) {
    TVxListViewModel& rows = view.Model();
    rows.SetItemText(brIncome, ValueColumn, MoneyText(balance.Income));
    rows.SetItemText(brExpense, ValueColumn, MoneyText(balance.Expense));
    rows.SetItemText(brProfit, ValueColumn, MoneyText(balance.Profit));
    rows.SetItemText(brTax, ValueColumn, MoneyText(balance.Tax));
    rows.SetItemText(brProfitAfterTax, ValueColumn, MoneyText(balance.ProfitAfterTax));
}
