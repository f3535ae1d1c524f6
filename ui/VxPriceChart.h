#pragma once

// The line chart of one company's share price over the twelve months of its
// price history.  It keeps nothing of the game: every Reflect redraws it
// from the company handed in.

#include <QChartView>

class QBarCategoryAxis;
class QLineSeries;
class QValueAxis;
class TVxCompany;

class TVxPriceChart : public QChartView {
    Q_OBJECT
public:
    static inline const QString EmptyTitle = QStringLiteral("株価推移");

    explicit TVxPriceChart(QWidget* parent = nullptr);

    // Shows the price history of `company` (none: an empty chart) with
    // month labels ending at `month` (0..11), the current month.
    void Reflect(const TVxCompany* company, int month);

    QLineSeries& Series() const { return *FSeries; }
    QBarCategoryAxis& MonthAxis() const { return *FMonthAxis; }
    QValueAxis& PriceAxis() const { return *FPriceAxis; }

private:
    QLineSeries* FSeries;
    QBarCategoryAxis* FMonthAxis;
    QValueAxis* FPriceAxis;
};
