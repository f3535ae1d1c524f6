#include "VxPriceChart.h"

#include "VxCompany.h"

#include <QBarCategoryAxis>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

// A flat line still gets a few yen of room above and below it.
constexpr qreal MinimumPriceSpan = 10;

} // namespace

TVxPriceChart::TVxPriceChart(QWidget* parent)
    : QChartView(parent), FSeries(new QLineSeries), FMonthAxis(new QBarCategoryAxis),
      FPriceAxis(new QValueAxis) {
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

    FPriceAxis->setTitleText(QStringLiteral("円"));
    FPriceAxis->setLabelFormat(QStringLiteral("%.0f"));
    priceChart->addAxis(FMonthAxis, Qt::AlignBottom);
    priceChart->addAxis(FPriceAxis, Qt::AlignLeft);
    FSeries->attachAxis(FMonthAxis);
    FSeries->attachAxis(FPriceAxis);
    FMonthAxis->setVisible(false);
    FPriceAxis->setVisible(false);

    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setDragMode(QGraphicsView::NoDrag);
    setInteractive(false);
}

void TVxPriceChart::Reflect(const TVxCompany* company, int month) {
    if (!company) {
        FSeries->clear();
        FMonthAxis->clear();
        // Axes without a line would only show a meaningless 0..1 scale.
        FMonthAxis->setVisible(false);
        FPriceAxis->setVisible(false);
        chart()->setTitle(EmptyTitle);
        return;
    }
    FMonthAxis->setVisible(true);
    FPriceAxis->setVisible(true);
    chart()->setTitle(QString::asprintf("ID:%.3d 株価推移", int{company->ID}));

    const TIntegerList& history = company->PriceHistory;
    QStringList labels;
    QList<QPointF> points;
    for (int32_t i = 0; i < history.Count(); ++i) {
        labels << QStringLiteral("%1月").arg((month + i + 1) % 12 + 1);
        points << QPointF(i, history.Get(i));
    }
    // Redrawing the same month again is common (every refresh); changing the
    // categories relays out the whole chart.
    if (FMonthAxis->categories() != labels)
        FMonthAxis->setCategories(labels);
    FSeries->replace(points);

    if (points.isEmpty())
        return;
    const auto [lowest, highest] =
        std::minmax_element(points.cbegin(), points.cend(),
                            [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
    qreal low = lowest->y();
    qreal high = highest->y();
    if (high - low < MinimumPriceSpan) {
        const qreal middle = (low + high) / 2;
        low = middle - MinimumPriceSpan / 2;
        high = middle + MinimumPriceSpan / 2;
    }
    FPriceAxis->setRange(std::max<qreal>(low, 0), high);
    FPriceAxis->applyNiceNumbers();
}
