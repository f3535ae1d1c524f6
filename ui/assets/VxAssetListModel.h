#pragma once

// The rows of the 資産推移 list: one per month of the game's history,
// newest first, with its 年月, 資金, 株式評価額, 総資産 and 前月比.  The
// model holds no copy of the history: it knows only how many months it has
// taken in, and every cell is written from the history when asked.
//
// The last month of a history changes with every trade in it and a month
// played adds one; Reflect tells the views just that, so the selection and
// the scroll position stay with their months.

#include "components/VxListViewModel.h"

class TVxGameHistory;

class TVxAssetListModel : public TVxListViewModel {
    Q_OBJECT
public:
    enum TColumn : int { acMonth, acCash, acValue, acTotal, acChange, acColumnCount };

    explicit TVxAssetListModel(const TVxGameHistory& history, QObject* parent = nullptr);

    // The caption and the width of each column, for the view that shows
    // them (all right-aligned but 年月).
    static QString Caption(int column);
    static int DefaultWidth(int column);

    // The month on `row`, as an index into the history's months; -1
    // outside the rows.
    int MonthIndex(int row) const;

    // Takes in the months added since the last Reflect and the newest
    // month's changes.
    void Reflect();
    // The history now holds another game's months: no rows until the next
    // Reflect takes them in.
    void Reset();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    QString CellText(int row, int column) const override;

private:
    const TVxGameHistory& FHistory;
    // The months on the rows, as last taken in: a view never asks for a
    // row the model has not announced.
    int FCount = 0;
};
