#include "ui/words/VxCompanyColumnText.h"

#include "components/VxColumnInfos.h"
#include "game/VxCompany.h"

#include <QCoreApplication>

#include <cstdlib>

namespace {

struct TCompanyColumnDefinition {
    const char* IdentName;
    const char* Caption;
    int Width;
    // Room for the longest English text: amounts in yen with every digit,
    // "100,000 shares", "about ¥10,000,000".
    int EnglishWidth;
};

// Two identity names keep the numbered form they were created with.
constexpr TCompanyColumnDefinition CompanyColumns[CompanyColumnCount] = {
    {"ID", QT_TRANSLATE_NOOP("VxCompanyColumnText", "ID"), 35, 35},
    {"StockPrice", QT_TRANSLATE_NOOP("VxCompanyColumnText", "株価"), 85, 90},
    {"MonthDiff", QT_TRANSLATE_NOOP("VxCompanyColumnText", "前月比(円)"), 85, 85},
    {"VxListColumnInfo9", QT_TRANSLATE_NOOP("VxCompanyColumnText", "前月比(%)"), 80, 85},
    {"StockPrice1000", QT_TRANSLATE_NOOP("VxCompanyColumnText", "千株価"), 85, 110},
    {"SellStockCount", QT_TRANSLATE_NOOP("VxCompanyColumnText", "売り株数"), 75, 105},
    {"MyStockCount", QT_TRANSLATE_NOOP("VxCompanyColumnText", "所有株数"), 75, 105},
    {"MyStockPriceBuyingAverage", QT_TRANSLATE_NOOP("VxCompanyColumnText", "購入時株価平均"), 110,
     125},
    {"MyStockPriceRatio", QT_TRANSLATE_NOOP("VxCompanyColumnText", "現在/購入時"), 90, 90},
    {"VxListColumnInfo8", QT_TRANSLATE_NOOP("VxCompanyColumnText", "所有株総額"), 100, 130},
};

} // namespace

QString SharesText(int32_t count) {
    return QCoreApplication::translate("VxCompanyColumnText", "%1株").arg(GroupedText(count));
}

QString GroupedText(int32_t value) {
    // The magnitude of the most negative value does not fit in 32 bits.
    const QString digits = QString::number(std::llabs(int64_t{value}));
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += digits[i];
    }
    return value < 0 ? QLatin1Char('-') + grouped : grouped;
}

QString PercentChangeText(double percent) {
    return QString::asprintf(percent > 0 ? "+%.2f%%" : "%.2f%%", percent);
}

QString CompanyColumnText(const TVxCompany& company, int code) {
    switch (code) {
    case ccID:
        return QString::asprintf("%.3d", int{company.ID});
    case ccStockPrice:
        return PriceText(company.StockPrice());
    case ccMonthDiff:
        return MonthDiffText(company.MonthDiff());
    case ccMonthDiffPercent:
        return PercentChangeText(company.MonthDiffPercent());
    case ccStockPrice1000:
        return MoneyText(company.StockPrice1000());
    case ccSellStockCount:
        return SharesText(company.SellStockCount());
    case ccMyStockCount:
        if (company.MyStockCount == 0)
            return {};
        return SharesText(company.MyStockCount);
    case ccMyStockPriceBuyingAverage:
        if (company.MyStockPriceBuyingAverage() == 0)
            return {};
        return QCoreApplication::translate("VxCompanyColumnText", "約%1")
            .arg(PriceText(company.MyStockPriceBuyingAverage()));
    case ccMyStockPriceRatio:
        if (company.MyStockPriceBuyingAverage() == 0)
            return {};
        return GroupedText(company.MyStockPriceRatio()) + QStringLiteral("%");
    case ccMyStockValue:
        if (company.MyStockValue() == -1)
            return {};
        return MoneyText(company.MyStockValue());
    default:
        return {};
    }
}

TVxTrend CompanyColumnTrend(const TVxCompany& company, int code) {
    switch (code) {
    case ccMonthDiff:
        return TrendOf(company.MonthDiff());
    case ccMonthDiffPercent:
        return TrendOf(company.MonthDiffPercent());
    case ccMyStockPriceRatio:
        if (company.MyStockPriceBuyingAverage() == 0)
            return TVxTrend::None;
        return TrendOf(company.MyStockPriceRatio() - 100);
    default:
        return TVxTrend::None;
    }
}

void AddCompanyColumnInfos(TVxColumnInfos& infos) {
    for (const TCompanyColumnDefinition& definition : CompanyColumns) {
        TVxListColumnInfo& info = infos.ColumnInfos().Add();
        info.IdentName = QString::fromUtf8(definition.IdentName);
        info.Caption = QCoreApplication::translate("VxCompanyColumnText", definition.Caption);
        info.Alignment = TVxAlignment::Right;
        info.SetDefaultWidth(WordsInEnglish() ? definition.EnglishWidth : definition.Width);
    }
}
