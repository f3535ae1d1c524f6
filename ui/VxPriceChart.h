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

    // Holds back the redraws of a refresh that charts several companies on
    // its way (re-selecting the rows of both lists charts each of them):
    // only the last Reflect asked for is drawn, when the outermost hold
    // ends.  Holds nest.
    class THold {
    public:
        explicit THold(TVxPriceChart& chart);
        ~THold();
        THold(const THold&) = delete;
        THold& operator=(const THold&) = delete;

    private:
        TVxPriceChart& FChart;
    };

    explicit TVxPriceChart(QWidget* parent = nullptr);

    // Shows the price history of `company` (none: an empty chart) with
    // month labels ending at `month` (0..11), the current month.
    void Reflect(const TVxCompany* company, int month);

    QLineSeries& Series() const { return *FSeries; }
    QCategoryAxis& MonthAxis() const { return *FMonthAxis; }
    QValueAxis& PriceAxis() const { return *FPriceAxis; }

private:
    void Draw(const TVxCompany* company, int month);
    void DrawEmpty();
    void SetMonthLabels(const QStringList& labels);
    void SetPriceRange(qreal lowest, qreal highest);

    QLineSeries* FSeries;
    QCategoryAxis* FMonthAxis;
    QValueAxis* FPriceAxis;

    // The Reflect held back while a hold lasts; its company is read only
    // when it is drawn.
    int FHoldDepth = 0;
    bool FReflectHeld = false;
    const TVxCompany* FHeldCompany = nullptr;
    int FHeldMonth = 0;
};
