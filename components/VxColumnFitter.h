#pragma once

// Fits the columns of a list to their texts and to the list's width: each
// column is at least as wide as the widest cell it has shown (or its
// header), and the width the list is given beyond that is shared out among
// the columns in proportion, so nothing is cut and nothing stays empty.
// Where the list is narrower than its columns need, they keep their
// needed widths and the list scrolls.
//
// The fitter measures only the rows it is told of, so a list that grows
// by a row costs one row's measuring; the widths it keeps only grow until
// Reset.

#include <QObject>

#include <vector>

class TVxListView;

class TVxColumnFitter : public QObject {
    Q_OBJECT
public:
    // Fits the columns of `list`, whenever it changes size too.
    explicit TVxColumnFitter(TVxListView& list);

    // Measures the cells of rows `first` to `last` as the list shows them
    // now, and fits the columns to any that is wider than before.
    void Measure(int first, int last);
    // The rows hold other texts now: the widths measured are forgotten.
    void Reset();

    // The width column `column` needs: its widest cell or its header.
    int Needed(int column) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fit();
    int CellWidth(const QString& text) const;

    TVxListView& FList;
    // The list's viewport, kept so that the filter tells its events apart
    // without asking the list, which may be in the middle of its
    // destruction when the viewport's last events come.
    const QObject* FViewport;
    std::vector<int> FWidest;
};
