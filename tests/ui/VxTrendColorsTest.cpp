// The colours of rises and falls read well on every background a desktop
// theme gives the lists, and give way to the text colour where neither
// shade does.

#include "ui/lists/VxTrendColors.h"

#include <QTest>

class TVxTrendColorsTest : public QObject {
    Q_OBJECT
private slots:
    void ShadesReadWellOnTheTheme_data() {
        QTest::addColumn<QColor>("base");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<bool>("coloured");
        QTest::newRow("light") << QColor(Qt::white) << QColor(Qt::black) << true;
        QTest::newRow("dark") << QColor(0x2D, 0x2D, 0x2D) << QColor(0xEE, 0xEE, 0xEE) << true;
        QTest::newRow("high contrast, black") << QColor(Qt::black) << QColor(Qt::white) << true;
        QTest::newRow("high contrast, white") << QColor(Qt::white) << QColor(Qt::black) << true;
        QTest::newRow("grey: neither shade reads")
            << QColor(0x80, 0x80, 0x80) << QColor(Qt::black) << false;
    }
    void ShadesReadWellOnTheTheme() {
        QFETCH(QColor, base);
        QFETCH(QColor, text);
        QFETCH(bool, coloured);
        QPalette palette;
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, text);

        QCOMPARE(TrendColor(TVxTrend::None, palette), text);
        const QColor rise = TrendColor(TVxTrend::Rise, palette);
        const QColor fall = TrendColor(TVxTrend::Fall, palette);
        if (!coloured) {
            QCOMPARE(rise, text);
            QCOMPARE(fall, text);
            return;
        }
        QVERIFY2(ContrastRatio(rise, base) >= 4.5, qPrintable(rise.name()));
        QVERIFY2(ContrastRatio(fall, base) >= 4.5, qPrintable(fall.name()));
        // Red and blue: each is the strongest of its channels.
        QVERIFY(rise.red() > rise.green() && rise.red() > rise.blue());
        QVERIFY(fall.blue() > fall.red() && fall.blue() > fall.green());
    }

    void ContrastRatioRunsFromOneToTwentyOne() {
        QCOMPARE(ContrastRatio(Qt::black, Qt::white), 21.0);
        QCOMPARE(ContrastRatio(Qt::white, Qt::black), 21.0);
        QCOMPARE(ContrastRatio(QColor(0x77, 0x77, 0x77), QColor(0x77, 0x77, 0x77)), 1.0);
    }

    void TrendIsTheSignOfTheChange() {
        QCOMPARE(TrendOf(15), TVxTrend::Rise);
        QCOMPARE(TrendOf(-0.01), TVxTrend::Fall);
        QCOMPARE(TrendOf(0), TVxTrend::None);
    }
};

QTEST_MAIN(TVxTrendColorsTest)
#include "VxTrendColorsTest.moc"
