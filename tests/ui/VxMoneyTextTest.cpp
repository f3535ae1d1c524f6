// The window's amounts and calendar follow the language of its words: the
// Japanese units or the English yen, to the same yen, from one place.

#include "ui/words/VxMoneyText.h"
#include "app/VxLanguage.h"

#include <QTest>

#include <functional>

using TText = std::function<QString()>;
Q_DECLARE_METATYPE(TText)

class TVxMoneyTextTest : public QObject {
    Q_OBJECT
private slots:
    void followsTheLanguage_data() {
        QTest::addColumn<TText>("text");
        QTest::addColumn<QString>("japanese");
        QTest::addColumn<QString>("english");
        QTest::newRow("price") << TText([] { return PriceText(1906); }) << "1906円"
                               << "¥1,906";
        QTest::newRow("money") << TText([] { return MoneyText(3000); }) << "3000万円"
                               << "¥30,000,000";
        QTest::newRow("money with its sign")
            << TText([] { return MoneyText(-50, true); }) << "-50万円"
            << "-¥500,000";
        QTest::newRow("gain") << TText([] { return MoneyText(1000, true); }) << "+1000万円"
                              << "+¥10,000,000";
        QTest::newRow("兆") << TText([] { return MoneyText(379858288); }) << "3兆7985億8288万円"
                            << "¥3,798,582,880,000";
        QTest::newRow("figure beside its unit")
            << TText([] { return MoneyFigureText(330); }) << "330万"
            << "3,300,000";
        QTest::newRow("change of price") << TText([] { return MonthDiffText(0); }) << "0円"
                                         << "¥0";
        QTest::newRow("yen beyond 32 bits")
            << TText([] { return YenText(97609366000); }) << "976億936万6000円"
            << "¥97,609,366,000";
        QTest::newRow("calendar") << TText([] { return CalendarQText(2, 6); }) << "3年目7月"
                                  << "Year 3, Month 7";
    }
    void followsTheLanguage() {
        QFETCH(TText, text);
        QFETCH(QString, japanese);
        QFETCH(QString, english);
        SetCurrentLanguage(TVxLanguage::English);
        const QString shownInEnglish = text();
        SetCurrentLanguage(TVxLanguage::Japanese);
        QCOMPARE(text(), japanese);
        QCOMPARE(shownInEnglish, english);
    }
};

QTEST_MAIN(TVxMoneyTextTest)
#include "VxMoneyTextTest.moc"
