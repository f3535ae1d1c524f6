// The price chart on its own: the price axis it fits to a line, and holds
// that draw only the last of several redraws.

#include "ui/VxPriceChart.h"
#include "game/VxCompany.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <memory>

namespace {

// A company with the price history `prices`, oldest first.
std::unique_ptr<TVxCompany> CompanyWith(int16_t id, const QList<int32_t>& prices) {
    auto company = std::make_unique<TVxCompany>();
    company->Reset();
    company->ID = id;
    for (int32_t price : prices)
        company->PushPrice(price);
    return company;
}

QList<qreal> ChartValues(const TVxPriceChart& chart) {
    QList<qreal> values;
    for (const QPointF& point : chart.Series().points())
        values << point.y();
    return values;
}

} // namespace

class TVxPriceChartTest : public QObject {
    Q_OBJECT
private slots:
    void PriceAxisFitsTheLineInWholeSteps_data() {
        QTest::addColumn<QList<int32_t>>("prices");
        QTest::addColumn<qreal>("min");
        QTest::addColumn<qreal>("max");
        QTest::addColumn<int>("ticks");
        // A fresh company: a flat line still gets room around it.
        QTest::newRow("flat at 1000") << QList<int32_t>{} << qreal(994) << qreal(1006) << 7;
        QTest::newRow("800 to 1200") << QList<int32_t>{800, 1200} << qreal(800) << qreal(1200) << 5;
        QTest::newRow("cheap, flat near zero")
            << QList<int32_t>(12, 1) << qreal(0) << qreal(6) << 4;
        QTest::newRow("wide, into millions")
            << QList<int32_t>{1000, 9099999} << qreal(0) << qreal(10000000) << 6;
    }
    void PriceAxisFitsTheLineInWholeSteps() {
        QFETCH(QList<int32_t>, prices);
        QFETCH(qreal, min);
        QFETCH(qreal, max);
        QFETCH(int, ticks);
        const auto company = CompanyWith(1, prices);
        TVxPriceChart chart;
        chart.Reflect(company.get(), 0);
        QCOMPARE(chart.PriceAxis().min(), min);
        QCOMPARE(chart.PriceAxis().max(), max);
        QCOMPARE(chart.PriceAxis().tickCount(), ticks);
        for (qreal value : ChartValues(chart))
            QVERIFY(value >= min && value <= max);
    }

    void SameAxisWhateverWasChartedBefore() {
        // Qt's own rounding starts from the tick count it left last time.
        const auto cheap = CompanyWith(1, QList<int32_t>(12, 1));
        const auto middle = CompanyWith(2, {800, 1200});
        TVxPriceChart fresh;
        fresh.Reflect(middle.get(), 0);
        TVxPriceChart used;
        used.Reflect(cheap.get(), 0);
        used.Reflect(middle.get(), 0);
        QCOMPARE(used.PriceAxis().min(), fresh.PriceAxis().min());
        QCOMPARE(used.PriceAxis().max(), fresh.PriceAxis().max());
        QCOMPARE(used.PriceAxis().tickCount(), fresh.PriceAxis().tickCount());
    }

    void MonthNamesStayUnderTheirPoints() {
        // A new month names every month range afresh, after another month
        // or after an empty chart.
        const auto company = CompanyWith(1, {1100});
        TVxPriceChart chart;
        const auto check = [&chart] {
            QCategoryAxis& axis = chart.MonthAxis();
            const QStringList labels = axis.categoriesLabels();
            QCOMPARE(labels.size(), 12);
            QCOMPARE(labels.first(), QStringLiteral("7月"));
            QCOMPARE(labels.last(), QStringLiteral("6月"));
            QCOMPARE(axis.min(), -0.5);
            QCOMPARE(axis.max(), 11.5);
            for (qsizetype i = 0; i < labels.size(); ++i) {
                QCOMPARE(axis.startValue(labels[i]), i - 0.5);
                QCOMPARE(axis.endValue(labels[i]), i + 0.5);
            }
        };
        chart.Reflect(company.get(), 0);
        chart.Reflect(company.get(), 5);
        check();
        chart.Reflect(nullptr, 0);
        chart.Reflect(company.get(), 5);
        check();
    }

    void NoCompanyEmptiesTheChart() {
        const auto company = CompanyWith(5, {1200});
        TVxPriceChart chart;
        chart.Reflect(company.get(), 0);
        chart.Reflect(nullptr, 0);
        QCOMPARE(chart.chart()->title(), TVxPriceChart::EmptyTitle);
        QCOMPARE(chart.Series().count(), 0);
        QVERIFY(chart.MonthAxis().categoriesLabels().isEmpty());
        QVERIFY(!chart.MonthAxis().isVisible());
        QVERIFY(!chart.PriceAxis().isVisible());
    }
};

QTEST_MAIN(TVxPriceChartTest)
#include "VxPriceChartTest.moc"
