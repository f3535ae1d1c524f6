#pragma once

// The line chart of one company's share price over the twelve months of its
// price history.  It keeps nothing of the game: every Reflect redraws it
// from the company handed in.
//
// Each change of an axis range lays out every axis label of the chart again
// at once, so the chart's parts (line, axes, title, marker) take what a
// Reflect decided only when the event loop next runs, once for any number
// of Reflects before it, and then change only what differs from what is
// shown.  Whatever is read of the chart (its accessible texts, the readout,
// the parts themselves through the accessors below) is always that of the
// last Reflect.  The months are named ranges of a fixed x range for the same
// reason: a new month renames them, which only marks the chart for its next
// layout, where new bar categories would change the range.

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QStringList>

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

    // The chart's title and parts, as the last Reflect has them.
    QString Title() const;
    QLineSeries& Series() const { return *Synced().FSeries; }
    QScatterSeries& Marker() const { return *Synced().FMarker; }
    QCategoryAxis& MonthAxis() const { return *Synced().FMonthAxis; }
    QValueAxis& PriceAxis() const { return *Synced().FPriceAxis; }

protected:
    // The pointer reads out the month nearest to it; leaving the chart ends
    // that.  With the chart focused Left and Right move one month, Home and
    // End to the oldest and the latest month; the first of them pressed
    // with nothing read out reads the latest month, the one the lists show.
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // What the chart shows: its title, and a point and a month name for
    // each month of the history (none for an empty chart).
    struct TShown {
        QString Title;
        QStringList Months;
        QList<QPointF> Points;
    };

    // The parts take the shown state (a Reflect or a highlight) when the
    // event loop next runs, or at once when someone needs them now.
    void ScheduleSync();
    void Sync();
    const TVxPriceChart& Synced() const;

    void Draw();
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

    TShown FShown;
    bool FSyncPending = false;
    QLineSeries* FSeries;
    QScatterSeries* FMarker;
    QCategoryAxis* FMonthAxis;
    QValueAxis* FPriceAxis;
    int FHighlighted = -1;
    bool FHighlightedByPointer = false;
    QString FReadout;
};
