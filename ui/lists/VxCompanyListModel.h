#pragma once

// The rows of a company list view: row i shows the company at index i of one
// of the game's lists (the market or the holdings), each column the text of
// its code.  The model knows which company each row shows, so when the game
// re-sorts a list, or a trade or a month adds or removes companies, it tells
// the views which rows went where: selection and focus stay with their
// companies, and leave with a company that is no longer listed.
//
// A cell whose figure rose or fell since the month before (前月比(円),
// 前月比(%), 現在/購入時) takes the colour of its trend (VxTrendColors.h);
// a row's tooltip and accessible description are the model's hint of its
// company.

#include "components/VxListViewModel.h"
#include "ui/lists/VxCompanySet.h"

#include <QString>

#include <functional>
#include <vector>

class TCustomVxCompanyList;

class TVxCompanyListModel : public TVxListViewModel {
    Q_OBJECT
public:
    using THint = std::function<QString(const TVxCompany& company)>;

    // `hint` (none: no tooltip) is asked when a row's tooltip or
    // description is wanted, never before.
    explicit TVxCompanyListModel(const TCustomVxCompanyList& companies, THint hint = {},
                                 QObject* parent = nullptr);

    // The company on `row`; none outside the rows.
    TVxCompany* CompanyAt(int row) const;
    // The row of `company`; -1 when the list does not show it.
    int RowOf(const TVxCompany* company) const;

    // Takes in the list as the game holds it now, after a sort, a trade or
    // a month: rows of companies no longer listed are removed, the others
    // move to their new places, new companies come in at theirs.  True when
    // any row moved, came or went.
    bool Reflect();
    // The list now holds other companies, or the same ones anew (a new game,
    // a load): every row starts afresh and nothing stays selected.
    void Reset();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    QString CellText(int row, int column) const override;

private:
    std::vector<TVxCompany*> Listed() const;
    // `listed` is the list as the game holds it now; `...Set`s are the
    // listed companies, and those on the rows once the unlisted ones are
    // gone.
    void RemoveUnlisted(const TVxCompanySet& listedSet);
    void Reorder(const std::vector<TVxCompany*>& listed, const TVxCompanySet& shownSet);
    void InsertNew(const std::vector<TVxCompany*>& listed, const TVxCompanySet& shownSet);

    const TCustomVxCompanyList& FCompanies;
    THint FHint;
    // The companies on the rows as last taken in.  Between a change of the
    // game's list and Reflect (a month's message box lets the views paint)
    // the rows keep showing these companies, so a view never asks for a row
    // the model does not have.
    std::vector<TVxCompany*> FRows;
};
