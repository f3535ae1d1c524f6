// The month readout on a chart of its own, as a chart other than the price
// chart builds one: many months of money on a logarithmic axis.  The
// pointer, the keys and a click pick the month read out; the chart draws
// once for many changes; a screen reader meets its months as list items
// that the focus moves to with the keys.  (That the focus events reach a
// screen reader, which the offscreen platform has none of, the end-to-end
// test over AT-SPI shows.)

#include "ui/charts/VxMonthChart.h"
#include "ui/charts/VxMonthChartAccessible.h"

#include <QAccessible>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// A chart of one line over `Values`, month i at x = i, on a logarithmic
// money axis; month i reads out "i+1か月目 value円".
class TMoneyChart : public TVxMonthChart {
public:
    int DrawCount = 0;

    TMoneyChart()
        : FLine(new QLineSeries), FMonthAxis(new QValueAxis), FMoneyAxis(new QLogValueAxis) {
        chart()->addSeries(FLine);
        chart()->addAxis(FMonthAxis, Qt::AlignBottom);
        chart()->addAxis(FMoneyAxis, Qt::AlignLeft);
        FLine->attachAxis(FMonthAxis);
        FLine->attachAxis(FMoneyAxis);
        AddMarker(*FMonthAxis, *FMoneyAxis, Qt::blue);
    }

    void Show(const QList<qreal>& values) {
        FValues = values;
        MonthsChanged();
    }

    int MonthCount() const override { return static_cast<int>(FValues.size()); }
    QString MonthReadout(int index) const override {
        return QStringLiteral("%1か月目 %2円").arg(index + 1).arg(FValues[index]);
    }

    // Where month `index` is in the viewport.
    QPoint Position(int index) const {
        SyncNow();
        return mapFromScene(chart()->mapToPosition(MonthPoint(index), FLine));
    }

protected:
    QPointF MonthPoint(int index) const override { return {qreal(index), FValues[index]}; }

    void Draw() override {
        ++DrawCount;
        QList<QPointF> points;
        for (int i = 0; i < MonthCount(); ++i)
            points << MonthPoint(i);
        FLine->replace(points);
        if (points.isEmpty())
            return;
        FMonthAxis->setRange(-0.5, points.size() - 0.5);
        const auto [low, high] = std::minmax_element(FValues.cbegin(), FValues.cend());
        FMoneyAxis->setRange(*low / 2, *high * 2);
    }

private:
    QList<qreal> FValues;
    QLineSeries* FLine;
    QValueAxis* FMonthAxis;
    QLogValueAxis* FMoneyAxis;
};

// `count` months of money growing from 1000 by 1 percent a month.
QList<qreal> Growing(int count) {
    QList<qreal> values;
    for (int i = 0; i < count; ++i)
        values << std::round(1000 * std::pow(1.01, i));
    return values;
}

} // namespace

class TVxMonthChartTest : public QObject {
    Q_OBJECT
private:
    // A window of 600 by 260 holding a line edit, which has the focus, and
    // under it the chart over `values`.
    struct TShownChart {
        QWidget Window;
        QLineEdit* Other = new QLineEdit;
        TMoneyChart* Chart = new TMoneyChart;

        explicit TShownChart(const QList<qreal>& values) {
            auto* layout = new QVBoxLayout(&Window);
            layout->addWidget(Other);
            layout->addWidget(Chart);
            Window.resize(600, 260);
            Chart->Show(values);
            Window.show();
            Window.activateWindow();
            if (!QTest::qWaitForWindowActive(&Window))
                qFatal("the chart was never shown");
            Other->setFocus();
            QCoreApplication::processEvents();
        }
    };

    static void VerifyReadout(const TMoneyChart& chart, int index) {
        QCOMPARE(chart.Highlighted(), index);
        QCOMPARE(chart.Readout(), chart.MonthReadout(index));
        QCOMPARE(chart.Marker().points().size(), 1);
        QCOMPARE(chart.Marker().points().first().x(), qreal(index));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), chart.Readout());
    }

private slots:
    void initTestCase() { InstallAccessibleMonthCharts(); }

    void init() {
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void PointerAndKeysOverManyMonths() {
        // A hundred years of months: less than a pixel each.
        TShownChart shown(Growing(1200));
        TMoneyChart& chart = *shown.Chart;
        QTest::mouseMove(chart.viewport(), chart.Position(700));
        QVERIFY2(std::abs(chart.Highlighted() - 700) <= 1, qPrintable(chart.Readout()));
        VerifyReadout(chart, chart.Highlighted());
        QTest::mouseMove(chart.viewport(), QPoint(1, 5));
        VerifyReadout(chart, 0);
        QTest::mouseMove(chart.viewport(), QPoint(chart.viewport()->width() - 2, 5));
        VerifyReadout(chart, 1199);

        chart.setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(chart.hasFocus());
        for (const auto& [key, index] :
             {std::pair{Qt::Key_Home, 0}, std::pair{Qt::Key_Right, 1}, std::pair{Qt::Key_End, 1199},
              std::pair{Qt::Key_Left, 1198}}) {
            QTest::keyClick(&chart, key);
            VerifyReadout(chart, index);
        }
        // With a modifier the keys are not the chart's.
        QTest::keyClick(&chart, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(chart.Highlighted(), 1198);
    }

    void TheTipKeepsClearOfThePointer() {
        // A tip under the pointer would take its click away from the chart.
        TShownChart shown(Growing(12));
        TMoneyChart& chart = *shown.Chart;
        const QPoint dot = chart.Position(5);
        const auto tip = [] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->objectName() == QLatin1String("qtooltip_label") && window->isVisible())
                    return window->geometry();
            return QRect();
        };
        // Above left of the dot, below right of it and further on in the
        // same month, where a tip beside the dot would lie.
        for (const QPoint offset : {QPoint(-8, -20), QPoint(6, 22), QPoint(12, 30)}) {
            QTest::mouseMove(chart.viewport(), dot + offset);
            VerifyReadout(chart, 5);
            const QPoint pointer = chart.viewport()->mapToGlobal(dot + offset);
            QVERIFY2(!tip().contains(pointer),
                     qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        }
    }

    void AClickGivesTheChartTheKeys() {
        TShownChart shown(Growing(12));
        TMoneyChart& chart = *shown.Chart;
        QCOMPARE(chart.focusPolicy(), Qt::StrongFocus);
        QTest::mouseClick(chart.viewport(), Qt::LeftButton, {}, chart.Position(4));
        QVERIFY(chart.hasFocus());
        VerifyReadout(chart, 4);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&chart);
        QCOMPARE(accessible->focusChild(), accessible->child(4));

        // The keys go on from the month clicked...
        QTest::keyClick(&chart, Qt::Key_Left);
        VerifyReadout(chart, 3);
        // ...which the pointer leaving does not take away...
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&chart, &leave);
        QCOMPARE(chart.Highlighted(), 3);
        // ...but the focus leaving does.
        shown.Other->setFocus();
        QCOMPARE(chart.Highlighted(), -1);
        QCOMPARE(chart.Readout(), QString());
    }

    void MonthsAreListItemsTheFocusMovesTo() {
        TShownChart shown(Growing(12));
        TMoneyChart& chart = *shown.Chart;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&chart);
        QCOMPARE(accessible->role(), QAccessible::Chart);
        QCOMPARE(accessible->childCount(), 12);
        for (int i = 0; i < 12; ++i) {
            QAccessibleInterface* month = accessible->child(i);
            QCOMPARE(month->role(), QAccessible::ListItem);
            QCOMPARE(month->text(QAccessible::Name), chart.MonthReadout(i));
            QCOMPARE(month->parent(), accessible);
            QCOMPARE(accessible->indexOfChild(month), i);
            QVERIFY(month->state().focusable && !month->state().focused);
        }
        QCOMPARE(accessible->child(12), nullptr);
        QCOMPARE(accessible->child(0)->text(QAccessible::Name), QStringLiteral("1か月目 1000円"));

        // Each month is where its point is on screen.
        const QPoint third = chart.viewport()->mapToGlobal(chart.Position(3));
        QVERIFY(accessible->child(3)->rect().contains(third));
        QVERIFY(!accessible->child(4)->rect().contains(third));
        QCOMPARE(accessible->childAt(third.x(), third.y()), accessible->child(3));

        // Tab gives the chart the focus, with nothing read out yet; each key
        // then gives it to the month it reads out.
        chart.setFocus(Qt::TabFocusReason);
        QCOMPARE(accessible->focusChild(), nullptr);
        for (const auto& [key, index] : {std::pair{Qt::Key_End, 11}, std::pair{Qt::Key_Left, 10},
                                         std::pair{Qt::Key_Home, 0}}) {
            QTest::keyClick(&chart, key);
            QCOMPARE(accessible->focusChild(), accessible->child(index));
            for (int i = 0; i < 12; ++i)
                QCOMPARE(bool(accessible->child(i)->state().focused), i == index);
        }
        // The readout is the chart's text as well.
        QAccessibleTextInterface* text = accessible->textInterface();
        QCOMPARE(text->text(0, text->characterCount()), chart.MonthReadout(0));
        QCOMPARE(accessible->text(QAccessible::Value), chart.MonthReadout(0));

        // New months under the focused one rename it where it is.
        chart.Show(Growing(13).mid(1));
        QCOMPARE(accessible->focusChild(), accessible->child(0));
        QCOMPARE(accessible->child(0)->text(QAccessible::Name), QStringLiteral("1か月目 1010円"));

        // The focus leaving leaves no month focused.
        shown.Other->setFocus();
        QCOMPARE(accessible->focusChild(), nullptr);
        QVERIFY(!accessible->child(0)->state().focused);
    }

    void NewMonthsReadTheMonthUnderARestingPointer() {
        // Twice the months on the same width: the place of the latest of
        // twelve now holds about the latest of twenty-four.
        TShownChart shown(Growing(12));
        TMoneyChart& chart = *shown.Chart;
        const QPoint pointer = chart.Position(11);
        QTest::mouseMove(chart.viewport(), pointer);
        VerifyReadout(chart, 11);
        chart.Show(Growing(24));
        QVERIFY2(std::abs(chart.Highlighted() - 23) <= 1, qPrintable(chart.Readout()));
        VerifyReadout(chart, chart.Highlighted());
        QVERIFY(std::abs(chart.Position(chart.Highlighted()).x() - pointer.x()) <= 15);
    }

    void TheTipFollowsNewMonths() {
        TShownChart shown(Growing(12));
        TMoneyChart& chart = *shown.Chart;
        chart.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&chart, Qt::Key_End);
        QTest::keyClick(&chart, Qt::Key_Left);
        VerifyReadout(chart, 10);
        // Other amounts: the tip reads them, once the chart has drawn them.
        QList<qreal> halved = Growing(12);
        for (qreal& value : halved)
            value /= 2;
        chart.Show(halved);
        QCOMPARE(chart.Readout(), QStringLiteral("11か月目 552.5円"));
        VerifyReadout(chart, 10);
        // Fewer months end the readout, even before the tip has followed
        // the months before them.
        chart.Show(Growing(12));
        chart.Show(Growing(5));
        QTRY_VERIFY(!QToolTip::isVisible());
        QCOMPARE(chart.Highlighted(), -1);
    }

    void FewerMonthsEndTheReadout() {
        TShownChart shown(Growing(12));
        TMoneyChart& chart = *shown.Chart;
        chart.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&chart, Qt::Key_Left);
        QTest::keyClick(&chart, Qt::Key_Left);
        VerifyReadout(chart, 10);
        QAccessibleInterface* eleventh = QAccessible::queryAccessibleInterface(&chart)->child(10);
        chart.Show(Growing(5));
        QCOMPARE(chart.Highlighted(), -1);
        // A screen reader holding on to a month gone finds nothing there.
        QVERIFY(!eleventh->isValid());
        QCOMPARE(eleventh->text(QAccessible::Name), QString());
        QCOMPARE(eleventh->rect(), QRect());
        QVERIFY(!eleventh->state().focused);
        QTRY_VERIFY(!QToolTip::isVisible());
        QCOMPARE(chart.Marker().count(), 0);
        QCOMPARE(QAccessible::queryAccessibleInterface(&chart)->focusChild(), nullptr);

        // No months: nothing to read out and no focus to take.
        chart.Show({});
        QCOMPARE(chart.focusPolicy(), Qt::NoFocus);
        QCOMPARE(QAccessible::queryAccessibleInterface(&chart)->childCount(), 0);
        for (Qt::Key key : {Qt::Key_Home, Qt::Key_End, Qt::Key_Left})
            QTest::keyClick(&chart, key);
        QTest::mouseMove(chart.viewport(), QPoint(100, 50));
        QCOMPARE(chart.Highlighted(), -1);
    }

    void DrawsOnceForManyChanges() {
        TMoneyChart chart;
        QCoreApplication::processEvents();
        const int drawn = chart.DrawCount;
        for (int count : {3, 7, 12})
            chart.Show(Growing(count));
        QCOMPARE(chart.DrawCount, drawn);
        QCoreApplication::processEvents();
        QCOMPARE(chart.DrawCount, drawn + 1);
        // What is read of the chart is what it shows now.
        chart.Show(Growing(6));
        QCOMPARE(chart.Marker().count(), 0);
        QCOMPARE(chart.DrawCount, drawn + 2);
        QCoreApplication::processEvents();
        QCOMPARE(chart.DrawCount, drawn + 2);
    }
};

QTEST_MAIN(TVxMonthChartTest)
#include "VxMonthChartTest.moc"
