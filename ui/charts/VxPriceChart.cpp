#include "ui/charts/VxPriceChart.h"

#include "game/VxCompany.h"
#include "ui/words/VxChartMonthText.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QCategoryAxis>
#include <QCoreApplication>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <optional>

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
    : TVxMonthChart(parent), FSeries(new QLineSeries), FMonthAxis(new QCategoryAxis),
      FPriceAxis(new QValueAxis) {
    QChart* priceChart = chart();
    priceChart->setTitle(EmptyTitle());
    priceChart->legend()->hide();

    FSeries->setObjectName(QStringLiteral("Series1"));
    FSeries->setPen(QPen(Qt::red, 2));
    FSeries->setPointsVisible(false);
    FSeries->setPointLabelsVisible(false);
    priceChart->addSeries(FSeries);

    // Month i is the range i-0.5..i+0.5 with its name centred under the
    // point at x = i.
    FMonthAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    FMonthAxis->setStartValue(-0.5);
    FPriceAxis->setTitleText(QCoreApplication::translate("VxPriceChart", "円"));
    FPriceAxis->setLabelFormat(QStringLiteral("%.0f"));
    priceChart->addAxis(FMonthAxis, Qt::AlignBottom);
    priceChart->addAxis(FPriceAxis, Qt::AlignLeft);
    FSeries->attachAxis(FMonthAxis);
    FSeries->attachAxis(FPriceAxis);
    AddMarker(*FMonthAxis, *FPriceAxis, Qt::red);
    FMonthAxis->setVisible(false);
    FPriceAxis->setVisible(false);

    FShown.Title = EmptyTitle();
    Describe(nullptr);
}

void TVxPriceChart::Reflect(const TVxCompany* company, int month) {
    FShown = {EmptyTitle(), {}, {}};
    if (company) {
        FShown.Title = QCoreApplication::translate("VxPriceChart", "ID:%1 株価推移")
                           .arg(QString::asprintf("%.3d", int{company->ID}));
        const TIntegerList& history = company->PriceHistory;
        for (int32_t i = 0; i < history.Count(); ++i) {
            FShown.Months << QCoreApplication::translate("VxPriceChart", "%1月")
                                 .arg((month + i + 1) % 12 + 1);
            FShown.Points << QPointF(i, history.Get(i));
        }
    }
    Describe(company);
    MonthsChanged();
}

void TVxPriceChart::Describe(const TVxCompany* company) {
    // What a screen reader says of the chart: its title, then every month
    // of the line with its price.
    setAccessibleName(FShown.Title);
    if (!company) {
        setAccessibleDescription(QString());
        return;
    }
    QStringList months;
    for (qsizetype i = 0; i < FShown.Points.size(); ++i)
        months << FShown.Months.value(i) + u' ' + PriceText(PointPrice(FShown.Points[i]));
    setAccessibleDescription(
        QCoreApplication::translate("VxPriceChart", "%1。最新の株価 %2")
            .arg(months.join(QCoreApplication::translate("VxPriceChart", "、")),
                 PriceText(company->StockPrice())));
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
    ClearCategories(*FMonthAxis);
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

QString TVxPriceChart::MonthReadout(int index) const {
    const int32_t price = PointPrice(FShown.Points[index]);
    // The oldest month of the history has no month before it to compare.
    const std::optional<int32_t> previous =
        index > 0 ? std::optional(PointPrice(FShown.Points[index - 1])) : std::nullopt;
    return ChartMonthText(FShown.Months.value(index), price, previous);
}
