// The per-share figure the trade dialog shows beside the chosen offer.

#include "ui/words/VxTradeHint.h"
#include "game/VxTrade.h"

#include <QTest>

#include <cstdint>

class VxTradeHintTest : public QObject {
    Q_OBJECT

private slots:
    void pricePerShare_data() {
        QTest::addColumn<int>("money");
        QTest::addColumn<int>("lots");
        QTest::addColumn<QString>("text");
        QTest::newRow("a purchase at 1000 yen") << 110 << 1 << QStringLiteral("1株1100円相当");
        QTest::newRow("a sale at 1000 yen") << 90 << 1 << QStringLiteral("1株900円相当");
        QTest::newRow("2.5 goes to the even neighbour") << 1 << 4 << QStringLiteral("1株2円相当");
        QTest::newRow("7.5 too") << 3 << 4 << QStringLiteral("1株8円相当");
        QTest::newRow("0.5 too") << 1 << 20 << QStringLiteral("1株0円相当");
        QTest::newRow("all shares at the highest price")
            << 110000000 << 100 << QStringLiteral("1株1100万円相当");
        QTest::newRow("beyond 32 bits")
            << INT32_MAX << 1 << QStringLiteral("1株214億7483万6470円相当");
    }
    void pricePerShare() {
        QFETCH(int, money);
        QFETCH(int, lots);
        QTEST(PricePerShareText(money, lots), "text");
    }

    void noFigureForNoLots() { QVERIFY_THROWS_EXCEPTION(EVxTradeError, PricePerShareText(100, 0)); }
};

QTEST_MAIN(VxTradeHintTest)
#include "VxTradeHintTest.moc"
