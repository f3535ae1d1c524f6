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
class QScatterSeries;
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
    //
    // A month read out stays at its place on the line, which under a
    // resting pointer is the month the pointer now points at: after a new
    // month it is the month after the one read before, after another
    // company the same month of that company.  An empty chart reads out
    // nothing.
    void Reflect(const TVxCompany* company, int month);

    // The month read out, as an index into the line's points, or -1.
    int Highlighted() const { return FHighlighted; }
    // What is read out of it ("11月 1170円 (前月比 +15円 +1.30%)"), shown as
    // the tooltip and as the chart's accessible value; empty with none.
    const QString& Readout() const { return FReadout; }

    QLineSeries& Series() const { return *FSeries; }
    QScatterSeries& Marker() const { return *FMarker; }
    QCategoryAxis& MonthAxis() const { return *FMonthAxis; }
    QValueAxis& PriceAxis() const { return *FPriceAxis; }

protected:
    // The pointer reads out the month nearest to it; leaving the chart ends
    // that.  With the chart focused Left and Right move one month, Home and
    // End to the oldest and the latest month; the first of them pressed
    // with nothing read out reads the latest month, the one the lists show.
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Draw(const TVxCompany* company, int month);
    void Describe(const TVxCompany* company);
    void DrawEmpty();
    void SetMonthLabels(const QStringList& labels);
    void SetPriceRange(qreal lowest, qreal highest);

    void Highlight(int index, bool byPointer);
    void ClearHighlight();
    void ShowTip();
    void ShowReadout(const QString& readout);
    QString MonthReadout(int index) const;
    bool ReadoutTipShown() const;

    QLineSeries* FSeries;
    QScatterSeries* FMarker;
    QCategoryAxis* FMonthAxis;
    QValueAxis* FPriceAxis;
    int FHighlighted = -1;
    bool FHighlightedByPointer = false;
    QString FReadout;
};
