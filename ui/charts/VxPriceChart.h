#pragma once

// The line chart of one company's share price over the twelve months of its
// price history, reading out one month at a time (TVxMonthChart).  It keeps
// nothing of the game: every Reflect redraws it from the company handed in.
//
// The months are named ranges of a fixed x range: a new month renames them,
// which only marks the chart for its next layout, where new bar categories
// would change the range and lay out every label at once.

#include "ui/charts/VxMonthChart.h"

#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QStringList>

class QCategoryAxis;
class QLineSeries;
class QValueAxis;
class TVxCompany;

class TVxPriceChart : public TVxMonthChart {
    Q_OBJECT
public:
    static QString EmptyTitle() { return QCoreApplication::translate("VxPriceChart", "株価推移"); }

    explicit TVxPriceChart(QWidget* parent = nullptr);

    // Shows the price history of `company` (none: an empty chart) with
    // month labels ending at `month` (0..11), the current month.  A screen
    // reader reads the title as the chart's name and every month with its
    // price as its description.
    //
    // A month read out stays at its place on the line: after a new month
    // it is the month after the one read before, after another company the
    // same month of that company.
    void Reflect(const TVxCompany* company, int month);

    int MonthCount() const override { return static_cast<int>(FShown.Points.size()); }
    // "11月 1170円 (前月比 +15円 +1.30%)"; the oldest month only "12月 1155円".
    QString MonthReadout(int index) const override;

    // The chart's parts, as the last Reflect has them.
    QLineSeries& Series() const { return Synced(FSeries); }
    QCategoryAxis& MonthAxis() const { return Synced(FMonthAxis); }
    QValueAxis& PriceAxis() const { return Synced(FPriceAxis); }

protected:
    QPointF MonthPoint(int index) const override { return FShown.Points[index]; }
    void Draw() override;

private:
    // What the chart shows: its title, and a point and a month name for
    // each month of the history (none for an empty chart).
    struct TShown {
        QString Title;
        QStringList Months;
        QList<QPointF> Points;
    };

    void Describe(const TVxCompany* company);
    void DrawEmpty();
    void SetMonthLabels(const QStringList& labels);
    void SetPriceRange(qreal lowest, qreal highest);

    TShown FShown;
    QLineSeries* FSeries;
    QCategoryAxis* FMonthAxis;
    QValueAxis* FPriceAxis;
};
