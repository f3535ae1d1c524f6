#pragma once

// The line chart of one company's share price over the twelve months of its
// price history.  It keeps nothing of the game: every Reflect redraws it
// from the company handed in.
//
// Each change of an axis range lays out every axis label of the chart again
// at once, so a redraw changes only what differs from what is shown.  The
// months are named ranges of a fixed x range for that reason: a new month
// renames them, which only marks the chart for its next layout, where new
// bar categories would change the range.

#include <QChartView>

class QCategoryAxis;
class QLineSeries;
class QValueAxis;
class TVxCompany;

class TVxPriceChart : public QChartView {
    Q_OBJECT
public:
    static inline const QString EmptyTitle = QStringLiteral("株価推移");

    explicit TVxPriceChart(QWidget* parent = nullptr);

    // Shows the price history of `company` (none: an empty chart) with
    // month labels ending at `month` (0..11), the current month.  A screen
    // reader reads the title as the chart's name and every month with its
    // price as its description; an empty chart takes no focus.
    void Reflect(const TVxCompany* company, int month);

    QLineSeries& Series() const { return *FSeries; }
    QCategoryAxis& MonthAxis() const { return *FMonthAxis; }
    QValueAxis& PriceAxis() const { return *FPriceAxis; }

private:
    void Draw(const TVxCompany* company, int month);
    void Describe(const TVxCompany* company);
    void DrawEmpty();
    void SetMonthLabels(const QStringList& labels);
    void SetPriceRange(qreal lowest, qreal highest);

    QLineSeries* FSeries;
    QCategoryAxis* FMonthAxis;
    QValueAxis* FPriceAxis;
};
