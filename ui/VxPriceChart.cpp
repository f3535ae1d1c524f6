#include "ui/VxPriceChart.h"

#include "game/VxCompany.h"
#include "ui/VxChartMonthText.h"
#include "ui/VxCompanyColumnText.h"
#include "ui/VxPriceChartAccessible.h"

#include <QCategoryAxis>
#include <QKeyEvent>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

// A flat line still gets a few yen of room above and below it.
constexpr qreal MinimumPriceSpan = 10;
// The price axis aims at this many ticks and takes what its rounding gives.
constexpr int AimedTickCount = 5;

// 1, 2, 5 or 10 times the power of ten below `value`: the nearest of them,
// or with `roundUp` the smallest not below `value`.
qreal NiceNumber(qreal value, bool roundUp) {
    const qreal power = std::pow(10.0, std::floor(std::log10(value)));
    const qreal fraction = value / power;
    if (roundUp)
        return (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10) * power;
    return (fraction < 1.5 ? 1 : fraction < 3 ? 2 : fraction < 7 ? 5 : 10) * power;
}

struct TPriceRange {
    qreal Min;
    qreal Max;
    int TickCount;
};

// The range QValueAxis::applyNiceNumbers would make of low..high: a step of
// a nice size near span / (ticks - 1), the ends widened to whole steps.
// Done here so that the axis range changes once per redraw instead of twice
// (raw, then rounded), each change laying out all labels of the chart.
TPriceRange NicePriceRange(qreal low, qreal high) {
    const qreal span = NiceNumber(high - low, true);
    const qreal step = NiceNumber(span / (AimedTickCount - 1), false);
    const qreal first = std::floor(low / step);
    const qreal last = std::ceil(high / step);
    return {first * step, last * step, static_cast<int>(last - first) + 1};
}

// A point of the line holds a price in yen as a floating-point number.
int32_t PointPrice(const QPointF& point) {
    return static_cast<int32_t>(point.y());
}

} // namespace

TVxPriceChart::TVxPriceChart(QWidget* parent)
    : QChartView(parent), FSeries(new QLineSeries), FMarker(new QScatterSeries),
      FMonthAxis(new QCategoryAxis), FPriceAxis(new QValueAxis) {
    QChart* priceChart = chart();
    priceChart->setTitle(EmptyTitle);
    priceChart->legend()->hide();
    priceChart->setBackgroundBrush(Qt::white);
    priceChart->setBackgroundRoundness(0);
    priceChart->setMargins(QMargins(4, 2, 4, 2));

    FSeries->setObjectName(QStringLiteral("Series1"));
    FSeries->setPen(QPen(Qt::red, 2));
    FSeries->setPointsVisible(false);
    FSeries->setPointLabelsVisible(false);
    priceChart->addSeries(FSeries);

    // The month read out is marked by a dot on the line, drawn over it;
    // the line itself marks none of its points.
    FMarker->setObjectName(QStringLiteral("SeriesHighlight"));
    FMarker->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    FMarker->setMarkerSize(10);
    FMarker->setColor(Qt::red);
    FMarker->setBorderColor(Qt::white);
    priceChart->addSeries(FMarker);

    // Month i is the range i-0.5..i+0.5 with its name centred under the
    // point at x = i.
    FMonthAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    FMonthAxis->setStartValue(-0.5);
    FPriceAxis->setTitleText(QStringLiteral("円"));
    FPriceAxis->setLabelFormat(QStringLiteral("%.0f"));
    priceChart->addAxis(FMonthAxis, Qt::AlignBottom);
    priceChart->addAxis(FPriceAxis, Qt::AlignLeft);
    FSeries->attachAxis(FMonthAxis);
    FSeries->attachAxis(FPriceAxis);
    FMarker->attachAxis(FMonthAxis);
    FMarker->attachAxis(FPriceAxis);
    FMonthAxis->setVisible(false);
    FPriceAxis->setVisible(false);

    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setDragMode(QGraphicsView::NoDrag);
    setInteractive(false);

    static const bool describedAsChart = [] {
        QAccessible::installFactory(TVxPriceChartAccessible::Create);
        return true;
    }();
    (void)describedAsChart;
    FShown.Title = EmptyTitle;
    Describe(nullptr);
}

void TVxPriceChart::Reflect(const TVxCompany* company, int month) {
    FShown = {EmptyTitle, {}, {}};
    if (company) {
        FShown.Title = QString::asprintf("ID:%.3d 株価推移", int{company->ID});
        const TIntegerList& history = company->PriceHistory;
        for (int32_t i = 0; i < history.Count(); ++i) {
            FShown.Months << QStringLiteral("%1月").arg((month + i + 1) % 12 + 1);
            FShown.Points << QPointF(i, history.Get(i));
        }
    }
    ScheduleSync();
    Describe(company);
    // The month read out is read again from the line now shown, so that
    // nothing shows a price the line does not.
    if (FHighlighted < 0)
        return;
    if (FHighlighted >= FShown.Points.size()) {
        ClearHighlight();
        return;
    }
    const bool tipShown = ReadoutTipShown();
    Highlight(FHighlighted, FHighlightedByPointer);
    if (tipShown)
        ShowTip();
}

void TVxPriceChart::Describe(const TVxCompany* company) {
    // What a screen reader says of the chart: its title, then every month
    // of the line with its price.  An empty chart has nothing to read and
    // takes no focus.
    setAccessibleName(FShown.Title);
    setFocusPolicy(company ? Qt::TabFocus : Qt::NoFocus);
    if (!company) {
        setAccessibleDescription(QString());
        return;
    }
    QStringList months;
    for (qsizetype i = 0; i < FShown.Points.size(); ++i)
        months << FShown.Months.value(i) + u' ' + PriceText(PointPrice(FShown.Points[i]));
    setAccessibleDescription(months.join(QStringLiteral("、")) + QStringLiteral("。最新の株価 ") +
                             PriceText(company->StockPrice()));
}

void TVxPriceChart::ScheduleSync() {
    if (FSyncPending)
        return;
    FSyncPending = true;
    QMetaObject::invokeMethod(this, &TVxPriceChart::Sync, Qt::QueuedConnection);
}

void TVxPriceChart::Sync() {
    if (!FSyncPending)
        return;
    FSyncPending = false;
    Draw();
    const QList<QPointF> marker =
        FHighlighted >= 0 ? QList<QPointF>{FShown.Points[FHighlighted]} : QList<QPointF>{};
    if (FMarker->points() != marker)
        FMarker->replace(marker);
}

QString TVxPriceChart::Title() const {
    return Synced().chart()->title();
}

const TVxPriceChart& TVxPriceChart::Synced() const {
    const_cast<TVxPriceChart*>(this)->Sync();
    return *this;
}

void TVxPriceChart::Draw() {
    if (FShown.Points.isEmpty()) {
        DrawEmpty();
        return;
    }
    if (chart()->title() != FShown.Title)
        chart()->setTitle(FShown.Title);
    FMonthAxis->setVisible(true);
    FPriceAxis->setVisible(true);

    const QList<QPointF>& points = FShown.Points;
    SetMonthLabels(FShown.Months);
    if (FSeries->points() != points)
        FSeries->replace(points);
    // Does nothing when the history keeps its length, as it does.
    FMonthAxis->setRange(-0.5, points.size() - 0.5);
    const auto [lowest, highest] =
        std::minmax_element(points.cbegin(), points.cend(),
                            [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
    SetPriceRange(lowest->y(), highest->y());
}

void TVxPriceChart::DrawEmpty() {
    FSeries->clear();
    SetMonthLabels({});
    // Axes without a line would only show a meaningless 0..1 scale.
    FMonthAxis->setVisible(false);
    FPriceAxis->setVisible(false);
    chart()->setTitle(FShown.Title);
}

void TVxPriceChart::SetMonthLabels(const QStringList& labels) {
    // Most redraws show the month that is already shown.
    if (FMonthAxis->categoriesLabels() == labels)
        return;
    // A new month names every range with the name of another one, which a
    // rename refuses (names are unique), so all are named afresh.
    for (const QString& label : FMonthAxis->categoriesLabels())
        FMonthAxis->remove(label);
    for (qsizetype i = 0; i < labels.size(); ++i)
        FMonthAxis->append(labels[i], i + 0.5);
}

void TVxPriceChart::SetPriceRange(qreal lowest, qreal highest) {
    if (highest - lowest < MinimumPriceSpan) {
        const qreal middle = (lowest + highest) / 2;
        lowest = middle - MinimumPriceSpan / 2;
        highest = middle + MinimumPriceSpan / 2;
    }
    const TPriceRange range = NicePriceRange(std::max<qreal>(lowest, 0), highest);
    // Both do nothing when the value is already set.  A new tick count only
    // marks the chart for its next layout, a new range lays the labels out
    // at once, so the count goes first.
    FPriceAxis->setTickCount(range.TickCount);
    FPriceAxis->setRange(range.Min, range.Max);
}

void TVxPriceChart::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    const qsizetype count = FShown.Points.size();
    if (count == 0)
        return;
    // The pointer finds its month on the line as drawn.
    Sync();
    // Month i lies at x = i, so the nearest month is the nearest whole x.
    const qreal x = chart()->mapToValue(mapToScene(event->position().toPoint()), FSeries).x();
    Highlight(static_cast<int>(std::clamp<qreal>(std::round(x), 0, count - 1)), true);
    ShowTip();
}

void TVxPriceChart::leaveEvent(QEvent* event) {
    QChartView::leaveEvent(event);
    if (FHighlighted >= 0 && FHighlightedByPointer)
        ClearHighlight();
}

void TVxPriceChart::keyPressEvent(QKeyEvent* event) {
    const int last = static_cast<int>(FShown.Points.size()) - 1;
    int index = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        index = FHighlighted < 0 ? last : std::max(FHighlighted - 1, 0);
        break;
    case Qt::Key_Right:
        index = FHighlighted < 0 ? last : std::min(FHighlighted + 1, last);
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
    if (index < 0 || event->modifiers() != Qt::NoModifier) {
        QChartView::keyPressEvent(event);
        return;
    }
    Highlight(index, false);
    ShowTip();
    event->accept();
}

void TVxPriceChart::focusOutEvent(QFocusEvent* event) {
    QChartView::focusOutEvent(event);
    // What the keys read out ends with the keyboard's visit.
    if (FHighlighted >= 0 && !FHighlightedByPointer)
        ClearHighlight();
}

bool TVxPriceChart::viewportEvent(QEvent* event) {
    // A resting pointer asks the scene for its items' tooltips, and the
    // scene, which has none, would hide the readout.
    if (event->type() == QEvent::ToolTip) {
        if (FHighlighted >= 0)
            ShowTip();
        return true;
    }
    return QChartView::viewportEvent(event);
}

void TVxPriceChart::Highlight(int index, bool byPointer) {
    FHighlighted = index;
    ScheduleSync();
    FHighlightedByPointer = byPointer;
    ShowReadout(MonthReadout(index));
}

void TVxPriceChart::ShowTip() {
    // Beside the point rather than at the pointer: the keys move no pointer.
    // Where the point is depends on the axes as drawn.
    Sync();
    const QPointF point = FShown.Points[FHighlighted];
    const QPoint at = mapFromScene(chart()->mapToPosition(point, FSeries));
    QToolTip::showText(viewport()->mapToGlobal(at), FReadout, this);
}

void TVxPriceChart::ClearHighlight() {
    if (ReadoutTipShown())
        QToolTip::hideText();
    FHighlighted = -1;
    ScheduleSync();
    ShowReadout({});
}

void TVxPriceChart::ShowReadout(const QString& readout) {
    if (readout == FReadout)
        return;
    const QString before = std::exchange(FReadout, readout);
    TVxPriceChartAccessible::ReadoutChanged(this, before);
}

QString TVxPriceChart::MonthReadout(int index) const {
    const int32_t price = PointPrice(FShown.Points[index]);
    // The oldest month of the history has no month before it to compare.
    const std::optional<int32_t> previous =
        index > 0 ? std::optional(PointPrice(FShown.Points[index - 1])) : std::nullopt;
    return ChartMonthText(FShown.Months.value(index), price, previous);
}

bool TVxPriceChart::ReadoutTipShown() const {
    return QToolTip::isVisible() && QToolTip::text() == FReadout;
}
