#pragma once

// The item delegate of the report list views.  Every row of such a list is
// one line of text in the view's font, so the height of a cell is measured
// once per column and kept until the font, the style or the columns change.
// Qt's own delegate lays the cell's text out again for every question, and
// a tree view asks for a row's height each time the rows change order,
// which in the company lists is every month.
//
// The width of a cell is still measured cell by cell, but only while the
// view fits a column to its contents (TWidthMeasurement); at other times
// the view wants heights alone and gets a width of 0.

#include <QStyledItemDelegate>

#include <vector>

class TVxListItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Heights are measured again on the next question.
    void ForgetHeights() { FHeights.clear(); }

    // Cells are measured whole while one of these lives.
    class TWidthMeasurement {
    public:
        explicit TWidthMeasurement(TVxListItemDelegate& delegate) : FDelegate(delegate) {
            ++FDelegate.FMeasuringWidths;
        }
        ~TWidthMeasurement() { --FDelegate.FMeasuringWidths; }
        TWidthMeasurement(const TWidthMeasurement&) = delete;
        TWidthMeasurement& operator=(const TWidthMeasurement&) = delete;

    private:
        TVxListItemDelegate& FDelegate;
    };

private:
    // Height of each column's cells; 0 while not yet measured.
    mutable std::vector<int> FHeights;
    int FMeasuringWidths = 0;
};
