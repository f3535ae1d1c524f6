// The price chart on its own: the price axis it fits to a line, holds
// that draw only the last of several redraws, and the month it reads out
// under the pointer and the keys, with its marker, tooltip and accessible
// value.

#include "ui/charts/VxPriceChart.h"
#include "game/VxCompany.h"
#include "ui/charts/VxMonthChartAccessible.h"
#include "ui/words/VxChartMonthText.h"

#include <QAccessible>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QScatterSeries>
#include <QStyle>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>

#include <memory>
#include <optional>

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

// Twelve months, oldest first, with a rise, a fall and a month unchanged:
// 1000 ... 1155, 1170, 1100, 1100.
const QList<int32_t> TwelveMonths{1000, 1010, 1020, 1030, 1040, 1050,
                                  1060, 1155, 1170, 1100, 1100, 1120};

// Where point `index` of the line lies in the chart's viewport.
QPoint PointPosition(const TVxPriceChart& chart, int index) {
    const QPointF point = chart.Series().at(index);
    return chart.mapFromScene(chart.chart()->mapToPosition(point, &chart.Series()));
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
private:
    // A chart on screen, 600 by 200 like the window's, charting
    // TwelveMonths with the current month 9 (October): the oldest point is
    // 11月, the latest 10月.
    struct TShownChart {
        std::unique_ptr<TVxCompany> Company = CompanyWith(7, TwelveMonths);
        TVxPriceChart Chart;

        // Laid out on screen, as a chart is by the time a player points at
        // it.
        TShownChart() {
            Chart.resize(600, 200);
            Chart.Reflect(Company.get(), 9);
            Chart.show();
            if (!QTest::qWaitForWindowExposed(&Chart))
                qFatal("the chart was never shown");
            QCoreApplication::processEvents();
        }
    };

    static void VerifyReadout(const TVxPriceChart& chart, int index, const QString& text) {
        QCOMPARE(chart.Highlighted(), index);
        QCOMPARE(chart.Readout(), text);
        QCOMPARE(chart.Marker().points(), QList<QPointF>{chart.Series().at(index)});
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), text);
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(const_cast<TVxPriceChart*>(&chart));
        QCOMPARE(accessible->text(QAccessible::Value), text);
        QAccessibleTextInterface* readable = accessible->textInterface();
        QVERIFY(readable);
        QCOMPARE(readable->text(0, readable->characterCount()), text);
    }

    static void VerifyNothingReadOut(const TVxPriceChart& chart) {
        QCOMPARE(chart.Highlighted(), -1);
        QCOMPARE(chart.Readout(), QString());
        QCOMPARE(chart.Marker().count(), 0);
        QTRY_VERIFY(!QToolTip::isVisible());
        QCOMPARE(QAccessible::queryAccessibleInterface(const_cast<TVxPriceChart*>(&chart))
                     ->text(QAccessible::Value),
                 QString());
    }

private slots:
    void initTestCase() { InstallAccessibleMonthCharts(); }

    void init() {
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void MonthTextReadsPriceAndChange_data() {
        QTest::addColumn<QString>("month");
        QTest::addColumn<int32_t>("price");
        QTest::addColumn<std::optional<int32_t>>("previous");
        QTest::addColumn<QString>("text");
        QTest::newRow("rise") << QStringLiteral("11月") << 1170 << std::optional<int32_t>(1155)
                              << QStringLiteral("11月 1170円 (前月比 +15円 +1.30%)");
        QTest::newRow("fall") << QStringLiteral("3月") << 950 << std::optional<int32_t>(1000)
                              << QStringLiteral("3月 950円 (前月比 -50円 -5.00%)");
        QTest::newRow("no change") << QStringLiteral("1月") << 1100 << std::optional<int32_t>(1100)
                                   << QStringLiteral("1月 1100円 (前月比 0円 0.00%)");
        // The oldest month the chart holds has none before it.
        QTest::newRow("oldest month") << QStringLiteral("2月") << 1000 << std::optional<int32_t>()
                                      << QStringLiteral("2月 1000円");
        QTest::newRow("ten thousands")
            << QStringLiteral("5月") << 12000 << std::optional<int32_t>(10000)
            << QStringLiteral("5月 1万2000円 (前月比 +2000円 +20.00%)");
        QTest::newRow("largest prices")
            << QStringLiteral("12月") << 9990000 << std::optional<int32_t>(10000000)
            << QStringLiteral("12月 999万円 (前月比 -1万円 -0.10%)");
        // A loaded file may hold a price of 0: no per cent of nothing.
        QTest::newRow("from zero") << QStringLiteral("6月") << 15 << std::optional<int32_t>(0)
                                   << QStringLiteral("6月 15円 (前月比 +15円 0.00%)");
        QTest::newRow("down to zero") << QStringLiteral("7月") << 0 << std::optional<int32_t>(800)
                                      << QStringLiteral("7月 0円 (前月比 -800円 -100.00%)");
    }
    void MonthTextReadsPriceAndChange() {
        QFETCH(QString, month);
        QFETCH(int32_t, price);
        QFETCH(std::optional<int32_t>, previous);
        QFETCH(QString, text);
        QCOMPARE(ChartMonthText(month, price, previous), text);
    }

    void PointerReadsOutTheNearestMonth() {
        TShownChart shown;
        TVxPriceChart& chart = shown.Chart;
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        const qreal min = chart.PriceAxis().min();
        const qreal max = chart.PriceAxis().max();

        QTest::mouseMove(chart.viewport(), PointPosition(chart, 8));
        VerifyReadout(chart, 8, QStringLiteral("7月 1170円 (前月比 +15円 +1.30%)"));
        // The pointer rests: the readout stays.
        QTest::qWait(qApp->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay) + 600);
        VerifyReadout(chart, 8, QStringLiteral("7月 1170円 (前月比 +15円 +1.30%)"));
        // Nearest in x, wherever the pointer is in height: just right of
        // the middle between two months reads the later one.
        const QPoint between = (PointPosition(chart, 9) + PointPosition(chart, 10)) / 2;
        QTest::mouseMove(chart.viewport(), QPoint(between.x() + 3, 5));
        VerifyReadout(chart, 10, QStringLiteral("9月 1100円 (前月比 0円 0.00%)"));
        QTest::mouseMove(chart.viewport(), QPoint(2, chart.viewport()->height() - 2));
        VerifyReadout(chart, 0, QStringLiteral("11月 1000円"));

        // The marker changes neither the scale nor the line.
        QCOMPARE(chart.PriceAxis().min(), min);
        QCOMPARE(chart.PriceAxis().max(), max);
        QCOMPARE(chart.Title(), QStringLiteral("ID:007 株価推移"));
        QCOMPARE(chart.Series().count(), 12);
        QVERIFY(!chart.Series().pointsVisible());

        // Leaving the chart ends the pointer's readout.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&chart, &leave);
        VerifyNothingReadOut(chart);
    }

    void KeysMoveTheReadout_data() {
        QTest::addColumn<QList<Qt::Key>>("keys");
        QTest::addColumn<int>("index");
        // The first key reads the latest month, the one the lists show.
        QTest::newRow("first Left") << QList<Qt::Key>{Qt::Key_Left} << 11;
        QTest::newRow("first Right") << QList<Qt::Key>{Qt::Key_Right} << 11;
        QTest::newRow("Left, Left") << QList<Qt::Key>{Qt::Key_Left, Qt::Key_Left} << 10;
        QTest::newRow("Home") << QList<Qt::Key>{Qt::Key_Home} << 0;
        QTest::newRow("Home, Right") << QList<Qt::Key>{Qt::Key_Home, Qt::Key_Right} << 1;
        QTest::newRow("stops at the oldest") << QList<Qt::Key>{Qt::Key_Home, Qt::Key_Left} << 0;
        QTest::newRow("stops at the latest") << QList<Qt::Key>{Qt::Key_End, Qt::Key_Right} << 11;
        QTest::newRow("End after Home") << QList<Qt::Key>{Qt::Key_Home, Qt::Key_End} << 11;
    }
    void KeysMoveTheReadout() {
        QFETCH(QList<Qt::Key>, keys);
        QFETCH(int, index);
        TShownChart shown;
        TVxPriceChart& chart = shown.Chart;
        chart.activateWindow();
        chart.setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(chart.hasFocus());
        for (Qt::Key key : keys)
            QTest::keyClick(&chart, key);
        const std::optional<int32_t> previous =
            index > 0 ? std::optional(TwelveMonths[index - 1]) : std::nullopt;
        VerifyReadout(chart, index,
                      ChartMonthText(chart.MonthAxis().categoriesLabels()[index],
                                     TwelveMonths[index], previous));
    }

    void KeysReadOutUntilFocusLeaves() {
        TShownChart shown;
        TVxPriceChart& chart = shown.Chart;
        chart.setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(chart.hasFocus());
        QTest::keyClick(&chart, Qt::Key_End);
        // The pointer passing by does not end what the keys read out...
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&chart, &leave);
        QCOMPARE(chart.Highlighted(), 11);
        // ...leaving the chart does.
        chart.clearFocus();
        VerifyNothingReadOut(chart);
    }

    void NewMonthReadsTheSamePlace() {
        // The month under a resting pointer moved one place left: the place
        // now holds the next month, read from the line as drawn.
        TShownChart shown;
        TVxPriceChart& chart = shown.Chart;
        QTest::mouseMove(chart.viewport(), PointPosition(chart, 10));
        VerifyReadout(chart, 10, QStringLiteral("9月 1100円 (前月比 0円 0.00%)"));
        shown.Company->PushPrice(1200);
        chart.Reflect(shown.Company.get(), 10);
        VerifyReadout(chart, 10, QStringLiteral("10月 1120円 (前月比 +20円 +1.82%)"));

        // Another company: its month at the same place.
        const auto other = CompanyWith(8, {500, 600});
        chart.Reflect(other.get(), 10);
        VerifyReadout(chart, 10, QStringLiteral("10月 500円 (前月比 -500円 -50.00%)"));
    }

    void NothingReadOutWithoutACompany() {
        TShownChart shown;
        TVxPriceChart& chart = shown.Chart;
        QTest::mouseMove(chart.viewport(), PointPosition(chart, 5));
        QCOMPARE(chart.Highlighted(), 5);
        const QPoint onTheLine = PointPosition(chart, 5);
        // Emptied while read out: the tooltip goes with the line.
        chart.Reflect(nullptr, 9);
        VerifyNothingReadOut(chart);
        QCOMPARE(chart.focusPolicy(), Qt::NoFocus);
        // Neither the pointer nor the keys read out an empty chart.
        QTest::mouseMove(chart.viewport(), onTheLine + QPoint(1, 1));
        QTest::keyClick(&chart, Qt::Key_End);
        VerifyNothingReadOut(chart);
    }

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
        QCOMPARE(chart.Title(), TVxPriceChart::EmptyTitle());
        QCOMPARE(chart.Series().count(), 0);
        QVERIFY(chart.MonthAxis().categoriesLabels().isEmpty());
        QVERIFY(!chart.MonthAxis().isVisible());
        QVERIFY(!chart.PriceAxis().isVisible());
    }
};

QTEST_MAIN(TVxPriceChartTest)
#include "VxPriceChartTest.moc"
