#include "ui/charts/VxMonthChart.h"

#include <QAccessible>
#include <QCategoryAxis>
#include <QCursor>
#include <QKeyEvent>
#include <QLegendMarker>
#include <QScatterSeries>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <utility>

TVxMonthChart::TVxMonthChart(QWidget* parent) : QChartView(parent), FMarker(new QScatterSeries) {
    QChart* monthChart = chart();
    monthChart->setBackgroundBrush(Qt::white);
    monthChart->setBackgroundRoundness(0);
    monthChart->setMargins(QMargins(4, 2, 4, 2));

    // The month read out is marked by a dot on the line, drawn over it; the
    // lines themselves mark none of their points.
    FMarker->setObjectName(QStringLiteral("SeriesHighlight"));
    FMarker->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    FMarker->setMarkerSize(10);
    FMarker->setBorderColor(Qt::white);

    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setDragMode(QGraphicsView::NoDrag);
    setInteractive(false);
    setFocusPolicy(Qt::NoFocus);
}

void TVxMonthChart::AddMarker(QAbstractAxis& monthAxis, QAbstractAxis& valueAxis,
                              const QColor& color) {
    FMarker->setColor(color);
    chart()->addSeries(FMarker);
    FMarker->attachAxis(&monthAxis);
    FMarker->attachAxis(&valueAxis);
    for (QLegendMarker* legend : chart()->legend()->markers(FMarker))
        legend->setVisible(false);
}

void TVxMonthChart::MonthsChanged() {
    ScheduleSync();
    setFocusPolicy(MonthCount() > 0 ? Qt::StrongFocus : Qt::NoFocus);
    // The month read out is read again from the months now shown, so that
    // nothing shows what the line does not.
    if (FHighlighted < 0)
        return;
    if (FHighlighted >= MonthCount()) {
        ClearReadout();
        return;
    }
    // The tooltip follows the dot, and the pointer's month is found on the
    // axes, once the chart has drawn what it shows now.
    FTipFollows = FTipFollows || ReadoutTipShown();
    if (FHighlightedByPointer)
        FPointerFollows = true;
    else
        ReadOut(FHighlighted, false);
}

void TVxMonthChart::ScheduleSync() {
    if (FSyncPending)
        return;
    FSyncPending = true;
    QMetaObject::invokeMethod(this, &TVxMonthChart::Sync, Qt::QueuedConnection);
}

void TVxMonthChart::Sync() {
    if (!FSyncPending)
        return;
    FSyncPending = false;
    Draw();
    // The pointer's month on the axes just drawn; its dot is drawn below.
    if (std::exchange(FPointerFollows, false) && FHighlighted >= 0 && FHighlightedByPointer)
        SetReadout(DrawnMonthAt(FPointer), true);
    const QList<QPointF> marker =
        FHighlighted >= 0 ? QList<QPointF>{MonthPoint(FHighlighted)} : QList<QPointF>{};
    if (FMarker->points() != marker)
        FMarker->replace(marker);
    if (std::exchange(FTipFollows, false) && FHighlighted >= 0)
        ShowTip();
}

void TVxMonthChart::SyncNow() const {
    const_cast<TVxMonthChart*>(this)->Sync();
}

void TVxMonthChart::ClearCategories(QCategoryAxis& axis) {
    for (const QString& label : axis.categoriesLabels())
        axis.remove(label);
}

QString TVxMonthChart::Title() const {
    SyncNow();
    return chart()->title();
}

QScatterSeries& TVxMonthChart::Marker() const {
    SyncNow();
    return *FMarker;
}

int TVxMonthChart::Highlighted() const {
    SyncNow();
    return FHighlighted;
}

const QString& TVxMonthChart::Readout() const {
    SyncNow();
    return FReadout;
}

int TVxMonthChart::MonthAt(QPoint position) const {
    SyncNow();
    return DrawnMonthAt(position);
}

int TVxMonthChart::DrawnMonthAt(QPoint position) const {
    const int count = MonthCount();
    if (count == 0)
        return -1;
    // Found on the axes as drawn; month i lies at x = i, so the nearest
    // month is the nearest whole x.
    const qreal x = chart()->mapToValue(mapToScene(position), FMarker).x();
    return static_cast<int>(std::clamp<qreal>(std::round(x), 0, count - 1));
}

QRect TVxMonthChart::MonthRect(int index) const {
    SyncNow();
    const QRectF plot = chart()->plotArea();
    const qreal y = MonthPoint(index).y();
    const qreal left = chart()->mapToPosition({index - 0.5, y}, FMarker).x();
    const qreal right = chart()->mapToPosition({index + 0.5, y}, FMarker).x();
    const QRect slice = mapFromScene(QRectF(QPointF(std::max(left, plot.left()), plot.top()),
                                            QPointF(std::min(right, plot.right()), plot.bottom())))
                            .boundingRect();
    return {viewport()->mapToGlobal(slice.topLeft()), slice.size()};
}

void TVxMonthChart::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    FPointer = event->position().toPoint();
    if (MonthCount() == 0)
        return;
    ReadOut(MonthAt(FPointer), true);
    ShowTip();
}

void TVxMonthChart::mousePressEvent(QMouseEvent* event) {
    // The click has focused the chart (its focus policy takes clicks): the
    // month clicked is the keys' to move on from.
    QChartView::mousePressEvent(event);
    FPointer = event->position().toPoint();
    if (MonthCount() > 0)
        ReadOut(MonthAt(FPointer), !hasFocus());
}

void TVxMonthChart::mouseReleaseEvent(QMouseEvent* event) {
    // Every tooltip hides as a button goes up; the readout shows again.
    QChartView::mouseReleaseEvent(event);
    if (FHighlighted >= 0)
        ShowTip();
}

void TVxMonthChart::leaveEvent(QEvent* event) {
    QChartView::leaveEvent(event);
    if (FHighlighted >= 0 && FHighlightedByPointer)
        ClearReadout();
}

void TVxMonthChart::keyPressEvent(QKeyEvent* event) {
    // The first key pressed with nothing read out reads the latest month,
    // the one the lists show.
    const int last = MonthCount() - 1;
    const int highlighted = Highlighted();
    int index = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        index = highlighted < 0 ? last : std::max(highlighted - 1, 0);
        break;
    case Qt::Key_Right:
        index = highlighted < 0 ? last : std::min(highlighted + 1, last);
        break;
    case Qt::Key_Home:
        index = 0;
        break;
    case Qt::Key_End:
        index = last;
        break;
    default:
        break;
    }
    if (last < 0 || index < 0 || event->modifiers() != Qt::NoModifier) {
        QChartView::keyPressEvent(event);
        return;
    }
    ReadOut(index, false);
    ShowTip();
    event->accept();
}

void TVxMonthChart::focusInEvent(QFocusEvent* event) {
    QChartView::focusInEvent(event);
    // Qt tells assistive technology that the chart has the focus once this
    // handler returns; a month already read out takes it from the chart
    // after that.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (FHighlighted >= 0)
                AnnounceFocus();
        },
        Qt::QueuedConnection);
}

void TVxMonthChart::focusOutEvent(QFocusEvent* event) {
    QChartView::focusOutEvent(event);
    // What the keys read out ends with the keyboard's visit.
    if (FHighlighted >= 0 && !FHighlightedByPointer)
        ClearReadout();
}

bool TVxMonthChart::viewportEvent(QEvent* event) {
    // A resting pointer asks the scene for its items' tooltips, and the
    // scene, which has none, would hide the readout.
    if (event->type() == QEvent::ToolTip) {
        if (FHighlighted >= 0)
            ShowTip();
        return true;
    }
    return QChartView::viewportEvent(event);
}

void TVxMonthChart::ReadOut(int index, bool byPointer) {
    ScheduleSync();
    SetReadout(index, byPointer);
}

void TVxMonthChart::SetReadout(int index, bool byPointer) {
    const int before = std::exchange(FHighlighted, index);
    FHighlightedByPointer = byPointer;
    const QString readout = index >= 0 ? MonthReadout(index) : QString();
    if (index == before && readout == FReadout)
        return;
    const QString shown = std::exchange(FReadout, readout);
    Announce(shown, index != before);
}

void TVxMonthChart::ClearReadout() {
    // A tip yet to follow new months may show a text read out before.
    if (std::exchange(FTipFollows, false) || ReadoutTipShown())
        QToolTip::hideText();
    ReadOut(-1, false);
}

void TVxMonthChart::Announce(const QString& before, bool moved) {
    if (!QAccessible::isActive())
        return;
    if (FReadout != before) {
        // The value event serves the platforms that read value texts; the
        // text event is the one the Linux bridge passes on.
        QAccessibleValueChangeEvent valueChange(this, FReadout);
        QAccessible::updateAccessibility(&valueChange);
        QAccessibleTextUpdateEvent textChange(this, 0, before, FReadout);
        QAccessible::updateAccessibility(&textChange);
    }
    if (moved) {
        AnnounceFocus();
    } else if (hasFocus()) {
        // The month with the focus reads out something new.
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        renamed.setChild(FHighlighted);
        QAccessible::updateAccessibility(&renamed);
    }
}

void TVxMonthChart::AnnounceFocus() {
    // While the chart has the keys, the month read out has the focus, as
    // the current row of a list has; with none, the chart itself.
    if (!QAccessible::isActive() || !hasFocus())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(FHighlighted);
    QAccessible::updateAccessibility(&focus);
}

void TVxMonthChart::ShowTip() {
    // Below right of the dot rather than of the pointer: the keys move no
    // pointer.  Where the dot is depends on the axes as drawn.
    SyncNow();
    const QPointF point = chart()->mapToPosition(MonthPoint(FHighlighted), FMarker);
    QPoint at = viewport()->mapToGlobal(mapFromScene(point));
    // A pointer below right of the dot could find the tip under it, which
    // would take its click: the tip then goes below right of the pointer,
    // and follows it (a tip moves only when its text changes or its point
    // leaves the rectangle given with it).
    if (underMouse()) {
        const QPoint pointer = QCursor::pos();
        at = {std::max(at.x(), pointer.x()), std::max(at.y(), pointer.y())};
    }
    QToolTip::showText(at, FReadout, this, QRect(mapFromGlobal(at), QSize(1, 1)));
}

bool TVxMonthChart::ReadoutTipShown() const {
    return QToolTip::isVisible() && QToolTip::text() == FReadout;
}
