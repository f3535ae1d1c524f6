#include "ui/words/VxCompanyColumnText.h"
#include "components/VxColumnInfos.h"
#include "game/VxCompany.h"

#include <QTest>

#include <climits>

namespace {

// A company whose last two prices are `previous` and `price`, holding
// `shares` bought for `cost` (万円).
struct TCompanyCase {
    int16_t ID = 0;
    int32_t Previous = 1000;
    int32_t Price = 1000;
    int32_t Shares = 0;
    int32_t Cost = 0;
};

QStringList RowTexts(const TCompanyCase& given) {
    TVxCompany company;
    company.Reset();
    company.ID = given.ID;
    company.PushPrice(given.Previous);
    company.PushPrice(given.Price);
    company.MyStockCount = given.Shares;
    company.MyStockCost = given.Cost;
    QStringList texts;
    for (int code = 0; code < CompanyColumnCount; ++code)
        texts << CompanyColumnText(company, code);
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(TCompanyCase)

class TVxCompanyColumnTextTest : public QObject {
    Q_OBJECT
private slots:
    void RowTextsOfAllTenCodes_data() {
        QTest::addColumn<TCompanyCase>("company");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("fresh company")
            << TCompanyCase{}
            << QStringList{"000", "1000円", "0円", "0.00%", "100万円", "100,000株", "", "", "", ""};
        QTest::newRow("price rose")
            << TCompanyCase{7, 1000, 1100}
            << QStringList{"007",       "1100円", "+100円", "+10.00%", "110万円",
                           "100,000株", "",       "",       "",        ""};
        QTest::newRow("price fell")
            << TCompanyCase{42, 1000, 950}
            << QStringList{"042",       "950円", "-50円", "-5.00%", "95万円",
                           "100,000株", "",      "",      "",       ""};
        QTest::newRow("holding bought dearer than now")
            << TCompanyCase{999, 300, 300, 3000, 100}
            << QStringList{"999",      "300円",   "0円",     "0.00%", "30万円",
                           "97,000株", "3,000株", "約333円", "90%",   "90万円"};
        QTest::newRow("a third up, kanji price, grouped ratio")
            << TCompanyCase{1, 9000, 12000, 10000, 10}
            << QStringList{"001",      "1万2000円", "+3000円", "+33.33%",  "1200万円",
                           "90,000株", "10,000株",  "約10円",  "120,000%", "1億2000万円"};
        QTest::newRow("worthless holding")
            << TCompanyCase{3, 1, 1, 1000, 1}
            << QStringList{"003",      "1円",     "0円",    "0.00%", "1万円",
                           "99,000株", "1,000株", "約10円", "10%",   "0円"};
    }
    void RowTextsOfAllTenCodes() {
        QFETCH(TCompanyCase, company);
        QFETCH(QStringList, texts);
        QCOMPARE(RowTexts(company), texts);
    }

    void CodesOutsideTheSetAreEmpty() {
        TVxCompany company;
        company.Reset();
        QCOMPARE(CompanyColumnText(company, -1), QString());
        QCOMPARE(CompanyColumnText(company, CompanyColumnCount), QString());
    }

    void GroupedText_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0 << "0";
        QTest::newRow("three digits") << 999 << "999";
        QTest::newRow("four digits") << 1000 << "1,000";
        QTest::newRow("six digits") << 100000 << "100,000";
        QTest::newRow("seven digits") << 1234567 << "1,234,567";
        QTest::newRow("negative") << -1250 << "-1,250";
        QTest::newRow("most negative") << INT_MIN << "-2,147,483,648";
    }
    void GroupedText() {
        QFETCH(int, value);
        QFETCH(QString, text);
        QCOMPARE(::GroupedText(value), text);
    }

    void ColumnSetHasTheTenCompanyColumns() {
        TVxColumnInfos set;
        AddCompanyColumnInfos(set);
        const TVxListColumnInfos& infos = set.ColumnInfos();
        const QStringList captions{"ID",          "株価",      "前月比(円)", "前月比(%)",
                                   "千株価",      "売り株数",  "所有株数",   "購入時株価平均",
                                   "現在/購入時", "所有株総額"};
        const QStringList names{"ID",
                                "StockPrice",
                                "MonthDiff",
                                "VxListColumnInfo9",
                                "StockPrice1000",
                                "SellStockCount",
                                "MyStockCount",
                                "MyStockPriceBuyingAverage",
                                "MyStockPriceRatio",
                                "VxListColumnInfo8"};
        const QList<int> widths{35, 85, 85, 80, 85, 75, 75, 110, 90, 100};
        QCOMPARE(infos.Count(), CompanyColumnCount);
        for (int code = 0; code < infos.Count(); ++code) {
            const TVxListColumnInfo& info = infos.Items(code);
            QCOMPARE(info.Caption, captions[code]);
            QCOMPARE(info.IdentName, names[code]);
            QCOMPARE(info.DefaultWidth(), widths[code]);
            QCOMPARE(info.Width, widths[code]);
            QCOMPARE(info.Order(), code);
            QCOMPARE(info.Alignment, TVxAlignment::Right);
            QVERIFY(info.Visible);
            QVERIFY(!info.AutoSize);
        }
    }
};

QTEST_GUILESS_MAIN(TVxCompanyColumnTextTest)
#include "VxCompanyColumnTextTest.moc"
