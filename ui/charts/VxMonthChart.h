#pragma once

// A line chart over months that reads out one month at a time: the month
// nearest the pointer, or, while the chart has the keys (Tab or a click
// gives them to it), the month that Left and Right move one month and Home
// and End to the oldest and the latest.  The month read out is marked by a
// dot, shown as a tooltip beside it, and is what the chart says to
// assistive technology: its value and text, and, while the chart has the
// keys, the month that has the focus (see VxMonthChartAccessible.h).
//
// A chart built on it knows its months: it tells how many it shows, where
// the dot of month i goes (month i lies at x = i), what month i reads out,
// and it draws its own series and axes in Draw().  After it changes what it
// shows it calls MonthsChanged(), which keeps the month read out at its
// place: under a resting pointer that is the month the pointer points at
// on the axes drawn anew; the keys' month keeps its index, which is the
// same place on a chart whose months shift along a fixed range and the
// same month on one that grows at its end.  A chart without months reads
// out nothing and takes no focus.
//
// Each change of an axis range lays out every axis label of the chart again
// at once, so the chart's parts take what was shown only when the event loop
// next runs, once for any number of changes before it (Draw, then the
// pointer's month, the dot and the tooltip); a chart's Draw then changes
// only what differs from what is drawn.
// Whatever is read of the chart (its accessible texts, the readout, its
// parts through accessors that sync first) is always what it shows last.

#include <QChartView>
#include <QPointF>
#include <QRect>
#include <QString>

class QAbstractAxis;
class QCategoryAxis;
class QScatterSeries;

class TVxMonthChart : public QChartView {
    Q_OBJECT
public:
    explicit TVxMonthChart(QWidget* parent = nullptr);

    // The months shown, oldest first.
    virtual int MonthCount() const = 0;
    // What month `index` reads out, the same for the tooltip and for a
    // screen reader.
    virtual QString MonthReadout(int index) const = 0;

    // The month read out, or -1, and its text (empty with none).
    int Highlighted() const;
    const QString& Readout() const;

    // The month nearest in x to `position` in the viewport, or -1 with no
    // months.
    int MonthAt(QPoint position) const;
    // Where month `index` is on screen: its slice of the plot area, in
    // global coordinates.
    QRect MonthRect(int index) const;

    QString Title() const;
    QScatterSeries& Marker() const;

protected:
    // The point of month `index` on the axes the dot is attached to.
    virtual QPointF MonthPoint(int index) const = 0;
    // Brings the chart's series and axes to what it shows.
    virtual void Draw() = 0;

    // Puts the dot on the chart, in `color`, on the axes that place month i
    // at x = i.  Every chart calls it once, after adding its own series: the
    // dot is drawn over what was added before it, and the pointer and the
    // tooltip find the months through its axes.
    void AddMarker(QAbstractAxis& monthAxis, QAbstractAxis& valueAxis, const QColor& color);
    // The months shown have changed (any of them, or their number).
    void MonthsChanged();
    // Brings the chart's parts to what it shows now rather than when the
    // event loop next runs.
    void SyncNow() const;
    // `part` of the chart as it shows it now: what its accessors return.
    template <class T> T& Synced(T* part) const {
        SyncNow();
        return *part;
    }
    // Removes every range of `axis`, to name them all afresh.
    static void ClearCategories(QCategoryAxis& axis);

    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void ScheduleSync();
    void Sync();
    // MonthAt on the axes as they are drawn now.
    int DrawnMonthAt(QPoint position) const;

    void ReadOut(int index, bool byPointer);
    // ReadOut, leaving the dot to the sync that calls it.
    void SetReadout(int index, bool byPointer);
    void ClearReadout();
    void Announce(const QString& before, bool moved);
    void AnnounceFocus();
    void ShowTip();
    bool ReadoutTipShown() const;

    QScatterSeries* FMarker;
    bool FSyncPending = false;
    int FHighlighted = -1;
    bool FHighlightedByPointer = false;
    // Where in the viewport the pointer last moved or pressed.
    QPoint FPointer;
    // What the next sync does after drawing new months: read out the month
    // under the pointer, show the tooltip at the dot.
    bool FPointerFollows = false;
    bool FTipFollows = false;
    QString FReadout;
};
